// SPDX-License-Identifier: BSD-3-Clause
#include "Marks.h"

#include "Crosshair.h"
#include "Geometry.h"
#include "mdlDrawArrow.h"

#include "common/Twips.h"

#include <optional>

namespace tk5 {

std::optional<std::int16_t> loadedDayUnder(const ChartState& st, float x, float W) {
    const std::optional<std::int16_t> d = dayUnder(st, W, x);
    if (!d || *d < 1 || *d > st.series.day_count) return std::nullopt;
    return d;
}

void drawArrowAtTwips(DrawingSurface& chart, double x, double y, bool isBuy) {
    DrawArrow(toSingle(x / kTwipsPerPixel), toSingle(y / kTwipsPerPixel), chart, isBuy);
}

// Marks use the price scale without the bars' 50-twip margin: a buy's tip lies 50 twips
// under the bar's low end, a sell's 50 twips over its high end.
void DrawBuy(const ChartState& st, DrawingSurface& picture1, float x) {
    const std::optional<std::int16_t> d = loadedDayUnder(st, x, picture1.Width());
    if (!d) return;
    const double y = picture1.Height() - priceOffset(st, st.series.price_low[*d]);
    drawArrowAtTwips(picture1, x, y, true);
}

void DrawSell(const ChartState& st, DrawingSurface& picture1, float x) {
    const std::optional<std::int16_t> d = loadedDayUnder(st, x, picture1.Width());
    if (!d) return;
    const double y = picture1.Height() - 100.0 - priceOffset(st, st.series.price_high[*d]);
    drawArrowAtTwips(picture1, x, y, false);
}

} // namespace tk5
