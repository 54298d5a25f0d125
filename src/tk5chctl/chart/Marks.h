// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "model/ChartState.h"
#include "surface/DrawingSurface.h"

#include <optional>

namespace tk5 {

// The loaded day under x on a price chart W twips wide showing the state's window; none for a
// day outside 1..day_count (or no day at all).
std::optional<std::int16_t> loadedDayUnder(const ChartState& st, float x, float W);

// A buy mark (tip 50 twips under the day's low) or a sell mark (50 twips over its high) on
// the day under x on Picture1; records nothing. A position whose day is not a loaded day
// draws nothing.
void DrawBuy(const ChartState& st, DrawingSurface& picture1, float x);
void DrawSell(const ChartState& st, DrawingSurface& picture1, float x);

// A buy (sell) arrow whose tip is at (x, y) in twips, handed to DrawArrow in pixels.
void drawArrowAtTwips(DrawingSurface& chart, double x, double y, bool isBuy);

} // namespace tk5
