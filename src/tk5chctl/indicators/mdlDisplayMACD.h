// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "PaneFrame.h"
#include "common/DayArray.h"

#include <cstdint>

namespace tk5::indicators {

// MACD pane: the MACD line (CalculateExpMA N1 minus N2 of the close) in black, its signal
// line (CalculateExpMA N3 of the MACD values) in red and their difference as blue bars,
// centred on the largest MACD value M over days s .. e + N3. The MACD values are kept for
// days up to e + N3: a day past 3000 ends the drawing with ChartError after the reference
// lines.
void DisplayMACD(DrawingSurface& ruler, DrawingSurface& plot, const FloatDays& price_close,
                 std::int16_t starting_date, std::int16_t ending_date, std::int16_t N1,
                 std::int16_t N2, std::int16_t N3, const PaneLook& look);

} // namespace tk5::indicators
