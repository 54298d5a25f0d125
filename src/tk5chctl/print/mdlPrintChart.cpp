// SPDX-License-Identifier: BSD-3-Clause
#include "mdlPrintChart.h"

#include "PageRegion.h"

#include "calc/mdlCalculateMA.h"
#include "chart/DateRuler.h"
#include "chart/Overlays.h"
#include "chart/mdlDrawArrow.h"
#include "common/Formats.h"
#include "indicators/TechnicalIndicators.h"

#include <QDate>

#include <array>
#include <cmath>
#include <optional>

namespace tk5 {

namespace {

constexpr Color kBlack = RGB(0, 0, 0);
const QString kCredit = QStringLiteral("Charted with tk5chctl");

// Page fonts, in points on paper.
constexpr float kTitlePoints = 10;
constexpr float kLabelPoints = 7;
constexpr float kDatePoints = 6.5f;

// More ticks than this cannot be told apart on a page: such a scale gets none.
constexpr double kMaxPageTicks = 1000;

// The page's regions in page units. W' and H' are 32-bit integers.
struct PageGeometry {
    explicit PageGeometry(const DrawingSurface& page)
        : W(page.Width()), H(page.Height()), Wp(toInt32(W - 750)), Hp(toInt32(H - 200)) {}
    double W, H;
    std::int32_t Wp, Hp;
    double right() const { return W - 500; }
    double priceBottom() const { return Hp * 2.0 / 3; } // the price area's lower edge
    double bandTop(int p) const {
        return bandEdges().at(static_cast<size_t>(p - 1));
    } // band p = 1..3
    double bandBottom(int p) const { return bandEdges().at(static_cast<size_t>(p)); }
    std::array<double, 4> bandEdges() const {
        return {Hp * 2.0 / 3 + 100, Hp * 7.0 / 9 + 100, Hp * 8.0 / 9 + 100, H - 100};
    }
};

// The days of the window across the price area and the price scale of the state's ruler.
struct PageScale {
    PageScale(const ChartState& st, const PageGeometry& g)
        : s(st.starting_date_local), n(static_cast<long>(st.ending_date_local) - s + 1),
          right(g.right()), dw(n >= 1 ? (g.W - 750) / static_cast<double>(n + 1) : 0),
          step(st.price_step), bottom(st.ruler_bottom), top(st.ruler_top), base(g.priceBottom()) {
        const double span = (top - bottom) * step;
        if (span > 0 && top - bottom <= kMaxPageTicks) scale = (base - 100 - 10) / span;
    }
    long s, n;
    double right, dw;
    double step, bottom, top, base;
    double scale = 0; // page units per price unit; 0 when the state holds no usable scale

