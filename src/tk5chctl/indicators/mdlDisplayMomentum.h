// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "PaneFrame.h"
#include "common/DayArray.h"

#include <cstdint>

namespace tk5::indicators {

// Momentum pane: dark green bars of close[i] - close[i + P] around the centre line, scaled to
// the largest absolute change M of the window, labelled "####0.00" of M, "0" and "-" + that
// text. A close past day 5000 ends the drawing with ChartError after the reference lines.
void DisplayMomentum(DrawingSurface& ruler, DrawingSurface& plot, const FloatDays& price_close,
                     std::int16_t starting_date, std::int16_t ending_date, std::int16_t P,
                     const PaneLook& look);

} // namespace tk5::indicators
