// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "PaneFrame.h"

#include "model/ChartState.h"
#include "surface/ChartSurfaces.h"

#include <cstdint>

namespace tk5 {

// One pane: the indicator of this kind (1..10; any other code draws nothing) with the pane's
// own periods over days s..e, on a ruler and a plot surface, in the look given.
void DrawIndicatorPane(std::int16_t kind, DrawingSurface& ruler, DrawingSurface& plot,
                       const PriceSeries& ps, std::int16_t s, std::int16_t e,
                       const IndicatorSettings& p, const indicators::PaneLook& look);

// Clears Picture2..Picture4 and draws pane 1, 2, 3 with the indicator codes given and each
// pane's own periods from st.pane_settings; codes outside 1..10 leave a pane empty. The
// margin bands use bandColor. A failing non-tolerant routine ends the call with ChartError,
// leaving the later panes cleared; the caller raises DrawComplete only after a normal return.
void DisplayTechnicalIndicators(const ChartState& st, const ChartSurfaces& sf,
                                std::int16_t indicator1, std::int16_t indicator2,
                                std::int16_t indicator3, Color bandColor);

} // namespace tk5
