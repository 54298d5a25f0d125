// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "PaneFrame.h"
#include "common/DayArray.h"

#include <cstdint>

namespace tk5::indicators {

// On-balance volume pane: the running sum of the volumes of rising days minus those of
// falling days, starting at 0 on the oldest shown day and running towards the newest, as
// green bars around the centre line; ruler labels ValueToLabel(M), "0", "-" + that label.
// Tolerant: running sums past day 3000 are not kept.
void DisplayOBV(DrawingSurface& ruler, DrawingSurface& plot, const FloatDays& price_close,
                const DayArray<std::int32_t>& price_volume, std::int16_t starting_date,
                std::int16_t ending_date, const PaneLook& look);

} // namespace tk5::indicators
