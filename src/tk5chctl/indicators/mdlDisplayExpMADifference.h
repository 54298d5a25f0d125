// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "PaneFrame.h"
#include "common/DayArray.h"

#include <cstdint>

namespace tk5::indicators {

// EMA difference pane: green bars of CalculateExpMA(close, i, N1) - CalculateExpMA(close,
// i, N2) around the centre line, scaled to the largest difference M of the window, labelled
// "####0.00" of M, "0" and "-" + that text. Reads the close only through CalculateExpMA.
void DisplayExpMADifference(DrawingSurface& ruler, DrawingSurface& plot,
                            const FloatDays& price_close, std::int16_t starting_date,
                            std::int16_t ending_date, std::int16_t N1, std::int16_t N2,
                            const PaneLook& look);

} // namespace tk5::indicators
