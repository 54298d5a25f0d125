#include "Fixtures.h"

#include "indicators/TechnicalIndicators.h"
#include "calc/mdlCalculateExpMA.h"
#include "indicators/mdlDisplayRSI.h"
#include "indicators/mdlValueToLabel.h"

#include <QtTest>

#include <cmath>

using namespace tk5;

namespace {

// Pane plots are 8745 x 1005 twips: centre line 502.5, reference lines 955 and 50; the 0..100
// scale has 9.05 twips a point, the centred one 905 / (2 M).
constexpr double kW = 8745;
constexpr Color kBand = RGB(1, 2, 3), kBlack = RGB(0, 0, 0), kRed = RGB(200, 0, 0);
constexpr Color kGreen = RGB(0, 128, 0), kPurple = RGB(178, 0, 178), kCyan = RGB(28, 177, 227);
constexpr Color kEmaGreen = RGB(0, 200, 0), kDarkGreen = RGB(0, 70, 0);
constexpr double kNone = -1; // a y not looked at

double xOf(long day, long s, long e) { return kW - (day - s + 1) * kW / (e - s + 2); }
bool near(double a, double b, double tol = 0.01) { return std::fabs(a - b) <= tol; }
bool fullWidth(const DrawCall& d) { return d.x1 == 0 && d.x2 == float(kW) && d.y1 == d.y2; }

// The Line calls of one colour, reference lines left out.
std::vector<DrawCall> plotted(const RecordingSurface& s, Color c) {
    std::vector<DrawCall> out;
    for (const DrawCall& d : test::callsOf(s, DrawCall::Op::Line))
        if (d.color == c && !fullWidth(d)) out.push_back(d);
    return out;
}

// Days newest first, "C=10.5,11,10 H=.. L=.. V=..": "7*40" is 40 sevens, "R40" closes 99, 98,
// ...; a missing high, low or volume is close + 1, close - 1 and 1000.
std::vector<test::Day> days(const QString& text) {
    QMap<QChar, QList<double>> col;
    for (const QString& part : text.split(' ')) {
        for (int i = 1; part[0] == 'R' && i <= part.mid(1).toInt(); ++i)
            col['C'] << 100.0 - i;
        for (const QString& item : part.mid(2).split(',', Qt::SkipEmptyParts))
            for (int n = std::max(1, item.section('*', 1).toInt()); part[0] != 'R' && n > 0; --n)
                col[part[0]] << item.section('*', 0, 0).toDouble();
    }
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
    explicit Rig(const std::vector<test::Day>& d = test::waveDays(400)) {
        test::fillSeries(st.series, d);
        f.store.setValue(QStringLiteral("BkgRulers"), QString::number(kBand));
        f.core.onDrawComplete = [this] { ++raised; };
    }
    RecordingSurface& plot() { return sf.Picture2; }
    RecordingSurface& ruler() { return sf.TechRuler1; }
    QString picture() { return plot().calls().toText() + ruler().calls().toText(); }
    // False when the drawing ends with ChartError.
    [[nodiscard]] bool draw(int kind, const QList<int>& periods, int s, int e, int k2 = 0,
                            int k3 = 0) {
        setPeriods(st.pane(1), periods);
        st.starting_date_local = std::int16_t(s);
        st.ending_date_local = std::int16_t(e);
        sf.clearLogs();
        try {
            f.core.DisplayTechnicalIndicators(std::int16_t(kind), std::int16_t(k2),
                                              std::int16_t(k3));
        } catch (const ChartError&) {
            return false;
        }
        return true;
    }
};

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
    bool flat = false;          // all of them without height
    bool fails = false;
    std::int16_t k2 = Volume, k3 = RSI;
};

} // namespace

Q_DECLARE_METATYPE(PaneCase)

