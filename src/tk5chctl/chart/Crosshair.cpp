// SPDX-License-Identifier: BSD-3-Clause
#include "Crosshair.h"

#include "common/DayAxis.h"
#include "common/Formats.h"

#include <cmath>

namespace tk5 {

namespace {

// A change as the caption tells it: rounded to two decimals, without its sign and without
// trailing zeros (1.50 reads 1.5, 2.00 reads 2).
QString unsignedAmount(float value) {
    const std::optional<double> rounded = textToNumber(formatFixed(value, 2));
    return formatGeneral(std::fabs(rounded.value_or(0.0)));
}

} // namespace

std::array<DrawingSurface*, 5> verticalLineSurfaces(const ChartSurfaces& sf) {
    return {sf.Picture1, sf.Picture2, sf.Picture3, sf.Picture4, sf.DateRuler};
}

std::optional<std::int16_t> dayUnder(const ChartState& st, double W, double x) {
    try {
        return DayAxis(W, st.starting_date_local, st.ending_date_local).dayAt(x);
    } catch (const ChartError&) {
        return std::nullopt;
    }
}

CaptionTexts captionAt(const ChartState& st, float W, float x) {
    CaptionTexts out;
    out.changeColor = kFallColor;
    const PriceSeries& s = st.series;
    const std::optional<std::int16_t> day = dayUnder(st, W, x);
    if (!day) return out;
    const long j = *day;
    if (s.price_date.contains(j)) {
        if (const std::optional<QDate> date = s.price_date.date(j))
            out.caption = st.company_name + QStringLiteral("   High: $") +
                          formatNoLeadingZero(s.price_high[j]) + QStringLiteral("   Low: $") +
                          formatNoLeadingZero(s.price_low[j]) + QStringLiteral("   Close: $") +
                          formatNoLeadingZero(s.price_close[j]) + QStringLiteral("   Date: ") +
                          formatDate(*date, QStringLiteral("dd,mmm,yyyy"));
    }
    if (!s.price_close.contains(j) || !s.price_close.contains(j + 1)) return out;
    const float previous = s.price_close[j + 1];
    const float c = s.price_close[j] - previous;
    if (previous == 0.0f || !std::isfinite(c)) return out;
    const float p = c / previous * 100.0f;
    if (!std::isfinite(p)) return out;
    const bool rise = c > 0;
    if (rise) out.changeColor = kRiseColor;
    out.change = QStringLiteral("Change ") + (rise ? QStringLiteral("+$") : QStringLiteral("-$")) +
                 unsignedAmount(c) + QStringLiteral("   ") +
                 (rise ? QStringLiteral("+") : QStringLiteral("-")) + unsignedAmount(p) +
                 QStringLiteral("%");
    return out;
}

void moveVerticalLine(ChartState& st, const ChartSurfaces& sf, float X,
                      const std::function<void(float)>& updateCaption) {
    const std::array<DrawingSurface*, 5> five = verticalLineSurfaces(sf);
    auto invertAt = [&](float x) {
        for (DrawingSurface* s : five)
            s->DrawMode = kDrawInvert;
        for (DrawingSurface* s : five)
            s->Line(x, 0, x, s->Height());
    };
    if (st.OldVerticalLineX != 0 && isSet(st.isVerticalLineDisplayed))
        invertAt(st.OldVerticalLineX);
    invertAt(X);
    if (updateCaption) updateCaption(X);
    st.isVerticalLineDisplayed = kTrue;
    st.OldVerticalLineX = X;
    for (DrawingSurface* s : five)
        s->DrawMode = kDrawCopy;
}

void moveHorizontalLine(ChartState& st, const ChartSurfaces& sf, float Y) {
    DrawingSurface& chart = *sf.Picture1;
    auto invertAt = [&](float y) {
        chart.DrawMode = kDrawInvert;
        chart.DrawStyle = kDashed;
        chart.Line(0, y, chart.Width(), y);
    };
    if (st.OldHorizontalLineY != 0 && isSet(st.isHorizontalLineDisplayed))
        invertAt(st.OldHorizontalLineY);
    invertAt(Y);
    st.isHorizontalLineDisplayed = kTrue;
    st.OldHorizontalLineY = Y;
}

} // namespace tk5