    bool hasDays() const { return n >= 1; }
    bool hasPrices() const { return scale > 0 && std::isfinite(scale); }
    double x(long day) const { return right - static_cast<double>(day - s + 1) * dw; }
    double y(double price) const { return base - 5 - (price - bottom * step) * scale; }
};

// The days of the window that hold loaded prices.
template <typename F> void forLoadedDays(const ChartState& st, F&& f) {
    const long from = std::max<long>(1, st.starting_date_local);
    const long to = std::min<long>(st.ending_date_local, st.series.day_count);
    for (long i = from; i <= to; ++i)
        f(i);
}

void frame(DrawingSurface& p, const PageGeometry& g) {
    const auto H = static_cast<float>(g.H);
    const auto right = static_cast<float>(g.right());
    const auto base = static_cast<float>(g.priceBottom());
    p.ForeColor = RGB(220, 220, 220);
    p.Box(100, 100, 250, H - 100);
    p.Box(250, base, right, base + 100);
    p.ForeColor = kBlack;
    for (int b = 2; b <= 3; ++b) {
        const auto y = static_cast<float>(g.bandTop(b));
        p.Line(250, y, right, y);
    }
    p.Line(250, base, right, base);
    p.Line(250, base + 100, right, base + 100);
    p.Line(250, 100, 250, H - 100);
    p.Line(100, 100, 100, H - 100);
    p.Line(right, 100, right, H - 100);
    p.Line(100, 100, right, 100);
    p.Line(100, H - 100, right, H - 100);
}

void title(DrawingSurface& p, const ChartState& st, const PageGeometry& g) {
    const QString name = st.company_name.isEmpty() ? st.ticker_name : st.company_name;
    p.FontSize = kTitlePoints;
    p.FontBold = true;
    p.CurrentX = static_cast<float>(g.Wp / 7.0);
    p.CurrentY = 50;
    printFitted(p, QStringLiteral("Price History - ") + name + QStringLiteral("    ") + kCredit,
                g.right() - p.CurrentX);
    p.FontSize = kLabelPoints;
    p.FontBold = false;
}

void priceRuler(DrawingSurface& p, const PageScale& sc) {
    const long ticks = static_cast<long>(sc.top - sc.bottom);
    const auto right = static_cast<float>(sc.right);
    for (long t = 0; t <= ticks; ++t) {
        const double y = sc.base - 5 - static_cast<double>(t) * sc.step * sc.scale;
        const auto yt = static_cast<float>(y);
        const bool isTop = t == ticks;
        if (!isTop) {
            p.CurrentX = 125;
            p.CurrentY = yt - 45;
            printFitted(p,
                        QStringLiteral("$ ") +
                            formatGeneral(toSingle((sc.bottom + static_cast<double>(t)) * sc.step)),
                        125);
        }
        p.Line(150, yt, 250, yt);
        if (t > 0 && !isTop) {
            p.DrawStyle = kDotted;
            p.Line(250, yt, right, yt, RGB(190, 190, 190));
            p.DrawStyle = kSolid;
        }
        if (!isTop)
            for (int m = 1; m <= 9; ++m) {
                const auto ym = static_cast<float>(y - m / 10.0 * sc.step * sc.scale);
                p.Line(230, ym, 250, ym);
            }
    }
}

// The date labels in the grey strip under the price area: ticks down from its upper edge and
// two rows of labels, each label centred under its day, kept inside the strip and left out
// where it would run into the label before it in its row.
class DateStrip {
public:
    DateStrip(DrawingSurface& p, const PageScale& sc) : p_(p), sc_(sc) {}

