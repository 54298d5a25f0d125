#pragma once

#include "control/ChartState.h"

#include <cstdint>

namespace tk5 {

// Height of price p on a surface of height H at the scale the price ruler left: the bottom
// tick lies 50 twips above the lower edge.
inline float priceToY(const ChartState& st, float H, float p) {
    return static_cast<float>(
        H - 50.0 -
        (static_cast<double>(p) - static_cast<double>(st.price_step) * st.ruler_bottom) *
            st.price_scale);
}

// The day whose slot centre is nearest to x on a surface of width W showing days s..e:
// round((W - x) * (e - s + 2) / W + s) - 1, halves to even. Near the right edge this is
// s - 1, near the left edge e + 1. Throws ChartError when W is 0 or the result does not fit
// a day index.
std::int16_t dayUnderPosition(float x, float W, std::int16_t s, std::int16_t e);

} // namespace tk5
