// SPDX-License-Identifier: BSD-3-Clause
#include "mdlDisplayExpMADifference.h"

#include "calc/mdlCalculateExpMA.h"

namespace tk5::indicators {

void DisplayExpMADifference(DrawingSurface& ruler, DrawingSurface& plot,
                            const FloatDays& price_close, std::int16_t starting_date,
                            std::int16_t ending_date, std::int16_t N1, std::int16_t N2,
                            const PaneLook& look) {
    PaneFrame(ruler, plot, starting_date, ending_date, look)
        .centredBars(
            [&](long i) {
                return static_cast<double>(CalculateExpMA(price_close, i, N1)) -
                       CalculateExpMA(price_close, i, N2);
            },
            RGB(0, 200, 0));
}

} // namespace tk5::indicators