    void tick(double x, bool isLong) {
        const auto xf = static_cast<float>(x), top = static_cast<float>(sc_.base);
        p_.Line(xf, top, xf, top + (isLong ? 25.0f : 12.0f));
    }
    void label(int row, double x, const QString& text) {
        const double w = p_.TextWidth(text);
        const double left = std::clamp(x - w / 2, 252.0, std::max(252.0, sc_.right - 2 - w));
        double& last = lastRight_[static_cast<size_t>(row)];
        if (left < last + 12) return;
        p_.CurrentX = static_cast<float>(left);
        p_.CurrentY = static_cast<float>(sc_.base + (row == 0 ? 28 : 62));
        p_.Print(text);
        last = left + w;
    }

private:
    DrawingSurface& p_;
    const PageScale& sc_;
    std::array<double, 2> lastRight_{-1e9, -1e9};
};

void dateLabels(DrawingSurface& p, const ChartState& st, const PageScale& sc) {
    p.FontSize = kDatePoints;
    DateStrip strip(p, sc);
    const int band = printedDateBand(sc.n);
    int prevDay = 0, prevWeekday = 8;
    const long oldest = std::min<long>(st.ending_date_local, st.series.day_count);
    const long newest = std::max<long>(1, sc.s);
    const DayDates::Reader dates = st.series.price_date.reader();
    for (long i = oldest; i >= newest; --i) {
        const std::optional<QDate> date = dates.date(i);
        if (!date) continue;
        const double x = sc.x(i);
        auto fmt = [&](const char* pattern) {
            return formatDate(*date, QString::fromLatin1(pattern));
        };
        // The first trading day of a month (of a week): its day of the month (of the week)
        // fell against the day before. The window's first day never is one.
        const bool newMonth = date->day() < prevDay;
        const bool newWeek = date->dayOfWeek() < prevWeekday && prevDay != 0;
        const QString month = fmt("mmm");
        const bool january = month == QLatin1String("Jan");
        const bool quarter = january || month == QLatin1String("Apr") ||
                             month == QLatin1String("Jul") || month == QLatin1String("Oct");
        switch (band) {
        case 1:
            strip.tick(x, false);
            strip.label(0, x, fmt("d,mmm,yy"));
            break;
        case 2:
        case 3:
            strip.tick(x, newMonth);
            if (band == 2 || newWeek) strip.label(0, x, fmt("d"));
            if (newMonth || prevDay == 0) strip.label(1, x, fmt("mmm,yy"));
            break;
        case 4:
            strip.tick(x, newMonth && quarter);
            if (newMonth) strip.label(0, x, month);
            if (newMonth && january) strip.label(1, x, fmt("mmm,yyyy"));
            break;
        case 5:
            if (newMonth) {
                strip.tick(x, quarter);
                const int m = date->month();
                strip.label(0, x,
                            january ? monthInitial(m) + QLatin1Char(',') + fmt("yy")
                                    : monthInitial(m));
            }
            break;
        default:
            if (newMonth && quarter) {
                strip.tick(x, january);
                if (january) strip.label(0, x, fmt("mmm,yy"));
            }
            break;
        }
        prevDay = date->day();
        prevWeekday = date->dayOfWeek();
    }
    p.FontSize = kLabelPoints;
}

void bars(DrawingSurface& p, const ChartState& st, const PageScale& sc) {
    p.ForeColor = kBlack;
    forLoadedDays(st, [&](long i) {
        const auto x = static_cast<float>(sc.x(i));
        const auto close = static_cast<float>(sc.y(st.series.price_close[i]));
        p.Line(x, static_cast<float>(sc.y(st.series.price_high[i])), x,
               static_cast<float>(sc.y(st.series.price_low[i])));
        p.Line(x, close, static_cast<float>(x + sc.dw / 2), close);
    });
}

void averages(DrawingSurface& p, const ChartState& st, const PageScale& sc) {
    struct Average {
        Flag shown;
        std::int16_t periods;
        Color color;
    };
    const Average kAverages[] = {{st.show_ma10, 10, RGB(255, 0, 0)},
                                 {st.show_ma50, 50, RGB(0, 255, 0)},
                                 {st.show_ma200, 200, RGB(0, 0, 255)}};
    const std::int16_t s = st.starting_date_local, e = st.ending_date_local;
    for (const Average& a : kAverages) {
        if (!isSet(a.shown)) continue;
        // An average that needs a day beyond its work buffer is left off the page.
        skipOnError([&] {
            FloatDays ma(kBufferCapacity);
            CalculateMA(st.series.price_close, ma, s, add16(e, 1), a.periods);
            p.DrawWidth = 2;
            p.ForeColor = a.color;
            const long last = lastAverageDay(st, e, a.periods);
            for (long d = std::max<long>(s, 1); d <= last; ++d)
                p.Line(static_cast<float>(sc.x(d)), static_cast<float>(sc.y(ma[d])),
                       static_cast<float>(sc.x(d + 1)), static_cast<float>(sc.y(ma[d + 1])));
        });
        p.DrawWidth = 1;
        p.ForeColor = kBlack;
    }
}

void marks(DrawingSurface& p, const ChartState& st, const PageScale& sc) {
    auto draw = [&](const DayArray<std::int16_t>& days, std::int16_t count, bool isBuy) {
        const long n = recordedCount(count);
        for (long k = 1; k <= n; ++k) {
            const long day = days[k];
            if (day < std::max<long>(1, sc.s) ||
                day > std::min<long>(st.ending_date_local, st.series.day_count))
                continue;
            const auto x = toInt32(sc.x(day));
            const int dir = isBuy ? 1 : -1;
            const auto y = toInt32(isBuy ? sc.y(st.series.price_low[day]) + 10
                                         : sc.y(st.series.price_high[day]) - 10);
            DrawArrow(static_cast<float>(x), static_cast<float>(y), p, isBuy);
            const std::vector<QPoint> corners = {{x, y + dir * 5},      {x + 12, y + dir * 25},
                                                 {x + 4, y + dir * 25}, {x + 4, y + dir * 50},
                                                 {x - 4, y + dir * 50}, {x - 4, y + dir * 25},
                                                 {x - 12, y + dir * 25}};
            p.FillPolygon(corners, isBuy ? RGB(0, 255, 0) : RGB(255, 0, 0));
        }
    };
    draw(st.buy_day, st.buy_number, true);
    draw(st.sell_day, st.sell_number, false);
}

void legend(DrawingSurface& p, const ChartState& st, std::int16_t custom_ma_periods,
            const PageGeometry& g) {
    const auto W = static_cast<float>(g.W);
    float y = 400;
    for (const LegendEntry& entry : printedLegend(st, custom_ma_periods)) {
        p.Box(W - 450, y, W - 400, y + 30, entry.color);
        p.ForeColor = kBlack;
        p.CurrentX = W - 350;
        p.CurrentY = y;
        printFitted(p, entry.text, 340);
        y += 100;
    }
}

// The bars' width on paper by the number of days shown, in page units.
double bandBarWidth(long n) {
    if (n < 30) return 24;
    if (n < 100) return 10;
    if (n < 300) return 4;
    if (n < 700) return 2;
    return 1;
}

void indicatorBands(PageSurface& p, const ChartState& st, const PageGeometry& g,
                    const PageScale& sc) {
    if (!sc.hasDays()) return;
    const auto look =
        indicators::PaneLook::printed(static_cast<float>(bandBarWidth(sc.n) / PageRegion::kScale));
    for (int b = 1; b <= 3; ++b) {
        const auto top = static_cast<float>(g.bandTop(b));
        const auto bottom = static_cast<float>(g.bandBottom(b));
        PageRegion ruler(p, 100, top, 250, bottom);
        PageRegion plot(p, 250, top, static_cast<float>(g.right()), bottom);
        ruler.FontSize = kLabelPoints;
        plot.FontSize = kLabelPoints;
        const IndicatorSettings& pane = st.pane(b);
        // A band whose indicator cannot be worked out over this window stays as far as drawn.
        skipOnError([&] {
            DrawIndicatorPane(pane.kind, ruler, plot, st.series, st.starting_date_local,
                              st.ending_date_local, pane, look);
        });
    }
}

} // namespace

std::vector<LegendEntry> printedLegend(const ChartState& st, std::int16_t custom_ma_periods) {
    std::vector<LegendEntry> out;
    if (isSet(st.show_ma10)) out.push_back({QStringLiteral("10 Day MA"), RGB(255, 0, 0)});
    if (isSet(st.show_ma50)) out.push_back({QStringLiteral("50 Day MA"), RGB(0, 255, 0)});
    if (isSet(st.show_ma200)) out.push_back({QStringLiteral("200 Day MA"), RGB(0, 0, 255)});
    if (isSet(st.show_ma_custom))
        out.push_back(
            {QString::number(custom_ma_periods) + QStringLiteral(" Day MA"), RGB(0, 255, 255)});
    auto n = [](std::int16_t v) { return QString::number(v); };
    for (int b = 1; b <= 3; ++b) {
        const IndicatorSettings& s = st.pane(b);
        switch (s.kind) {
        case IndicatorKind::Volume:
            out.push_back({QStringLiteral("Volume"), RGB(0, 128, 0)});
            break;
        case IndicatorKind::RSI:
            out.push_back({QStringLiteral("RSI(") + n(s.rsi_periods) + u')', kBlack});
            break;
        case IndicatorKind::FastStochastic:
            out.push_back({QStringLiteral("Fast Stoch. %K(") + n(s.fs_periods_k) + u')', kBlack});
            out.push_back(
                {QStringLiteral("Fast Stoch. %D(") + n(s.fs_periods_d) + u')', RGB(255, 0, 0)});
            break;
        case IndicatorKind::SlowStochastic:
            out.push_back({QStringLiteral("Slow Stoch. %K(") + n(s.ss_periods_k) + u')', kBlack});
            out.push_back(
                {QStringLiteral("Slow Stoch. %D(") + n(s.ss_periods_d) + u')', RGB(255, 0, 0)});
            break;
        case IndicatorKind::MACD:
            out.push_back({QStringLiteral("MACD(") + n(s.macd_periods1) + QStringLiteral(" vs. ") +
                               n(s.macd_periods2) + u')',
                           kBlack});
            out.push_back({QStringLiteral("EMA(") + n(s.macd_periods3) + u')', RGB(255, 0, 0)});
            out.push_back({QStringLiteral("Divergence"), RGB(28, 177, 227)});
            break;
        case IndicatorKind::ExpMADifference:
            out.push_back({QStringLiteral("EMA Diff.(") + n(s.exp_ma_periods1) +
                               QStringLiteral(" vs. ") + n(s.exp_ma_periods2) + u')',
                           RGB(0, 200, 0)});
            break;
        case IndicatorKind::Momentum:
            out.push_back(
                {QStringLiteral("Momentum(") + n(s.momentum_periods) + u')', RGB(0, 70, 0)});
            break;
        case IndicatorKind::Volatility:
            out.push_back({QStringLiteral("Volatility(") + n(s.volatility_periods1) +
                               QStringLiteral(" vs. ") + n(s.volatility_periods2) + u')',
                           kBlack});
            break;
        case IndicatorKind::OnBalanceVolume:
            out.push_back({QStringLiteral("On Balance Volume"), RGB(0, 128, 0)});
            break;
        case IndicatorKind::MoneyFlowIndex:
            out.push_back(
                {QStringLiteral("Money Flow(") + n(s.money_flow_periods) + u')', RGB(178, 0, 178)});
            break;
        default:
            break;
        }
    }
    return out;
}

int printedDateBand(long n) {
    if (n <= 12) return 1;
    if (n <= 29) return 2;
    if (n <= 99) return 3;
    if (n <= 299) return 4;
    if (n <= 699) return 5;
    return 6;
}

void PrintEntireChart(const ChartState& st, std::int16_t custom_ma_periods, PageSurface& printer) {
    PageSurface& p = printer;
    p.FontName = QStringLiteral("Arial");
    p.FontSize = kLabelPoints;
    p.FontBold = false;
    p.ForeColor = kBlack;
    p.DrawStyle = kSolid;
    p.DrawMode = kDrawCopy;
    p.CurrentX = 0;
    p.CurrentY = 0;
    p.Print(QStringLiteral(" "));
    p.DrawWidth = 1;
    const PageGeometry g(p);
    const PageScale sc(st, g);

    frame(p, g);
    title(p, st, g);
    if (sc.hasPrices()) priceRuler(p, sc);
    if (sc.hasDays()) dateLabels(p, st, sc);
    if (sc.hasDays() && sc.hasPrices()) {
        p.clip(250, 100, static_cast<float>(g.right()), static_cast<float>(g.priceBottom()));
        bars(p, st, sc);
        averages(p, st, sc);
        marks(p, st, sc);
        p.clip();
    }
    legend(p, st, custom_ma_periods, g);
    indicatorBands(p, st, g, sc);
}

} // namespace tk5
