// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "model/ChartState.h"
#include "surface/ChartSurfaces.h"

#include <cstdint>

namespace tk5 {

// Clears Picture1, the three pane rulers, PriceRuler and DateRuler, and marks both crosshair
// lines as gone.
void Clear(ChartState& st, const ChartSurfaces& sf);

// Draws the bars (or close line) of days s..e on Picture1, the enabled overlays and the buy
// and sell marks; the custom average, envelopes and bands use the overlay settings given.
// Lowers e to day_count when it is larger. A failure (an overlay running past its work
// buffers) ends the drawing and reaches the caller as ChartError.
void DisplayChart(ChartState& st, const OverlaySettings& overlays, const ChartSurfaces& sf,
                  std::int16_t& s, std::int16_t& e);

} // namespace tk5
