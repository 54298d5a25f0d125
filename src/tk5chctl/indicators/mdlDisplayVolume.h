// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "PaneFrame.h"
#include "common/DayArray.h"

#include <cstdint>

namespace tk5::indicators {

// Volume pane: each day's volume as a green bar standing on the base line H - 50, scaled so
// that the window's largest volume M reaches 0.9 x H above it; ruler labels ValueToLabel(M),
// ValueToLabel(M / 2) and "0". Tolerant: a window reaching past day 5000 leaves M at 0 and
// every bar without height.
void DisplayVolume(DrawingSurface& ruler, DrawingSurface& plot,
                   const DayArray<std::int32_t>& price_volume, std::int16_t starting_date,
                   std::int16_t ending_date, const PaneLook& look);

} // namespace tk5::indicators
