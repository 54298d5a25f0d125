#pragma once

#include "common/Numbers.h"
#include "control/ChartState.h"
#include "control/DrawingSurface.h"

#include <cstdint>

namespace tk5 {

// How far price p lies above the bottom tick, in twips, at the scale the price ruler left.
inline double priceOffset(const ChartState& st, double p) {
    return (p - static_cast<double>(st.price_step) * st.ruler_bottom) * st.price_scale;
}

// Height of price p on a surface of height H: the bottom tick lies 50 twips above the lower
// edge. Throws ChartError when the height does not fit a 32-bit float.
inline float priceToY(const ChartState& st, double H, double p) {
    return toSingle(H - 50.0 - priceOffset(st, p));
}

// Horizontal position of day d on a chart of width W whose newest shown day is s: day s
// lies one day width left of the right edge, day s - 1 on it.
inline float dayToX(float W, std::int16_t s, float dayWidth, long d) {
    return static_cast<float>(static_cast<double>(W) -
                              (static_cast<double>(d) - s + 1.0) * dayWidth);
}

// A dotted grid line across the price chart in RGB(150, 60, 60); the chart is left drawing
// black and solid. A line that fails is skipped.
inline void drawGridLine(DrawingSurface& chart, float x1, float y1, float x2, float y2) {
    chart.ForeColor = RGB(150, 60, 60);
    chart.DrawStyle = kDotted;
    skipOnError([&] { chart.Line(x1, y1, x2, y2); });
    chart.ForeColor = RGB(0, 0, 0);
    chart.DrawStyle = kSolid;
}

// The day whose slot centre is nearest to x on a surface of width W showing days s..e:
// round((W - x) * (e - s + 2) / W + s) - 1, halves to even. Near the right edge this is
// s - 1, near the left edge e + 1. Throws ChartError when W is 0 or the result does not fit
// a day index.
std::int16_t dayUnderPosition(float x, float W, std::int16_t s, std::int16_t e);

} // namespace tk5