class TestIndicators : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::useEnglishLocale(); }

    void valueToLabel_data() {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("label");
        QTest::newRow("100 stays") << 100.0f << "";
        QTest::newRow("just above 100") << 100.5f << "0.1 T"; // 0.1005 thousand
        QTest::newRow("100 thousand stays T") << 100000.0f << "100.0 T";
        QTest::newRow("millions") << 2500000.0f << "2.5 M";
        QTest::newRow("billions") << 250000000.0f << "0.25 B"; // 250 M is above 100 M
        QTest::newRow("negative") << -5000.0f << "";
    }
    void valueToLabel() {
        QFETCH(float, value);
        QFETCH(QString, label);
        QCOMPARE(ValueToLabel(value), label);
    }

    void calculations_data() {
        QTest::addColumn<bool>("rsi");
        QTest::addColumn<int>("d");
        QTest::addColumn<QList<double>>("closes"); // from day d on
        QTest::addColumn<int>("periods");
        QTest::addColumn<double>("expected");
        const QList<double> c{13, 12, 11, 10}, r{10.5, 11, 10};
        // Gains 1 (day d+1 over d+2) and 0, losses 0 and 0.5: A = 2/3, B = 0.5.
        QTest::newRow("RSI N=3") << true << 10 << r << 3 << 400.0 / 7;
        QTest::newRow("RSI N=1") << true << 10 << r << 1 << 0.0;
        QTest::newRow("RSI only rising") << true << 10 << c << 4 << 0.0;
        // alpha = 0.5, mean of 12, 11, 10 is 11: 6.5 + 5.5.
        QTest::newRow("EMA N=3") << false << 10 << c << 3 << 12.0;
        QTest::newRow("EMA N=1") << false << 10 << c << 1 << 13.0;
        // Day d + N + 1 = 5000 still lies within the series; 5001 does not.
        QTest::newRow("EMA to day 5000") << false << 4996 << QList<double>(5, 10) << 3 << 10.0;
        QTest::newRow("EMA past day 5000") << false << 4997 << QList<double>(4, 10) << 3 << 0.0;
    }
    void calculations() {
        QFETCH(bool, rsi);
        QFETCH(int, d);
        QFETCH(QList<double>, closes);
        QFETCH(int, periods);
        QFETCH(double, expected);
        FloatDays c(kSeriesCapacity);
        for (int i = 0; i < closes.size(); ++i)
            c[d + i] = float(closes[i]);
        const double got = rsi ? CalculateRSI(c, d, std::int16_t(periods))
                               : CalculateExpMA(c, d, std::int16_t(periods));
        QVERIFY2(near(got, expected, 1e-4), qPrintable(QString::number(got, 'g', 10)));
    }

    // Each code's colours, reference lines, ruler and bands (drawn last).
    // Lines run from x = 0 (day e + 1) to day s; bars are 5 pixels wide to e - s = 129, then 3.
    void panes_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QList<Color>>("colors");
        QTest::addColumn<int>("lineColors"); // how many of them (the last ones) are lines
        QTest::addColumn<int>("referenceLines");
        QTest::addColumn<QList<float>>("ruler"); // x1, y1, x2, y2 of the ticks; x, y of labels
        auto ruler = [](float x1, float x2, float x3, float top) {
            return QList<float>{x1, 955,  8745, 955, x2,  502.5, 8745,  502.5, x3,
                                50, 8745, 50,   50,  top, 50,    402.5, 50,    805};
        };
        const QList<float> osc = ruler(250, 350, 450, 0), mid = ruler(550, 550, 550, 25);
        const QList<float> vol = ruler(300, 550, 550, 25);
        QTest::newRow("1 volume") << 1 << QList<Color>{kGreen} << 0 << 1 << vol;
        QTest::newRow("2 RSI") << 2 << QList<Color>{kBlack} << 1 << 3 << osc;
        QTest::newRow("3 fast") << 3 << QList<Color>{kBlack, kRed} << 2 << 3 << osc;
        QTest::newRow("4 slow") << 4 << QList<Color>{kBlack, kRed} << 2 << 3 << osc;
        QTest::newRow("5 MACD") << 5 << QList<Color>{kCyan, kBlack, kRed} << 2 << 3 << mid;
        QTest::newRow("6 EMA difference") << 6 << QList<Color>{kEmaGreen} << 0 << 3 << mid;
        QTest::newRow("7 momentum") << 7 << QList<Color>{kDarkGreen} << 0 << 3 << mid;
        QTest::newRow("8 volatility") << 8 << QList<Color>{kBlack} << 1 << 3 << mid;
        QTest::newRow("9 OBV") << 9 << QList<Color>{kGreen} << 0 << 3 << mid;
        QTest::newRow("10 money flow") << 10 << QList<Color>{kPurple} << 1 << 3 << osc;
    }
    void panes() {
        QFETCH(int, kind);
        QFETCH(QList<Color>, colors);
        QFETCH(int, lineColors);
        QFETCH(int, referenceLines);
        QFETCH(QList<float>, ruler);
        constexpr int s = 21;
        for (const auto& [e, offsets] : {std::pair{s + 129, QList<float>{-30, -15, 0, 15, 30}},
                                         std::pair{s + 130, QList<float>{-15, 0, 15}}}) {
            Rig rig;
            QVERIFY(rig.draw(kind, {5, 5, 5}, s, e));
            QList<Color> seen;
            int reference = 0;
            for (const DrawCall& d : test::callsOf(rig.plot(), DrawCall::Op::Line)) {
                reference += fullWidth(d) && d.color == kBlack;
                if (!fullWidth(d) && !seen.contains(d.color)) seen << d.color;
            }
            QCOMPARE(seen, colors);
            QCOMPARE(reference, referenceLines);
            for (qsizetype i = 0; i < colors.size(); ++i) {
                const std::vector<DrawCall> drawn = plotted(rig.plot(), colors[i]);
                if (i >= colors.size() - lineColors) { // a line
                    QCOMPARE(int(drawn.size()), e - s + 1);
                    QCOMPARE(drawn.front().x1, 0.0f);
                    QVERIFY(near(drawn.back().x2, xOf(s, s, e)));
                    continue;
                }
                QCOMPARE(int(drawn.size()), (e - s + 1) * int(offsets.size())); // bars
                QList<float> atS;
                for (const DrawCall& d : drawn) {
                    QCOMPARE(d.x1, d.x2);
                    if (std::fabs(d.x1 - xOf(s, s, e)) < 31)
                        atS << float(std::nearbyint(d.x1 - xOf(s, s, e)));
                }
                std::sort(atS.begin(), atS.end());
                QCOMPARE(atS, offsets);
            }
            QList<float> rulerCalls;
            for (const DrawCall& d : rig.ruler().calls().calls()) {
                rulerCalls << d.x1 << d.y1;
                if (d.op == DrawCall::Op::Line) rulerCalls << d.x2 << d.y2;
            }
            QCOMPARE(rulerCalls, ruler);
            const std::vector<DrawCall>& all = rig.plot().calls().calls();
            QList<double> bands; // op, colour and corners of the last two calls
            for (const DrawCall* b : {&all[all.size() - 2], &all.back()})
                bands << double(b->op) << double(b->color) << b->x1 << b->y1 << b->x2 << b->y2;
            const double box = double(DrawCall::Op::Box), band = kBand;
            QCOMPARE(bands, QList<double>({box, band, 0, 0, kW, 50, box, band, 0, 1005, kW, 955}));
        }
    }

    // A changed value past the last day a routine reads changes nothing; one on that day does.
    void daysRead_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QList<int>>("periods");
        QTest::addColumn<char>("series");   // C, H, L or V
        QTest::addColumn<int>("lastDay");   // counted from e
        QTest::addColumn<double>("factor"); // the change made to a day
        using P = QList<int>;
        QTest::newRow("volume") << int(Volume) << P{} << 'V' << 0 << 3.0;
        QTest::newRow("OBV close") << int(OnBalanceVolume) << P{} << 'C' << 0 << 0.1;
        QTest::newRow("OBV volume") << int(OnBalanceVolume) << P{} << 'V' << -1 << 3.0;
        QTest::newRow("RSI") << int(RSI) << P{9} << 'C' << 9 << 3.0;
        QTest::newRow("fast low") << int(FastStochastic) << P{7, 4} << 'L' << 10 << 0.1; // D+K-1
        QTest::newRow("fast close") << int(FastStochastic) << P{7, 4} << 'C' << 4 << 1.1;
        QTest::newRow("slow low") << int(SlowStochastic) << P{7, 4} << 'L' << 12 << 0.1; // D+K+1
        QTest::newRow("slow high") << int(SlowStochastic) << P{7, 4} << 'H' << 12 << 3.0;
        QTest::newRow("slow close") << int(SlowStochastic) << P{7, 4} << 'C' << 6 << 1.1;
        QTest::newRow("MACD") << int(MACD) << P{5, 9, 4} << 'C' << 13 << 3.0; // N3 + N2
        QTest::newRow("EMA difference") << int(ExpMADifference) << P{6, 9} << 'C' << 9 << 3.0;
        QTest::newRow("momentum") << int(Momentum) << P{8} << 'C' << 8 << 3.0;
        QTest::newRow("volatility") << int(Volatility) << P{5, 3} << 'H' << 9 << 3.0; // V1+V2+1
        QTest::newRow("money flow") << int(MoneyFlowIndex) << P{6} << 'V' << 7 << 3.0;
    }
    void daysRead() {
        QFETCH(int, kind);
        QFETCH(QList<int>, periods);
        QFETCH(char, series);
        QFETCH(int, lastDay);
        QFETCH(double, factor);
        constexpr int s = 11, e = 60;
        Rig rig(test::waveDays(300));
        PriceSeries& p = rig.st.series;
        for (long d = 1; d <= 300; ++d) // ranges that vary, for the volatility
            p.price_high[d] += float(d % 7) * 0.25f;
        FloatDays& f = series == 'C' ? p.price_close : series == 'H' ? p.price_high : p.price_low;
        auto drawAfterChanging = [&](long day) {
            if (series == 'V')
                p.price_volume[day] = std::int32_t(p.price_volume[day] * factor);
            else
                f[day] = float(f[day] * factor);
            return rig.draw(kind, periods, s, e) ? rig.picture() : QString();
        };
        QVERIFY(rig.draw(kind, periods, s, e));
        const QString before = rig.picture();
        QCOMPARE(drawAfterChanging(e + lastDay + 1), before);
        QVERIFY(drawAfterChanging(e + lastDay) != before);
    }

    // Three RSI panes with 14, 5 and 14 periods: the first and the last alike.
    void panesUseTheirOwnPeriods() {
        Rig rig;
        rig.st.pane(2).rsi_periods = 5;
        rig.st.pane(3).rsi_periods = 14;
        QVERIFY(rig.draw(RSI, {14}, 1, 100, RSI, RSI));
        auto text = [](RecordingSurface& p) { return p.calls().toText().replace(p.name(), "P"); };
        QCOMPARE(plotted(rig.sf.Picture2, kBlack).size(), size_t(100));
        QVERIFY(text(rig.sf.Picture2) != text(rig.sf.Picture3));
        QCOMPARE(text(rig.sf.Picture2), text(rig.sf.Picture4));
    }

    // Values for days worked out by hand; near day 5000 (series) and 3000 (buffers) tolerant
    // routines skip what fails, the others end the drawing: no DrawComplete, later panes cleared.
    void drawing_data() {
        QTest::addColumn<PaneCase>("c");
        const QStringList osc{"100", "50", "0"}, half{"0.50", "0", "-0.50"};
        const QStringList zero{"0.00", "0", "-0.00"};
        const QString mf = "C=%1 H=%1 L=%1 V=1*4"; // money flow = close x volume
        auto o = [](double v) { return 955 - v * 9.05; };
        constexpr int Fast = FastStochastic, Slow = SlowStochastic, MFI = MoneyFlowIndex;
        constexpr int OBV = OnBalanceVolume, EMA = ExpMADifference;
        // clang-format off
        const std::pair<const char*, PaneCase> rows[] = {
            {"RSI 400/7", {RSI, "C=10.5,11,10,10", {3}, 1, 1, kBlack, o(400.0 / 7), 955, osc}},
            // LL = 8, HH = 13, close 11: 60.
            {"fast %K 60", {Fast, "C=11,10*3 H=12,11,13,13 L=9,8,10,10", {3, 1}, 1, 1, kBlack,
             o(60), kNone, osc}},
            // Lows 8, 9, 10 average 9, highs 12, 13, 14 average 13, closes 10, 11, 12: 11.
            {"slow K=1", {Slow, "C=10,11,12,12 H=12,13,14,14 L=8,9,10,10", {1, 1}, 1, 1, kBlack,
             o(50), kNone, osc}},
            // Flows 100, 300, 200: neg 100, pos 300; 100 - 100 / 4. A tie counts as rising.
            {"money flow 75", {MFI, mf.arg("100,300,200"), {1}, 1, 1, kPurple, o(75), 955, osc}},
            {"money flow tie", {MFI, mf.arg("100,100,200"), {1}, 1, 1, kPurple, o(50), kNone, osc}},
            {"no falling flow", {MFI, mf.arg("30,20,10,5"), {1}, 1, 1, kPurple, o(0), 955, osc}},
            // Changes over 2 days: 2 (day 1) and 3 (day 2), so M = 3.
            {"momentum", {Momentum, "C=12,11,10,8,6", {2}, 1, 2, kDarkGreen, 502.5 - 2 * 905 / 6.0,
             kNone, {"3.00", "0", "-3.00"}}},
            {"momentum flat", {Momentum, "C=20*40", {12}, 1, 20, kDarkGreen, 502.5, kNone, zero}},
            // Averages over 1 and 2 days of closes rising by 1: c - (2/3 c + 1/3 (c - 1.5)).
            {"EMA difference", {EMA, "R30", {1, 2}, 1, 10, kEmaGreen, 50, kNone, half}},
            // MACD 0.5 on days 1..7; the signal of day 6 reads the never computed day 8:
            // 2/3 x 0.5 + 1/3 x (0.5 + 0) / 2 = 0.41667.
            {"MACD line", {MACD, "R30", {1, 2, 2}, 1, 5, kBlack, 50, 50, half}},
            {"MACD signal", {MACD, "R30", {1, 2, 2}, 1, 5, kRed, 50, 502.5 - 0.41667 * 905, half}},
            {"MACD divergence", {MACD, "R30", {1, 2, 2}, 1, 5, kCyan, 502.5, kNone, half}},
            // Ranges 3 (day 1), 0.4 (day 11), else 2: changes +0.5 (day 1), +4 (day 10, the
            // oldest shown, not in M), -0.8 (day 11); M = 0.5, k = 452.5 / 0.5.
            {"volatility", {Volatility, "C=11*20 H=13,12*9,10.4,12*9 L=10*20", {1, 1}, 1, 10,
             kBlack, 50, 502.5 + 0.8 * 905, half}},
            // Over V2 = 2 days the change of day 1 is (3 - 2) / 2 as well.
            {"volatility V2=2", {Volatility, "C=11*20 H=13,12*19 L=10*20", {1, 2}, 1, 10, kBlack,
             50, 502.5, half}},
            {"volatility flat", {Volatility, "R60", {10, 10}, 1, 20, kBlack, 502.5, 502.5, zero}},
            // OBV 0, 1000, .., 4000 from day 5 to 1; an unchanged close keeps it: 0, 1, 1, 2 T
            {"OBV rising", {OBV, "R10", {}, 1, 5, kGreen, 50, kNone, {"4.0 T", "0", "-4.0 T"}}},
            {"OBV unchanged", {OBV, "C=10,9,9,8,8", {}, 1, 4, kGreen, 50, kNone,
             {"2.0 T", "0", "-2.0 T"}}},
            {"OBV flat", {OBV, "C=7*10", {}, 1, 5, kGreen, 502.5, kNone, {"", "0", "-"}}},
            // The largest volume reaches 955 - 0.9 x 1005.
            {"volume", {Volume, "C=7*5 V=3000000,1000000,0,5,2", {}, 1, 5, kGreen, 50.5, kNone,
             {"3.0 M", "1.5 M", "0"}}},
            {"volume zero", {Volume, "C=7*5 V=0*5", {}, 1, 5, kGreen, 955, kNone, {"", "", "0"}}},
            {"momentum reads day 5000", {.kind = Momentum, .periods = {12}, .s = 4889, .e = 4988}},
            {"momentum reads day 5001",
             {.kind = Momentum, .periods = {12}, .s = 4890, .e = 4989, .fails = true}},
            {"MACD keeps day 3000", {.kind = MACD, .periods = {12, 26, 5}, .s = 2896, .e = 2995}},
            {"MACD keeps day 3001",
             {.kind = MACD, .periods = {12, 26, 5}, .s = 2897, .e = 2996, .fails = true}},
            {"RSI at day 5000", {.kind = RSI, .periods = {14}, .s = 4901, .e = 5000, .drawn = 100}},
            {"EMA difference at day 5000",
             {.kind = ExpMADifference, .periods = {10, 15}, .s = 4901, .e = 5000}},
            // %K and the money flow index of day 3001 are not kept: the lines start at 3000.
            {"fast at day 3000",
             {.kind = FastStochastic, .periods = {5, 5}, .s = 2901, .e = 3000, .drawn = 99}},
            {"money flow at day 3000", {.kind = MoneyFlowIndex, .periods = {10}, .s = 2951,
                                        .e = 3000, .color = kPurple, .drawn = 49}},
            // No maximum past the end: bars without height.
            {"OBV past day 3000", {.kind = OnBalanceVolume, .s = 2951, .e = 3010, .color = kGreen,
                                   .labels = {"", "0", "-"}, .drawn = 300, .flat = true}},
            {"volume past day 5000", {.kind = Volume, .s = 4951, .e = 5001, .color = kGreen,
                                      .labels = {"", "", "0"}, .drawn = 255, .flat = true}},
            {"volume, empty, empty", {.kind = Volume, .s = 1, .e = 100, .k2 = 0, .k3 = 11}},
            {"nothing to draw", {.kind = 0, .s = 1, .e = 100, .k2 = 0, .k3 = 11}},
        };
        // clang-format on
        for (const auto& [name, c] : rows)
            QTest::newRow(name) << c;
    }
    void drawing() {
        QFETCH(PaneCase, c);
        Rig rig(c.series.isEmpty() ? test::waveDays(kSeriesCapacity) : days(c.series));
        QCOMPARE(rig.draw(c.kind, c.periods, c.s, c.e, c.k2, c.k3), !c.fails);
        QCOMPARE(rig.raised, c.fails ? 0 : 1);
        test::Surfaces& sf = rig.sf;
        for (RecordingSurface* p : {&sf.Picture2, &sf.Picture3, &sf.Picture4})
            QVERIFY(p->calls().toText().startsWith(p->name() + " Cls "));
        const bool later = c.k2 && !c.fails; // panes 2 and 3 drawn
        for (RecordingSurface* p : {&sf.Picture3, &sf.Picture4, &sf.TechRuler2, &sf.TechRuler3})
            QCOMPARE(int(p->calls().calls().size()) > p->name().startsWith("Picture"), later);
        // A failing pane keeps its reference lines only, an empty one its Cls; others get bands.
        const size_t boxes = test::callsOf(rig.plot(), DrawCall::Op::Box).size();
        QCOMPARE(boxes, size_t(c.fails || !c.kind ? 0 : 2));
        if (c.fails || !c.kind)
            QCOMPARE(rig.plot().calls().calls().size(), size_t(c.fails ? 4 : 1));
        const std::vector<DrawCall> lines = plotted(rig.plot(), c.color);
        if (c.drawn >= 0) QCOMPARE(int(lines.size()), c.drawn);
        for (const DrawCall& d : lines)
            QVERIFY(!c.flat || d.y1 == d.y2);
        if (!c.labels.isEmpty()) QCOMPARE(test::printed(rig.ruler()), c.labels);
        if (c.yAtS != kNone) {
            const auto atS = std::find_if(lines.begin(), lines.end(), [&](const DrawCall& d) {
                return near(d.x2, xOf(c.s, c.s, c.e));
            });
            QVERIFY(atS != lines.end());
            QVERIFY2(near(atS->y2, c.yAtS), qPrintable(QString::number(atS->y2)));
        }
        if (c.yAtLeftEdge != kNone) {
            const DrawCall& left = lines.front();
            QCOMPARE(left.x1, 0.0f);
            QVERIFY2(near(left.y1, c.yAtLeftEdge), qPrintable(QString::number(left.y1)));
        }
    }
};

QTEST_MAIN(TestIndicators)
#include "tst_indicators.moc"
