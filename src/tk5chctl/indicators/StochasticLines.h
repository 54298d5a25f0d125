// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "PaneFrame.h"
#include "common/DayArray.h"

#include <cstdint>

namespace tk5::indicators {

// The pane both stochastics draw. For days s .. e + D: low and high are the K-day lowest low
// and highest high (LowestValue, HighestValue; with closeDays 3 AverageLowest and
// AverageHighest), and %K = (close - low) / (high - low) x 100, close being the mean of the
// closes of day i and the closeDays - 1 older days (closeDays is 1 or 3). The extremes of all
// the days come from one pass over the lows and one over the highs. A failing step is
// skipped (low and high then keep the previous day's value, %K stays 0). Then the 0..100
// ruler and the reference lines (the ruler first when rulerFirst), the black %K line, %D as
// the D-day simple average of %K, the red %D line and the margin bands. Tolerant.
void drawStochastic(PaneFrame& pane, const FloatDays& price_close, const FloatDays& price_high,
                    const FloatDays& price_low, std::int16_t K, std::int16_t D, int closeDays,
                    bool rulerFirst);

} // namespace tk5::indicators
