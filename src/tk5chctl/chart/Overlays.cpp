// SPDX-License-Identifier: BSD-3-Clause
#include "Overlays.h"

#include "Geometry.h"

#include "calc/mdlBollingerBands.h"
#include "calc/mdlCalculateMA.h"

namespace tk5 {

long lastAverageDay(const ChartState& st, std::int16_t e, std::int16_t periods) {
    if (static_cast<long>(e) + periods > st.series.day_count)
        return static_cast<long>(st.series.day_count) - periods;
    return e;
}

void DrawMovingAverage(const ChartState& st, DrawingSurface& chart, std::int16_t s, std::int16_t e,
                       std::int16_t periods) {
    const DayAxis axis = chartAxis(chart, st, s);
    const double H = chart.Height();
    const long last = lastAverageDay(st, e, periods);
    FloatDays ma(kBufferCapacity);
    CalculateMA(st.series.price_close, ma, s, add16(e, 1), periods);
    for (long d = s; d <= last; ++d)
        chart.Line(axis.x(d), priceToY(st, H, ma[d]), axis.x(d + 1), priceToY(st, H, ma[d + 1]));
}

void DrawEnvelopes(const ChartState& st, DrawingSurface& chart, std::int16_t s, std::int16_t e,
                   std::int16_t periods, std::int16_t percent) {
    const DayAxis axis = chartAxis(chart, st, s);
    const double H = chart.Height();
    const long last = lastAverageDay(st, e, periods);
    FloatDays ma(kBufferCapacity);
    CalculateMA(st.series.price_close, ma, s, add16(e, 1), periods);
    const double f = percent / 100.0;
    for (long d = s; d <= last; ++d) {
        const float x1 = axis.x(d);
        const float x2 = axis.x(d + 1);
        chart.Line(x1, priceToY(st, H, ma[d] * (1.0 + f)), x2,
                   priceToY(st, H, ma[d + 1] * (1.0 + f)));
        chart.Line(x1, priceToY(st, H, ma[d] * (1.0 - f)), x2,
                   priceToY(st, H, ma[d + 1] * (1.0 - f)));
    }
}

void DrawBands(const ChartState& st, DrawingSurface& chart, std::int16_t s, std::int16_t e,
               float periods, float width) {
    const DayAxis axis = chartAxis(chart, st, s);
    const double H = chart.Height();
    const double p = periods;
    long last = e;
    if (e + p > st.series.day_count) last = toInt16(st.series.day_count - p);
    FloatDays ma(kBufferCapacity);
    FloatDays dev(kBufferCapacity);
    CalculateMA(st.series.price_close, ma, s, toInt16(e + p + 1.0), toInt16(p));
    BollingerBands(st.series.price_close, ma, dev, s, e, periods, width);
    for (long d = s; d <= last - 1; ++d) {
        const float x1 = axis.x(d);
        const float x2 = axis.x(d + 1);
        chart.Line(x1, priceToY(st, H, static_cast<double>(ma[d]) - dev[d]), x2,
                   priceToY(st, H, static_cast<double>(ma[d + 1]) - dev[d + 1]));
        chart.Line(x1, priceToY(st, H, static_cast<double>(ma[d]) + dev[d]), x2,
                   priceToY(st, H, static_cast<double>(ma[d + 1]) + dev[d + 1]));
    }
}

namespace {

// Runs one overlay; a day it cannot reach ends the chart with a message that names the overlay
// and the window.
template <typename Draw>
void drawOverlay(const QString& name, std::int16_t s, std::int16_t e, Draw&& draw) {
    try {
        draw();
    } catch (const ChartError& error) {
        if (error.kind() != ChartError::Kind::IndexOutOfRange) throw;
        throw ChartError(error.kind(),
                         QStringLiteral("The %1 cannot be drawn over days %2 to %3: %4")
                             .arg(name)
                             .arg(s)
                             .arg(e)
                             .arg(QString::fromStdString(error.what()))
                             .toStdString());
    }
}

} // namespace

void DrawOverlays(const ChartState& st, const OverlaySettings& o, DrawingSurface& picture1,
                  std::int16_t s, std::int16_t e) {
    const struct {
        Flag flag;
        std::int16_t periods;
        Color color;
    } averages[] = {
        {st.show_ma10, 10, kMA10Color},
        {st.show_ma50, 50, kMA50Color},
        {st.show_ma200, 200, kMA200Color},
        {st.show_ma_custom, o.custom_ma_periods, kMACustomColor},
    };
    for (const auto& a : averages) {
        if (!isSet(a.flag)) continue;
        picture1.ForeColor = a.color;
        drawOverlay(QStringLiteral("%1-day moving average").arg(a.periods), s, e,
                    [&] { DrawMovingAverage(st, picture1, s, e, a.periods); });
    }
    if (isSet(st.show_envelopes)) {
        picture1.ForeColor = kEnvelopeColor;
        drawOverlay(QStringLiteral("envelopes"), s, e, [&] {
            DrawEnvelopes(st, picture1, s, e, o.envelope_periods, o.envelope_percent);
        });
    }
    if (isSet(st.show_bands)) {
        picture1.ForeColor = kBandsColor;
        drawOverlay(QStringLiteral("Bollinger bands"), s, e,
                    [&] { DrawBands(st, picture1, s, e, o.bands_periods, o.bands_width); });
    }
}

} // namespace tk5
