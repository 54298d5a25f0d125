// SPDX-License-Identifier: BSD-3-Clause
#include "mdlSlowStochastic.h"

#include "StochasticLines.h"

namespace tk5::indicators {

void SlowStochastic(DrawingSurface& ruler, DrawingSurface& plot, const FloatDays& price_close,
                    const FloatDays& price_high, const FloatDays& price_low,
                    std::int16_t starting_date, std::int16_t ending_date, std::int16_t K,
                    std::int16_t D, const PaneLook& look) {
    PaneFrame pane(ruler, plot, starting_date, ending_date, look);
    drawStochastic(pane, price_close, price_high, price_low, K, D, 3, false);
}

} // namespace tk5::indicators
