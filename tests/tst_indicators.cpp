// SPDX-License-Identifier: BSD-3-Clause
#include "Fixtures.h"

#include "indicators/TechnicalIndicators.h"

#include <QtTest>

#include <algorithm>

using namespace tk5;

namespace {

// Pane plots are 8745 x 1005 twips: centre line 502.5, reference lines 955 and 50; the 0..100
// scale has 9.05 twips a point, the centred one 905 / (2 M).
constexpr double kW = 8745;
constexpr Color kBand = RGB(1, 2, 3), kBlack = RGB(0, 0, 0), kRed = RGB(200, 0, 0);
constexpr Color kGreen = RGB(0, 128, 0), kPurple = RGB(178, 0, 178), kCyan = RGB(28, 177, 227);
constexpr Color kEmaGreen = RGB(0, 200, 0), kDarkGreen = RGB(0, 70, 0);
constexpr double kNone = -1; // a y not looked at
using Values = std::function<double(long)>;

double xOf(long day, long s, long e) { return kW - (day - s + 1) * kW / (e - s + 2); }
bool fullWidth(const DrawCall& d) { return d.x1 == 0 && d.x2 == float(kW) && d.y1 == d.y2; }

// The Line calls of one colour, reference lines left out; and the y they show for day d: where
// a segment or a bar ends at the day's x, for day e + 1 where a line starts at x = 0.
std::vector<DrawCall> plotted(const RecordingSurface& s, Color c) {
    std::vector<DrawCall> out;
    for (const DrawCall& d : test::callsOf(s, DrawCall::Op::Line))
        if (d.color == c && !fullWidth(d)) out.push_back(d);
    return out;
}
double yAt(const std::vector<DrawCall>& drawn, long d, long s, long e) {
    for (const DrawCall& c : drawn)
        if (d > e ? c.x1 == 0 : std::fabs(c.x2 - xOf(d, s, e)) < 0.01) return d > e ? c.y1 : c.y2;
    return NAN;
}

// Days newest first, "C=10.5,11,10 H=.. L=.. V=..": "7*40" is 40 sevens; a missing high, low or
// volume is close + 1, close - 1 and 1000.
std::vector<test::Day> days(const QString& text) {
    QMap<QChar, QList<double>> col;
    for (const QString& part : text.split(' '))
        for (const QString& item : part.mid(2).split(',', Qt::SkipEmptyParts))
            for (int n = std::max(1, item.section('*', 1).toInt()); n > 0; --n)
                col[part[0]] << item.section('*', 0, 0).toDouble();
    const QList<double> c = col.value('C');
    std::vector<test::Day> out;
    for (qsizetype i = 0; i < c.size(); ++i) {
        auto at = [&](QChar k, double fallback) { return col.value(k).value(i, fallback); };
        out.push_back({float(at('H', c[i] + 1)), float(at('L', c[i] - 1)), float(c[i]),
                       std::int32_t(at('V', 1000))});
    }
    return out;
}

// Periods in each kind's order (RSI N; K, D; N1, N2, N3; V1, V2 ...); missing ones are 5.
void setPeriods(IndicatorSettings& p, const QList<int>& v) {
    auto at = [&](int i) { return std::int16_t(v.value(i, 5)); };
    p.rsi_periods = p.fs_periods_k = p.ss_periods_k = p.macd_periods1 = p.exp_ma_periods1 = at(0);
    p.momentum_periods = p.volatility_periods1 = p.money_flow_periods = at(0);
    p.fs_periods_d = p.ss_periods_d = p.macd_periods2 = p.exp_ma_periods2 = at(1);
    p.volatility_periods2 = at(1);
    p.macd_periods3 = at(2);
}

// A control with its three panes, its settings store naming the band colour kBand.
struct Rig {
    test::CoreFixture f;
    test::Surfaces& sf = f.surfaces;
    ChartState& st = f.core.state();
    int raised = 0; // DrawComplete
    explicit Rig(const std::vector<test::Day>& d) {
        test::fillSeries(st.series, d);
        f.store.setValue(QStringLiteral("BkgRulers"), QString::number(kBand));
        f.core.onDrawComplete = [this] { ++raised; };
    }
    RecordingSurface& plot() { return sf.Picture2; }
    [[nodiscard]] bool draw(int kind, const QList<int>& periods, int s, int e, int k2, int k3) {
        setPeriods(st.pane(1), periods);
        st.starting_date_local = std::int16_t(s);
        st.ending_date_local = std::int16_t(e);
        sf.clearLogs();
        try {
            f.core.DisplayTechnicalIndicators(std::int16_t(kind), std::int16_t(k2),
                                              std::int16_t(k3));
        } catch (const ChartError&) {
            return false; // the drawing ended with ChartError
        }
        return true;
    }
};

// The documented formulas worked out plainly, day by day, for comparison with what is drawn.
// The exponential average: 2 / (N + 1) of day d, the rest of the mean of the N older days, a
// value that is not a finite number adding nothing to it. 0 when day d + N + 1 lies past the
// series' capacity or the average is not a finite number.
double ema(const Values& x, long d, int N, long capacity = kSeriesCapacity) {
    if (d + N + 1 > capacity) return 0;
    const Values finite = [&](long j) { return std::isfinite(x(j)) ? x(j) : 0; };
    const double v = (2 * x(d) + (N - 1) * test::sumOver(d + 1, d + N, finite) / N) / (N + 1);
    return std::isfinite(v) ? v : 0;
}

double lowest(const Values& v, long from, long to) {
    double m = v(from);
    for (long d = from; d <= to; ++d)
        m = std::min(m, v(d));
    return m;
}
double largestAbs(const Values& v, long from, long to) {
    return -lowest([&](long d) { return -std::fabs(v(d)); }, from, to);
}

// The y of day d in the line or bars of colour c that pane `kind` draws over s..e: 955 - 9.05 v
// on the 0..100 scale, 502.5 - v x 452.5 / M on the centred one.
double expectedY(int kind, Color c, const PriceSeries& p, const QList<int>& n, long s, long e,
                 long d) {
    const Values close = [&](long i) { return p.price_close[i]; };
    const Values low = [&](long i) { return p.price_low[i]; };
    const Values negHigh = [&](long i) { return -p.price_high[i]; };
    auto osc = [](double v) { return 955 - 9.05 * v; };
    auto centred = [](double v, double M) { return 502.5 - v * 452.5 / M; };
    switch (kind) {
    case Volume: { // the window's largest volume reaches 0.9 of the height over the 955 line
        const Values volume = [&](long i) { return p.price_volume[i]; };
        return 955 - volume(d) * 0.9 * 1005 / largestAbs(volume, s, e);
    }
    case OnBalanceVolume: { // 0 on day e; each newer day's volume added on a rise, taken on a fall
        const Values obv = [&](long i) {
            return test::sumOver(i, e - 1, [&](long j) {
                return p.price_volume[j] * ((close(j) > close(j + 1)) - (close(j) < close(j + 1)));
            });
        };
        return centred(obv(d), largestAbs(obv, s, e));
    }
    case RSI: { // each change a day older weighs (N - 1) / N as much; no loss at all gives 0
        auto weighted = [&](int sign) {
            return test::sumOver(d, d + n[0] - 2, [&](long j) {
                return std::max(0.0, sign * (close(j) - close(j + 1))) *
                       std::pow(1 - 1.0 / n[0], j - d);
            });
        };
        return osc(weighted(-1) ? 100 - 100 / (1 + weighted(1) / weighted(-1)) : 0);
    }
    case FastStochastic:
    case SlowStochastic: { // the slow %K takes the means of days i, i + 1 and i + 2
        const int m = kind == SlowStochastic ? 3 : 1;
        const Values K = [&](long i) {
            auto mean = [&](const Values& f) { return test::sumOver(i, i + m - 1, f) / m; };
            const double lo = mean([&](long t) { return lowest(low, t, t + n[0] - 1); });
            const double hi = -mean([&](long t) { return lowest(negHigh, t, t + n[0] - 1); });
            const double k = 100 * (mean(close) - lo) / (hi - lo);
            return std::isfinite(k) ? k : 0; // a flat range, a low that is not a number
        };
        return osc(c == kRed ? test::sumOver(d, d + n[1] - 1, K) / n[1] : K(d)); // %D: D days
    }
    case MACD: { // MACD is kept to day e + N3: the signal of day e + 1 reads 0 beyond
        const Values macd = [&](long i) {
            return i > e + n[2] ? 0 : ema(close, i, n[0]) - ema(close, i, n[1]);
        };
        const double signal = ema(macd, d, n[2], kBufferCapacity);
        const double v = c == kBlack ? macd(d) : c == kRed ? signal : macd(d) - signal;
        return centred(v, largestAbs(macd, s, e + n[2]));
    }
    case ExpMADifference:
    case Momentum: {
        const Values v = [&](long i) {
            return kind == Momentum ? close(i) - close(i + n[0])
                                    : ema(close, i, n[0]) - ema(close, i, n[1]);
        };
        return centred(v(d), largestAbs(v, s, e));
    }
    case Volatility: { // the V1-day average range against V2 days before; M leaves out day e
        const Values range = [&](long i) { return p.price_high[i] - p.price_low[i]; };
        const Values change = [&](long i) {
            return ema(range, i, n[0]) / ema(range, i + n[1], n[0]) - 1;
        };
        return centred(change(d), largestAbs(change, s, e - 1));
    }
    default: { // money flow: rising (a tie too) or falling against the older day; no flow is
               // kept past day e + P + 1, none compared past day 2999
        const Values flow = [&](long j) {
            return j > e + n[0] + 1 ? 0
                                    : (close(j) + low(j) + p.price_high[j]) * p.price_volume[j] / 3;
        };
        auto sum = [&](bool rising) {
            return test::sumOver(d, std::min<long>(d + n[0], kBufferCapacity - 1), [&](long j) {
                return (flow(j) >= flow(j + 1)) == rising ? flow(j) : 0;
            });
        };
        return osc(sum(false) ? 100 - 100 / (1 + sum(true) / sum(false)) : 0);
    }
    }
}

// One drawing of pane 1 (panes 2 and 3 showing k2 and k3) over the window s..e.
struct PaneCase {
    int kind;
    QString series{}; // see days(); empty: a 5000-day wave
    QList<int> periods{};
    int s, e;
    Color color = kBlack;       // of the line or bars looked at
    double yAtS = kNone;        // at day s: end of the last segment or top of the bar
    double yAtLeftEdge = kNone; // at day e + 1 (x = 0)
    QStringList labels{};       // empty: not compared
    int drawn = -1;             // lines of that colour; -1: not counted
    bool fails = false;
    std::int16_t k2 = Volume, k3 = RSI;
};

} // namespace

