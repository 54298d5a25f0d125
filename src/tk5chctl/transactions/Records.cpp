// SPDX-License-Identifier: BSD-3-Clause
#include "Records.h"

#include "chart/Geometry.h"
#include "chart/Marks.h"
#include "common/Formats.h"

#include <cmath>

namespace tk5 {

namespace {

// The pair's gain in percent as the list writes it; empty when it cannot be computed.
QString gainText(const PriceSeries& series, long soldOn, long boughtOn) {
    if (!series.price_close.contains(soldOn) || !series.price_close.contains(boughtOn)) return {};
    const double bought = series.price_close[boughtOn];
    if (bought == 0.0) return {};
    const double gain = (series.price_close[soldOn] / bought - 1.0) * 100.0;
    return std::isfinite(gain) ? formatFixed(gain, 1) : QString();
}

TransactionRow rowOf(const PriceSeries& series, long d, const QString& kind) {
    return {kind, formatFixed(series.price_close[d], 2), series.price_date[d], {}};
}

// The inverted line at x, drawn around a mark so that a crosshair line standing there stays.
void invertLineAt(DrawingSurface& chart, float x, bool thin) {
    chart.DrawMode = kDrawInvert;
    if (thin) chart.DrawWidth = 1;
    chart.Line(x, 0, x, chart.Height());
    chart.DrawMode = kDrawCopy;
}

void markAt(const ChartState& st, DrawingSurface& chart, float x, long d, bool isBuy) {
    const double H = chart.Height();
    double y = 0;
    if (isSet(st.chart_hidden))
        y = isBuy ? H - 200.0 : H - 30.0;
    else
        y = isBuy ? H - priceOffset(st, st.series.price_low[d])
                  : H - 100.0 - priceOffset(st, st.series.price_high[d]);
    invertLineAt(chart, x, false);
    drawArrowAtTwips(chart, x, y, isBuy);
    invertLineAt(chart, x, true);
}

} // namespace

TransactionRow buyRow(const PriceSeries& series, long d) {
    return rowOf(series, d, QStringLiteral("B"));
}

TransactionRow sellRow(const PriceSeries& series, long d, long boughtOn) {
    TransactionRow row = rowOf(series, d, QStringLiteral("S"));
    row.gain = gainText(series, d, boughtOn);
    return row;
}

Recorded recordBuy(ChartState& st, TransactionList& list, DrawingSurface& picture1, float x) {
    const std::optional<std::int16_t> d = loadedDayUnder(st, x, picture1.Width());
    if (!d) return Recorded::NotADay;
    if (st.buy_number < 0 || st.buy_number >= kTransactionCapacity) return Recorded::Full;
    markAt(st, picture1, x, *d, true);
    list.rows.push_back(buyRow(st.series, *d));
    ++st.buy_number;
    st.buy_day[st.buy_number] = *d;
    return Recorded::Done;
}

Recorded recordSell(ChartState& st, TransactionList& list, DrawingSurface& picture1, float x) {
    const std::optional<std::int16_t> d = loadedDayUnder(st, x, picture1.Width());
    if (!d) return Recorded::NotADay;
    if (!st.buy_day.contains(st.buy_number) || *d > st.buy_day[st.buy_number])
        return Recorded::BeforeBuy;
    if (st.sell_number < 0 || st.sell_number >= kTransactionCapacity) return Recorded::Full;
    markAt(st, picture1, x, *d, false);
    list.rows.push_back(sellRow(st.series, *d, st.buy_day[st.buy_number]));
    ++st.sell_number;
    st.sell_day[st.sell_number] = *d;
    return Recorded::Done;
}

void fillList(const ChartState& st, TransactionList& list) {
    const long buys = recordedCount(st.buy_number);
    const long sells = recordedCount(st.sell_number);
    for (long k = 1; k <= buys; ++k) {
        const long bought = st.buy_day[k];
        if (st.series.price_close.contains(bought)) list.rows.push_back(buyRow(st.series, bought));
        if (k > sells) continue;
        const long sold = st.sell_day[k];
        if (st.series.price_close.contains(sold))
            list.rows.push_back(sellRow(st.series, sold, bought));
    }
}

} // namespace tk5
