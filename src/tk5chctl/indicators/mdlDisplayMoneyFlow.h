// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "PaneFrame.h"
#include "common/DayArray.h"

#include <cstdint>

namespace tk5::indicators {

// Money flow index pane: money flow = (close + high + low) x volume / 3 per day; over the
// P + 1 days from day i, the flows of days not below their older neighbour count as
// positive, the others as negative, and 100 - 100 / (1 + positive / negative) is drawn as a
// purple line on the 0..100 scale. Reads the series up to day e + P + 1. Tolerant: without
// negative flow the value is 0; buffer days past 3000 are not kept.
void DisplayMoneyFlow(DrawingSurface& ruler, DrawingSurface& plot, const FloatDays& price_close,
                      const FloatDays& price_high, const FloatDays& price_low,
                      const DayArray<std::int32_t>& price_volume, std::int16_t starting_date,
                      std::int16_t ending_date, std::int16_t P, const PaneLook& look);

} // namespace tk5::indicators
