// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "PaneFrame.h"
#include "common/DayArray.h"

#include <cstdint>

namespace tk5::indicators {

// Fast stochastic pane: %K = (close - lowest low) / (highest high - lowest low) x 100 over
// K days as a black line, and its D-day simple average %D as a red line, on the 0..100
// scale. Reads lows and highs up to day e + D + K - 1 and closes up to e + D. Tolerant: a
// flat range, a day past 5000 or a buffer day past 3000 leaves %K at 0.
void FastStochastic(DrawingSurface& ruler, DrawingSurface& plot, const FloatDays& price_close,
                    const FloatDays& price_high, const FloatDays& price_low,
                    std::int16_t starting_date, std::int16_t ending_date, std::int16_t K,
                    std::int16_t D, const PaneLook& look);

} // namespace tk5::indicators
