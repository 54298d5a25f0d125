// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "PaneFrame.h"
#include "common/DayArray.h"

#include <cstdint>

namespace tk5 {

// The relative strength index of day d over N periods (0..100, in double precision): the
// N - 1 close-to-close changes up to day d, the newest at full weight and each older one
// weighted down by (N - 1) / N, gives 100 - 100 / (1 + gains / losses). Reads the closes of
// days d .. d + N - 1; a change involving a day outside the series counts as neither gain
// nor loss. Without any loss (every N <= 1 included) the value is 0. Never throws.
double CalculateRSI(const FloatDays& price_close, long d, std::int16_t N);

namespace indicators {

// RSI pane: a black line of CalculateRSI from day e + 1 to day s on the 0..100 scale.
// Fails only where the day arithmetic itself fails.
void DisplayRSI(DrawingSurface& ruler, DrawingSurface& plot, const FloatDays& price_close,
                std::int16_t starting_date, std::int16_t ending_date, std::int16_t N,
                const PaneLook& look);

} // namespace indicators
} // namespace tk5
