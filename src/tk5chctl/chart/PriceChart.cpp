// SPDX-License-Identifier: BSD-3-Clause
#include "PriceChart.h"

#include "Geometry.h"
#include "Overlays.h"
#include "chart/Marks.h"

namespace tk5 {

void Clear(ChartState& st, const ChartSurfaces& sf) {
    sf.Picture1->Cls();
    sf.TechRuler1->Cls();
    sf.TechRuler2->Cls();
    sf.TechRuler3->Cls();
    sf.PriceRuler->Cls();
    sf.DateRuler->Cls();
    st.isVerticalLineDisplayed = kFalse;
    st.isHorizontalLineDisplayed = kFalse;
}

namespace {

// With the chart hidden only the marks are shown, as bare arrows near the bottom edge:
// buys 200 and sells 50 twips above it, placed with the day width of the previous draw.
void drawBareArrows(const ChartState& st, DrawingSurface& chart, std::int16_t s) {
    const DayAxis axis = chartAxis(chart, st, s);
    const double H = chart.Height();
    for (long k = 1; k <= recordedCount(st.buy_number); ++k)
        drawArrowAtTwips(chart, axis.x(st.buy_day[k]), H - 200.0, true);
    for (long k = 1; k <= recordedCount(st.sell_number); ++k)
        drawArrowAtTwips(chart, axis.x(st.sell_day[k]), H - 50.0, false);
}

} // namespace

void DisplayChart(ChartState& st, const OverlaySettings& overlays, const ChartSurfaces& sf,
                  std::int16_t& s, std::int16_t& e) {
    DrawingSurface& chart = *sf.Picture1;
    if (isSet(st.chart_hidden)) {
        sf.PriceRuler->Cls();
        chart.Cls();
        drawBareArrows(st, chart, s);
        return;
    }

    const PriceSeries& series = st.series;
    if (e > series.day_count) e = series.day_count;

    const float W = chart.Width();
    const double H = chart.Height();
    st.day_width = toSingle(divide(W, static_cast<double>(e) - s + 2.0));
    st.starting_date_local = s;
    st.ending_date_local = e;
    const double dw = st.day_width;
    constexpr double px = DrawingSurface::TwipsPerPixelX;
    constexpr double py = DrawingSurface::TwipsPerPixelY;

    const DayAxis axis = chartAxis(chart, st, s);
    auto x = [&](long d) { return axis.x(d); };
    auto y = [&](float price) { return priceToY(st, H, price); };

    chart.ForeColor = RGB(0, 0, 0);

    if (!isSet(st.show_high_low_close)) {
        // Close line: each day joined to the day before it; the oldest shown day is joined
        // to the left edge only when that older day is loaded.
        for (long d = s; d <= e; ++d) {
            if (d == e && e >= series.day_count) break;
            chart.Line(x(d), y(series.price_close[d]), x(d + 1), y(series.price_close[d + 1]));
        }
    } else {
        const long n = static_cast<long>(e) - s;
        for (long d = s; d <= e; ++d) {
            const float xd = x(d);
            const float yLow = y(series.price_low[d]);
            const float yHigh = y(series.price_high[d]);
            const float yClose = y(series.price_close[d]);
            if (n == 30 || n >= 100) {
                // Wide windows: one-pixel bars with a half-day tick at the close.
                chart.Line(xd, yLow, xd, yHigh);
                chart.Line(toSingle(xd + 0.5 * dw), yClose, xd, yClose);
            } else {
                // Narrow windows: three-pixel bars; middle windows two-pixel bars; both
                // with a close flag 0.3 day widths long.
                chart.Box(toSingle(xd - px), yLow, n < 30 ? toSingle(xd + px) : xd, yHigh);
                chart.Box(toSingle(xd + 0.3 * dw), toSingle(yClose - py), xd, yClose);
            }
        }
    }

    DrawOverlays(st, overlays, chart, s, e);

    for (long k = 1; k <= recordedCount(st.buy_number); ++k)
        DrawBuy(st, chart, x(st.buy_day[k]));
    for (long k = 1; k <= recordedCount(st.sell_number); ++k)
        DrawSell(st, chart, x(st.sell_day[k]));
}

} // namespace tk5
