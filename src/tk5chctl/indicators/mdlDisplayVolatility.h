// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "PaneFrame.h"
#include "common/DayArray.h"

#include <cstdint>

namespace tk5::indicators {

// Volatility pane: the daily range high - low, its V1-day CalculateExpMA, and as a black line
// the relative change of that average over V2 days, (avg[i] - avg[i + V2]) / avg[i + V2],
// centred and scaled to the largest absolute change M of days s .. e - 1 (labels show M as a
// ratio). Tolerant: a change over a zero average draws no segment; buffer days past 3000
// are not kept.
void DisplayVolatility(DrawingSurface& ruler, DrawingSurface& plot, const FloatDays& price_high,
                       const FloatDays& price_low, std::int16_t starting_date,
                       std::int16_t ending_date, std::int16_t V1, std::int16_t V2,
                       const PaneLook& look);

} // namespace tk5::indicators