Q_DECLARE_METATYPE(PaneCase)

class TestIndicators : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::useEnglishLocale(); }

    // Each code over windows of e - s = 129 and 130 days (bars 5, then 3 pixels wide), in all three
    // panes, each with its own periods: colours (bars first), bands (drawn last), and every day
    // of each line (from day e + 1) and bar against the formulas worked out above over prices
    // that move irregularly, every period different from the others.
    void panes_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QList<int>>("periods");
        QTest::addColumn<QList<Color>>("colors");
        QTest::addColumn<bool>("bars");
        // The ruler's calls as x, y: ticks at the pane's bottom, centre and top lines (each from
        // its own x on), then the top, centre and bottom labels at x = 50.
        QTest::addColumn<QList<float>>("ruler");
        using C = QList<Color>;
        using P = QList<int>;
        const QList<float> labels{50, 25, 50, 402.5, 50, 805};
        const QList<float> osc = QList<float>{250, 955, 350, 502.5, 450, 50, 50, 0} + labels.mid(2);
        const QList<float> mid = QList<float>{550, 955, 550, 502.5, 550, 50} + labels;
        const QList<float> vol = QList<float>{300, 955, 550, 502.5, 550, 50} + labels;
        // clang-format off
        QTest::newRow("volume") << 1 << P{} << C{kGreen} << true << vol;
        QTest::newRow("RSI 6") << 2 << P{6} << C{kBlack} << false << osc;
        QTest::newRow("fast 5, 3") << 3 << P{5, 3} << C{kBlack, kRed} << false << osc;
        QTest::newRow("slow 4, 6") << 4 << P{4, 6} << C{kBlack, kRed} << false << osc;
        QTest::newRow("MACD 3, 7, 4") << 5 << P{3, 7, 4} << C{kCyan, kBlack, kRed} << true << mid;
        QTest::newRow("EMA difference 3, 8") << 6 << P{3, 8} << C{kEmaGreen} << true << mid;
        QTest::newRow("momentum 4") << 7 << P{4} << C{kDarkGreen} << true << mid;
        QTest::newRow("volatility 4, 3") << 8 << P{4, 3} << C{kBlack} << false << mid;
        QTest::newRow("OBV") << 9 << P{} << C{kGreen} << true << mid;
        QTest::newRow("money flow 5") << 10 << P{5} << C{kPurple} << false << osc;
        // clang-format on
    }
    void panes() {
        QFETCH(int, kind);
        QFETCH(QList<int>, periods);
        QFETCH(QList<Color>, colors);
        QFETCH(bool, bars);
        QFETCH(QList<float>, ruler);
        constexpr int s = 3;
        for (const auto& [e, offsets] : {std::pair{s + 129, QList<float>{-30, -15, 0, 15, 30}},
                                         std::pair{s + 130, QList<float>{-15, 0, 15}}}) {
            Rig rig(test::roughDays(200)); // pane 3 as pane 1, pane 2 with other periods
            setPeriods(rig.st.pane(3), periods);
            QVERIFY(rig.draw(kind, periods, s, e, kind, kind));
            QList<Color> seen;
            QList<float> atS; // bar lines around day s, from its x
            for (const DrawCall& d : test::callsOf(rig.plot(), DrawCall::Op::Line)) {
                if (!fullWidth(d) && !seen.contains(d.color)) seen << d.color;
                if (d.x1 == d.x2 && std::fabs(d.x1 - xOf(s, s, e)) < 31)
                    atS << float(std::nearbyint(d.x1 - xOf(s, s, e)));
            }
            QCOMPARE(seen, colors);
            std::sort(atS.begin(), atS.end());
            QCOMPARE(atS, bars ? offsets : QList<float>{});
            for (const Color c : colors) {
                const std::vector<DrawCall> drawn = plotted(rig.plot(), c);
                const bool line = c != colors.front() || !bars;
                QCOMPARE(int(drawn.size()), (e - s + 1) * (line ? 1 : int(offsets.size())));
                for (long d = line ? e + 1 : e; d >= s; --d)
                    COMPARE_TWIPS(yAt(drawn, d, s, e),
                                  expectedY(kind, c, rig.st.series, periods, s, e, d));
            }
            auto text = [](RecordingSurface& p) { return p.calls().toText().remove(p.name()); };
            QCOMPARE(text(rig.sf.Picture4), text(rig.plot()));
            QCOMPARE(text(rig.sf.Picture3) == text(rig.plot()), periods.isEmpty());
            const QString bands = " Box 0 0 8745 50 color=rgb(1,2,3) mode=13\n"
                                  " Box 0 1005 8745 955 color=rgb(1,2,3) mode=13\n";
            QVERIFY(text(rig.plot()).endsWith(bands)); // drawn last, in the settings' colour
            QList<float> rulerCalls;
            for (const DrawCall& d : rig.sf.TechRuler1.calls().calls())
                rulerCalls << d.x1 << d.y1;
            QCOMPARE(rulerCalls, ruler);
        }
    }

    // Where the panes' one-pass sums and window extremes meet their edges: periods of 1 and
    // near 300, windows running into day 5000 of the series and day 3000 of the buffers,
    // values that are not numbers. Every drawn day against the formulas above.
    void edges_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("series"); // see days(); empty: a 5000-day wave
        QTest::addColumn<QList<int>>("periods");
        QTest::addColumn<int>("s");
        QTest::addColumn<int>("e");
        using P = QList<int>;
        const QString gaps = "C=10,11,nan,12,inf,13,11,10,12,11,13,12,10,11,12,13";
        // clang-format off
        QTest::newRow("MACD 1, 2, 1") << int(MACD) << QString() << P{1, 2, 1} << 1 << 150;
        QTest::newRow("MACD 2, 300, 299") << int(MACD) << QString() << P{2, 300, 299} << 7 << 50;
        QTest::newRow("EMA difference to day 5000") << int(ExpMADifference) << QString() << P{300, 1}
                                                   << 4640 << 4760;
        QTest::newRow("EMA difference, gaps") << int(ExpMADifference) << gaps << P{3, 1} << 1 << 8;
        QTest::newRow("money flow 300 to day 3000") << int(MoneyFlowIndex) << QString() << P{300}
                                                   << 2600 << 2995;
        QTest::newRow("fast 300, 300") << int(FastStochastic) << QString() << P{300, 300} << 1 << 60;
        QTest::newRow("fast, lows not a number") << int(FastStochastic)
            << "C=11*12 L=10,nan,9,10,nan,nan,9,8,10,9,10,10" << P{3, 2} << 1 << 7;
        // clang-format on
    }
    void edges() {
        QFETCH(int, kind);
        QFETCH(QString, series);
        QFETCH(QList<int>, periods);
        QFETCH(int, s);
        QFETCH(int, e);
        Rig rig(series.isEmpty() ? test::waveDays(kSeriesCapacity) : days(series));
        QVERIFY(rig.draw(kind, periods, s, e, 0, 0));
        const QList<Color> colors = kind == MACD              ? QList<Color>{kCyan, kBlack, kRed}
                                    : kind == ExpMADifference ? QList<Color>{kEmaGreen}
                                    : kind == MoneyFlowIndex  ? QList<Color>{kPurple}
                                                              : QList<Color>{kBlack, kRed};
        for (const Color c : colors) {
            const std::vector<DrawCall> drawn = plotted(rig.plot(), c);
            const bool line = c == kBlack || c == kRed || c == kPurple;
            for (long d = line ? e + 1 : e; d >= s; --d)
                COMPARE_TWIPS(yAt(drawn, d, s, e),
                              expectedY(kind, c, rig.st.series, periods, s, e, d));
        }
    }

    // Values for days worked out by hand; near day 5000 (series) and 3000 (buffers) tolerant
    // routines skip what fails, the others end the drawing: no DrawComplete, later panes cleared.
    // Windows a host can set far outside the loaded days, with the longest periods a pane can
    // store in all three panes: every kind finishes, failing or not.
    void drawing_data() {
        QTest::addColumn<PaneCase>("c");
        const QStringList osc{"100", "50", "0"}, zero{"0.00", "0", "-0.00"};
        const QString mf = "C=%1 H=%1 L=%1 V=1*4"; // money flow = close x volume
        auto o = [](double v) { return 955 - v * 9.05; };
        constexpr int MFI = MoneyFlowIndex, OBV = OnBalanceVolume;
        // clang-format off
        const std::pair<const char*, PaneCase> rows[] = {
            // Day 1 over 3 days: a gain of 1, then a loss of 1 a day older weighing 2/3:
            // 100 - 100 / (1 + 1 / (2/3)) = 60. Day 2: a loss, no gain: 0.
            {"RSI 3", {RSI, "C=11,10,11,11", {3}, 1, 1, kBlack, o(60), o(0), osc}},
            // A tie (100 on 100) counts as rising, 100 against 200 as falling: 100 - 100 / 2.
            {"money flow tie", {MFI, mf.arg("100,100,200"), {1}, 1, 1, kPurple, o(50), kNone, osc}},
            {"no falling flow", {MFI, mf.arg("30,20,10,5"), {1}, 1, 1, kPurple, o(0), 955, osc}},
            {"momentum flat", {Momentum, "C=20*40", {12}, 1, 20, kDarkGreen, 502.5, kNone, zero}},
            // Ranges 3 (day 1), 0.4 (day 11), else 2: changes +0.5 (day 1), +4 (day 10, the
            // oldest shown, not in M), -0.8 (day 11); M = 0.5, k = 452.5 / 0.5.
            {"volatility", {Volatility, "C=11*20 H=13,12*9,10.4,12*9 L=10*20", {1, 1}, 1, 10,
             kBlack, 50, 502.5 + 0.8 * 905, {"0.50", "0", "-0.50"}}},
            {"volatility flat", {Volatility, "C=20*60", {10, 9}, 1, 20, kBlack, 502.5, 502.5, zero}},
            // OBV 0, 1000, 1000, 2000 from day 4 to 1: an unchanged close (day 2) keeps it.
            {"OBV", {OBV, "C=10,9,9,8,8", {}, 1, 4, kGreen, 50, kNone, {"2.0 T", "0", "-2.0 T"}}},
            // The largest volume (day 1) reaches 955 - 0.9 x 1005; the ruler names it and its half:
            // in thousands past 100, in millions past 100 thousand, in billions past 100 million.
            {"volume", {Volume, "C=7*5 V=600000,200000,0,5,2", {}, 1, 5, kGreen, 50.5, kNone,
             {"0.6 M", "0.3 M", "0"}}},
            {"volume 101", {Volume, "C=7*2 V=101,1", {}, 1, 2, kGreen, 50.5, kNone, {"0.1 T", "", "0"}}},
            {"volume billions", {Volume, "C=7*2 V=2000000000,1", {}, 1, 2, kGreen, 50.5, kNone,
             {"2.00 B", "1.00 B", "0"}}},
            {"volume zero", {Volume, "C=7*5 V=0*5", {}, 1, 5, kGreen, 955, kNone, {"", "", "0"}}},
            {"momentum reads day 5000", {.kind = Momentum, .periods = {12}, .s = 4889, .e = 4988}},
            {"momentum reads day 5001",
             {.kind = Momentum, .periods = {12}, .s = 4890, .e = 4989, .fails = true}},
            {"MACD keeps day 3000", {.kind = MACD, .periods = {12, 26, 5}, .s = 2896, .e = 2995}},
            {"MACD keeps day 3001",
             {.kind = MACD, .periods = {12, 26, 5}, .s = 2897, .e = 2996, .fails = true}},
            // %K of day 3001 is not kept: the line starts at 3000.
            {"fast at day 3000",
             {.kind = FastStochastic, .periods = {5, 5}, .s = 2901, .e = 3000, .drawn = 99}},
            {"volume, empty, empty", {.kind = Volume, .s = 1, .e = 100, .k2 = 0, .k3 = 11}},
        };
        // clang-format on
        for (const auto& [name, c] : rows)
            QTest::newRow(name) << c;
        const std::tuple<int, int, QString> windows[] = {// fails by kind 1..10
                                                         {-32768, 300, "0100111000"},
                                                         {-32768, -3, "0000101000"},
                                                         {1, 32767, "0100111000"}};
        for (const auto& [s, e, fails] : windows)
            for (int k = 1; k <= 10; ++k)
                QTest::addRow("%s %d..%d", qPrintable(indicatorName(std::int16_t(k))), s, e)
                    << PaneCase{.kind = k,
                                .periods = {2999, 2999, 2999},
                                .s = s,
                                .e = e,
                                .fails = fails[k - 1] == '1',
                                .k2 = std::int16_t(k),
                                .k3 = std::int16_t(k)};
    }
    void drawing() {
        QFETCH(PaneCase, c);
        Rig rig(c.series.isEmpty() ? test::waveDays(kSeriesCapacity) : days(c.series));
        if (c.k2 == c.kind)
            setPeriods(rig.st.pane(2), c.periods), setPeriods(rig.st.pane(3), c.periods);
        QCOMPARE(rig.draw(c.kind, c.periods, c.s, c.e, c.k2, c.k3), !c.fails);
        QCOMPARE(rig.raised, c.fails ? 0 : 1);
        test::Surfaces& sf = rig.sf;
        for (RecordingSurface* p : {&sf.Picture2, &sf.Picture3, &sf.Picture4})
            QCOMPARE(p->calls().calls().front().op, DrawCall::Op::Cls);
        const bool later = c.k2 && !c.fails; // panes 2 and 3 drawn
        for (RecordingSurface* p : {&sf.Picture3, &sf.Picture4, &sf.TechRuler2, &sf.TechRuler3})
            QCOMPARE(int(p->calls().calls().size()) > p->name().startsWith("Picture"), later);
        // A failing pane keeps its reference lines only; others get their bands.
        QCOMPARE(test::callsOf(rig.plot(), DrawCall::Op::Box).size(), size_t(c.fails ? 0 : 2));
        if (c.fails) QCOMPARE(rig.plot().calls().calls().size(), size_t(4));
        const std::vector<DrawCall> lines = plotted(rig.plot(), c.color);
        if (c.drawn >= 0) QCOMPARE(int(lines.size()), c.drawn);
        if (!c.labels.isEmpty()) QCOMPARE(test::printed(rig.sf.TechRuler1), c.labels);
        if (c.yAtS != kNone) COMPARE_TWIPS(yAt(lines, c.s, c.s, c.e), c.yAtS);
        if (c.yAtLeftEdge != kNone) COMPARE_TWIPS(yAt(lines, c.e + 1, c.s, c.e), c.yAtLeftEdge);
    }
};

QTEST_MAIN(TestIndicators)
#include "tst_indicators.moc"
