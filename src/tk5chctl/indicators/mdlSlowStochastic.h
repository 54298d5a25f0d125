// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "PaneFrame.h"
#include "common/DayArray.h"

#include <cstdint>

namespace tk5::indicators {

// Slow stochastic pane: like the fast one, but the close, the lowest lows and the highest
// highs are each averaged over three days (the day and the two older ones) before the
// ratio. Reads lows and highs up to day e + D + K + 1 and closes up to e + D + 2. Tolerant.
void SlowStochastic(DrawingSurface& ruler, DrawingSurface& plot, const FloatDays& price_close,
                    const FloatDays& price_high, const FloatDays& price_low,
                    std::int16_t starting_date, std::int16_t ending_date, std::int16_t K,
                    std::int16_t D, const PaneLook& look);

} // namespace tk5::indicators
