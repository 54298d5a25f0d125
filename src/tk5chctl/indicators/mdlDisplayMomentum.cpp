// SPDX-License-Identifier: BSD-3-Clause
#include "mdlDisplayMomentum.h"

namespace tk5::indicators {

void DisplayMomentum(DrawingSurface& ruler, DrawingSurface& plot, const FloatDays& price_close,
                     std::int16_t starting_date, std::int16_t ending_date, std::int16_t P,
                     const PaneLook& look) {
    PaneFrame(ruler, plot, starting_date, ending_date, look)
        .centredBars(
            [&](long i) { return static_cast<double>(price_close[i]) - price_close[i + P]; },
            RGB(0, 70, 0));
}

} // namespace tk5::indicators
