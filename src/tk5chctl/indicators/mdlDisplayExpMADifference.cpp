// SPDX-License-Identifier: BSD-3-Clause
#include "mdlDisplayExpMADifference.h"

#include "calc/mdlCalculateExpMA.h"

#include <vector>

namespace tk5::indicators {

void DisplayExpMADifference(DrawingSurface& ruler, DrawingSurface& plot,
                            const FloatDays& price_close, std::int16_t starting_date,
                            std::int16_t ending_date, std::int16_t N1, std::int16_t N2,
                            const PaneLook& look) {
    // Each day's two averages once, worked out together.
    const std::vector<float> fast = CalculateExpMAs(price_close, starting_date, ending_date, N1),
                             slow = CalculateExpMAs(price_close, starting_date, ending_date, N2);
    PaneFrame(ruler, plot, starting_date, ending_date, look)
        .centredBars(
            [&](long i) {
                const auto at = static_cast<size_t>(i - starting_date);
                return static_cast<double>(fast[at]) - slow[at];
            },
            RGB(0, 200, 0));
}

} // namespace tk5::indicators
