// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "PaneFrame.h"
#include "common/DayArray.h"

#include <cstdint>

namespace tk5::indicators {

// The lowest low or highest high of day i over n days, as the stochastics take it.
using ExtremeOf = float (*)(const FloatDays& series, long i, std::int16_t n);

// The pane both stochastics draw. For days s .. e + D: low = lowest(low, i, K), high =
// highest(high, i, K) and %K = (close - low) / (high - low) x 100, where close is the mean of
// the closes of day i and the closeDays - 1 older days (lowest and highest take the extremes
// of as many days: closeDays windows of K days from day i on); a failing step is skipped (low and
// high then keep the previous day's value, %K stays 0). Then the 0..100 ruler and the
// reference lines (the ruler first when rulerFirst), the black %K line, %D as the D-day
// simple average of %K, the red %D line and the margin bands. Tolerant.
void drawStochastic(PaneFrame& pane, const FloatDays& price_close, const FloatDays& price_high,
                    const FloatDays& price_low, std::int16_t K, std::int16_t D, ExtremeOf lowest,
                    ExtremeOf highest, int closeDays, bool rulerFirst);

} // namespace tk5::indicators
