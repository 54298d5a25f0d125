#include "Fixtures.h"

#include "indicators/TechnicalIndicators.h"
#include "indicators/mdlCalculateExpMA.h"
#include "indicators/mdlDisplayRSI.h"
#include "indicators/mdlValueToLabel.h"

#include <QtTest>

#include <cmath>
#include <limits>

using namespace tk5;

namespace {

// The fixtures' pane plots are 8745 x 1005 twips: the centre line lies at 502.5, the lower
// and upper reference lines at 955 and 50; the 0..100 scale has 9.05 twips per point and the
// centred one 905 / (2 M).
constexpr double kW = 8745;
constexpr Color kBand = RGB(1, 2, 3), kBlack = RGB(0, 0, 0), kRed = RGB(200, 0, 0);
constexpr Color kGreen = RGB(0, 128, 0), kPurple = RGB(178, 0, 178), kCyan = RGB(28, 177, 227);
constexpr Color kEmaGreen = RGB(0, 200, 0), kDarkGreen = RGB(0, 70, 0);
const double kNone = std::numeric_limits<double>::quiet_NaN();

double xOf(long day, long s, long e) {
    return kW - (day - s + 1) * kW / (e - s + 2);
}
bool near(double a, double b, double tol = 0.01) {
    return std::fabs(a - b) <= tol;
}
bool fullWidth(const DrawCall& d) {
    return d.x1 == 0 && d.x2 == float(kW) && d.y1 == d.y2;
}

// The Line calls of one colour, reference lines left out.
std::vector<DrawCall> plotted(const RecordingSurface& s, Color c) {
    std::vector<DrawCall> out;
    for (const DrawCall& d : test::callsOf(s, DrawCall::Op::Line))
        if (d.color == c && !fullWidth(d)) out.push_back(d);
    return out;
}

// Days newest first, written "C=10.5,11,10 H=... L=... V=...", "7*40" standing for 40 sevens
// and "R40" for 40 closes rising by 1 a day towards the newest (99, 98, ...). A missing high,
// low or volume is close + 1, close - 1 and 1000.
std::vector<test::Day> days(const QString& spec) {
    QMap<QChar, QList<double>> col;
    for (const QString& part : spec.split(' ', Qt::SkipEmptyParts)) {
        QList<double>& v = col[part[0] == 'R' ? QChar('C') : part[0]];
        for (int i = 1; part[0] == 'R' && i <= part.mid(1).toInt(); ++i)
            v << 100.0 - i;
        const QString items = part[0] == 'R' ? QString() : part.mid(2);
        for (const QString& item : items.split(',', Qt::SkipEmptyParts))
            for (int n = 0; n < (item.contains('*') ? item.section('*', 1).toInt() : 1); ++n)
                v << item.section('*', 0, 0).toDouble();
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

// The period fields each kind reads, in their documented order.
void setPeriods(IndicatorSettings& p, int kind, const QList<int>& v) {
    using S = IndicatorSettings;
    const QMap<int, QList<std::int16_t S::*>> fields{
        {RSI, {&S::rsi_periods}},
        {FastStochastic, {&S::fs_periods_k, &S::fs_periods_d}},
        {SlowStochastic, {&S::ss_periods_k, &S::ss_periods_d}},
        {MACD, {&S::macd_periods1, &S::macd_periods2, &S::macd_periods3}},
        {ExpMADifference, {&S::exp_ma_periods1, &S::exp_ma_periods2}},
        {Momentum, {&S::momentum_periods}},
        {Volatility, {&S::volatility_periods1, &S::volatility_periods2}},
        {MoneyFlowIndex, {&S::money_flow_periods}}};
    for (qsizetype i = 0; i < v.size() && i < fields.value(kind).size(); ++i)
        p.*(fields.value(kind)[i]) = std::int16_t(v[i]);
}

struct Rig {
    ChartState st;
    test::Surfaces sf;
    explicit Rig(const std::vector<test::Day>& d = test::waveDays(400)) {
        test::fillSeries(st.series, d);
    }
    RecordingSurface& plot() { return sf.Picture2; }
    RecordingSurface& ruler() { return sf.TechRuler1; }
    void draw(int kind, const QList<int>& periods, int s, int e, int k2 = 0, int k3 = 0) {
        setPeriods(st.pane(1), kind, periods);
        st.starting_date_local = std::int16_t(s);
        st.ending_date_local = std::int16_t(e);
        sf.clearLogs();
        DisplayTechnicalIndicators(st, sf.all(), std::int16_t(kind), std::int16_t(k2),
                                   std::int16_t(k3), kBand);
    }
    QString picture() { return plot().calls().toText() + ruler().calls().toText(); }
};

// What an indicator draws over the window 1..e for days worked out by hand.
struct ValueCase {
    int kind;
    QString series;
    QList<int> periods;
    int e;
    Color color;        // of the line or bars looked at
    double yAtS;        // at day 1: end of the last segment or top of the bar
    double yAtLeftEdge; // at day e + 1 (x = 0); NaN: not looked at
    QStringList labels;
};

// The last day (counted from e) of a series that a routine reads.
struct ReadCase {
    int kind;
    QList<int> periods;
    char series; // C, H, L or V
    int lastDay;
    double factor; // the change made to that day
};

// A window near the end of the series or of the buffers.
struct LimitCase {
    int kind;
    QList<int> periods;
    int s, e;
    bool fails;
    Color color = kBlack; // of the line or bars counted
    int drawn = -1;       // lines of that colour; -1: not counted
    QStringList labels{}; // empty: not compared
};

} // namespace

Q_DECLARE_METATYPE(ValueCase)
Q_DECLARE_METATYPE(ReadCase)
Q_DECLARE_METATYPE(LimitCase)

class TestIndicators : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::useEnglishLocale(); }

    void valueToLabel_data() {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("label");
        QTest::newRow("100 stays") << 100.0f << "";
        QTest::newRow("just above 100") << 100.5f << "0.1 T"; // 0.1005 thousand
        QTest::newRow("thousands") << 50000.0f << "50.0 T";
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
        const auto n = std::int16_t(periods);
        const double got = rsi ? CalculateRSI(c, d, n) : CalculateExpMA(c, d, n);
        QVERIFY2(near(got, expected, 1e-4), qPrintable(QString::number(got, 'g', 10)));
    }

    void values_data() {
        QTest::addColumn<ValueCase>("c");
        const QStringList osc{"100", "50", "0"}, half{"0.50", "0", "-0.50"};
        const QStringList zero{"0.00", "0", "-0.00"};
        const QString mf = "C=%1 H=%1 L=%1 V=1*4"; // money flow = close x volume
        // clang-format off
        const std::pair<const char*, ValueCase> rows[] = {
            {"RSI 400/7", {RSI, "C=10.5,11,10,10", {3}, 1, kBlack, 955 - 400.0 / 7 * 9.05, 955,
             osc}},
            // LL = 8, HH = 13, close 11: 60.
            {"fast %K 60", {FastStochastic, "C=11,10*3 H=12,11,13,13 L=9,8,10,10", {3, 1}, 1,
             kBlack, 955 - 60 * 9.05, kNone, osc}},
            // Lows 8, 9, 10 average 9, highs 12, 13, 14 average 13, closes 10, 11, 12: 11.
            {"slow K=1", {SlowStochastic, "C=10,11,12,12 H=12,13,14,14 L=8,9,10,10", {1, 1}, 1,
             kBlack, 955 - 50 * 9.05, kNone, osc}},
            // Flows 100, 300, 200: neg 100, pos 300; 100 - 100 / 4.
            {"money flow 75", {MoneyFlowIndex, mf.arg("100,300,200"), {1}, 1, kPurple,
             955 - 75 * 9.05, 955, osc}},
            // Flows 100, 100, 200: a tie is positive flow, so pos = neg = 100.
            {"money flow tie", {MoneyFlowIndex, mf.arg("100,100,200"), {1}, 1, kPurple,
             955 - 50 * 9.05, kNone, osc}},
            {"money flow never falls", {MoneyFlowIndex, mf.arg("30,20,10,5"), {1}, 1, kPurple,
             955, 955, osc}},
            // Changes over 2 days: 2 (day 1) and 3 (day 2), so M = 3.
            {"momentum", {Momentum, "C=12,11,10,8,6", {2}, 2, kDarkGreen, 502.5 - 2 * 905 / 6.0,
             kNone, {"3.00", "0", "-3.00"}}},
            {"momentum flat", {Momentum, "C=20*40", {12}, 20, kDarkGreen, 502.5, kNone, zero}},
            // Averages over 1 and 2 days of closes rising by 1: c - (2/3 c + 1/3 (c - 1.5)).
            {"EMA difference", {ExpMADifference, "R30", {1, 2}, 10, kEmaGreen, 50, kNone, half}},
            // MACD 0.5 on days 1..7; the signal of day 6 reads the never computed day 8:
            // 2/3 x 0.5 + 1/3 x (0.5 + 0) / 2 = 0.41667.
            {"MACD line", {MACD, "R30", {1, 2, 2}, 5, kBlack, 50, 50, half}},
            {"MACD signal", {MACD, "R30", {1, 2, 2}, 5, kRed, 50, 502.5 - 0.41667 * 905, half}},
            {"MACD divergence", {MACD, "R30", {1, 2, 2}, 5, kCyan, 502.5, kNone, half}},
            // Ranges (V1 = 1 keeps them) 3 on day 1, 0.4 on day 11, 2 elsewhere: changes over
            // a day of +0.5 (day 1), +4 (day 10, the oldest shown, not part of M) and -0.8
            // (day 11); M = 0.5, k = 452.5 / 0.5.
            {"volatility", {Volatility, "C=11*20 H=13,12*9,10.4,12*9 L=10*20", {1, 1}, 10, kBlack,
             50, 502.5 + 0.8 * 905, half}},
            // Over V2 = 2 days the change of day 1 is (3 - 2) / 2 as well.
            {"volatility V2=2", {Volatility, "C=11*20 H=13,12*19 L=10*20", {1, 2}, 10, kBlack,
             50, 502.5, half}},
            {"volatility flat", {Volatility, "R60", {10, 10}, 20, kBlack, 502.5, 502.5, zero}},
            // On-balance volume 0, 1000, ..., 4000 from day 5 to day 1.
            {"OBV rising", {OnBalanceVolume, "R10", {}, 5, kGreen, 50, kNone,
             {"4.0 T", "0", "-4.0 T"}}},
            // An unchanged close carries the sum over: 0, 1000, 1000, 2000 from day 4 to 1.
            {"OBV unchanged", {OnBalanceVolume, "C=10,9,9,8,8", {}, 4, kGreen, 50, kNone,
             {"2.0 T", "0", "-2.0 T"}}},
            {"OBV flat", {OnBalanceVolume, "C=7*10", {}, 5, kGreen, 502.5, kNone,
             {"", "0", "-"}}},
            // The largest volume reaches 955 - 0.9 x 1005.
            {"volume", {Volume, "C=7*5 V=3000000,1000000,0,5,2", {}, 5, kGreen, 50.5, kNone,
             {"3.0 M", "1.5 M", "0"}}},
            {"volume zero", {Volume, "C=7*5 V=0*5", {}, 5, kGreen, 955, kNone, {"", "", "0"}}},
        };
        // clang-format on
        for (const auto& [name, c] : rows)
            QTest::newRow(name) << c;
    }
    void values() {
        QFETCH(ValueCase, c);
        Rig rig(days(c.series));
        rig.draw(c.kind, c.periods, 1, c.e);
        const std::vector<DrawCall> lines = plotted(rig.plot(), c.color);
        const auto atS = std::find_if(lines.begin(), lines.end(), [&](const DrawCall& d) {
            return near(d.x2, xOf(1, 1, c.e));
        });
        QVERIFY(atS != lines.end());
        QVERIFY2(near(atS->y2, c.yAtS), qPrintable(QString::number(atS->y2)));
        if (!std::isnan(c.yAtLeftEdge)) {
            QCOMPARE(lines.front().x1, 0.0f);
            QVERIFY2(near(lines.front().y1, c.yAtLeftEdge),
                     qPrintable(QString::number(lines.front().y1)));
        }
        QCOMPARE(test::printed(rig.ruler()), c.labels);
    }

    // Each code draws in its own colours with its reference lines, its family's ruler ticks
    // (from x to the plot's width at 955, 502.5, 50) and label heights (labels at x = 50), and
    // the margin bands last; other codes leave the pane as cleared. Every line runs from the
    // left edge (day e + 1) to day s, one segment a day.
    void dispatch_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QList<Color>>("colors");
        QTest::addColumn<int>("lineColors"); // how many of them (the last ones) are lines
        QTest::addColumn<int>("referenceLines");
        QTest::addColumn<QList<float>>("rulerXY"); // three tick x, three label y
        const QList<float> osc{250, 350, 450, 0, 402.5, 805}, mid{550, 550, 550, 25, 402.5, 805};
        const QList<float> vol{300, 550, 550, 25, 402.5, 805};
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
        QTest::newRow("0") << 0 << QList<Color>{} << 0 << 0 << QList<float>{};
        QTest::newRow("11") << 11 << QList<Color>{} << 0 << 0 << QList<float>{};
    }
    void dispatch() {
        QFETCH(int, kind);
        QFETCH(QList<Color>, colors);
        QFETCH(int, lineColors);
        QFETCH(int, referenceLines);
        QFETCH(QList<float>, rulerXY);
        constexpr int s = 21, e = 80;
        Rig rig;
        rig.draw(kind, {5, 5, 5}, s, e);
        QList<Color> seen;
        int reference = 0;
        for (const DrawCall& d : test::callsOf(rig.plot(), DrawCall::Op::Line)) {
            reference += fullWidth(d) && d.color == kBlack;
            if (!fullWidth(d) && !seen.contains(d.color)) seen << d.color;
        }
        QCOMPARE(seen, colors);
        QCOMPARE(reference, referenceLines);
        for (qsizetype i = colors.size() - lineColors; i < colors.size(); ++i) {
            const std::vector<DrawCall> line = plotted(rig.plot(), colors[i]);
            QCOMPARE(int(line.size()), e - s + 1);
            QCOMPARE(line.front().x1, 0.0f);
            QVERIFY(near(line.front().x2, xOf(e, s, e)));
            QVERIFY(near(line.back().x2, xOf(s, s, e)));
        }
        QList<float> ruler;
        const float tickY[] = {955, 502.5, 50};
        for (const DrawCall& d : test::callsOf(rig.ruler(), DrawCall::Op::Line)) {
            QVERIFY(ruler.size() < 3);
            QCOMPARE(QList<float>({d.x2, d.y1, d.y2}),
                     QList<float>({8745, tickY[ruler.size()], tickY[ruler.size()]}));
            ruler << d.x1;
        }
        for (const DrawCall& d : test::callsOf(rig.ruler(), DrawCall::Op::Print)) {
            QCOMPARE(d.x1, 50.0f);
            ruler << d.y1;
        }
        QCOMPARE(ruler, rulerXY);
        const std::vector<DrawCall>& all = rig.plot().calls().calls();
        QCOMPARE(all.front().op, DrawCall::Op::Cls);
        if (colors.isEmpty()) {
            QCOMPARE(all.size(), size_t(1));
            return;
        }
        QList<float> bands;
        for (const DrawCall* b : {&all[all.size() - 2], &all.back()}) {
            QCOMPARE(b->op, DrawCall::Op::Box);
            QCOMPARE(b->color, kBand);
            bands << b->x1 << b->y1 << b->x2 << b->y2;
        }
        QCOMPARE(bands, QList<float>({0, 0, 8745, 50, 0, 1005, 8745, 955}));
    }

    // Bars are five pixels wide up to e - s = 129 and three from 130 on.
    void barWidths_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<Color>("color");
        QTest::addColumn<int>("e");
        QTest::addColumn<QList<float>>("offsets");
        const std::pair<int, Color> bars[] = {{Volume, kGreen},
                                              {OnBalanceVolume, kGreen},
                                              {ExpMADifference, kEmaGreen},
                                              {Momentum, kDarkGreen},
                                              {MACD, kCyan}};
        for (const auto& [kind, color] : bars) {
            QTest::addRow("kind %d, 130 days", kind)
                << kind << color << 130 << QList<float>{-30, -15, 0, 15, 30};
            QTest::addRow("kind %d, 131 days", kind)
                << kind << color << 131 << QList<float>{-15, 0, 15};
        }
    }
    void barWidths() {
        QFETCH(int, kind);
        QFETCH(Color, color);
        QFETCH(int, e);
        QFETCH(QList<float>, offsets);
        Rig rig;
        rig.draw(kind, {5, 5, 5}, 1, e);
        const std::vector<DrawCall> lines = plotted(rig.plot(), color);
        QCOMPARE(int(lines.size()), e * int(offsets.size()));
        QList<float> atS;
        for (const DrawCall& d : lines) {
            QCOMPARE(d.x1, d.x2);
            if (std::fabs(d.x1 - xOf(1, 1, e)) < 31)
                atS << float(std::nearbyint(d.x1 - xOf(1, 1, e)));
        }
        std::sort(atS.begin(), atS.end());
        QCOMPARE(atS, offsets);
    }

    // A changed value past the last day a routine reads changes nothing; one on that day does.
    void daysRead_data() {
        QTest::addColumn<ReadCase>("c");
        // clang-format off
        const std::pair<const char*, ReadCase> rows[] = {
            {"volume", {Volume, {}, 'V', 0, 3}},
            {"OBV close", {OnBalanceVolume, {}, 'C', 0, 0.1}},
            {"OBV volume", {OnBalanceVolume, {}, 'V', -1, 3}},
            {"RSI", {RSI, {9}, 'C', 9, 3}},
            {"fast low", {FastStochastic, {7, 4}, 'L', 10, 0.1}}, // e + D + K - 1
            {"fast close", {FastStochastic, {7, 4}, 'C', 4, 1.1}},
            {"slow low", {SlowStochastic, {7, 4}, 'L', 12, 0.1}}, // e + D + K + 1
            {"slow high", {SlowStochastic, {7, 4}, 'H', 12, 3}},
            {"slow close", {SlowStochastic, {7, 4}, 'C', 6, 1.1}},
            {"MACD", {MACD, {5, 9, 4}, 'C', 13, 3}},             // e + N3 + N2
            {"EMA difference", {ExpMADifference, {6, 9}, 'C', 9, 3}},
            {"momentum", {Momentum, {8}, 'C', 8, 3}},
            {"volatility", {Volatility, {5, 3}, 'H', 9, 3}},     // e + V1 + V2 + 1
            {"money flow", {MoneyFlowIndex, {6}, 'V', 7, 3}},
        };
        // clang-format on
        for (const auto& [name, c] : rows)
            QTest::newRow(name) << c;
    }
    void daysRead() {
        QFETCH(ReadCase, c);
        constexpr int s = 11, e = 60;
        Rig rig(test::waveDays(300));
        PriceSeries& ps = rig.st.series;
        for (long d = 1; d <= 300; ++d) // ranges that vary, for the volatility
            ps.price_high[d] += float(d % 7) * 0.25f;
        rig.draw(c.kind, c.periods, s, e);
        const QString before = rig.picture();
        auto change = [&](long day) {
            FloatDays* f = c.series == 'C'   ? &ps.price_close
                           : c.series == 'H' ? &ps.price_high
                           : c.series == 'L' ? &ps.price_low
                                             : nullptr;
            if (f)
                (*f)[day] = float((*f)[day] * c.factor);
            else
                ps.price_volume[day] = std::int32_t(ps.price_volume[day] * c.factor);
        };
        change(e + c.lastDay + 1);
        rig.draw(c.kind, c.periods, s, e);
        QCOMPARE(rig.picture(), before);
        change(e + c.lastDay);
        rig.draw(c.kind, c.periods, s, e);
        QVERIFY(rig.picture() != before);
    }

    void panesClearedThenDrawn() {
        Rig rig;
        DrawLog shared;
        for (RecordingSurface* s : {&rig.sf.Picture2, &rig.sf.Picture3, &rig.sf.Picture4})
            s->setLog(&shared);
        rig.draw(Volume, {}, 1, 100, 0, 11);
        QStringList order;
        for (const DrawCall& d : shared.calls()) {
            const QString step = d.surface + (d.op == DrawCall::Op::Cls ? " Cls" : "");
            if (order.isEmpty() || order.back() != step) order << step;
        }
        QCOMPARE(order, QStringList({"Picture2 Cls", "Picture3 Cls", "Picture4 Cls", "Picture2"}));
        QVERIFY(rig.sf.TechRuler2.calls().calls().empty());
        QVERIFY(rig.sf.TechRuler3.calls().calls().empty());
    }

    void panesUseTheirOwnPeriods() {
        Rig rig;
        rig.st.pane(2).rsi_periods = 5;
        rig.st.pane(3).rsi_periods = 14;
        rig.draw(RSI, {14}, 1, 100, RSI, RSI);
        auto curve = [](const RecordingSurface& s) {
            QList<float> ys;
            for (const DrawCall& d : plotted(s, kBlack))
                ys << d.y2;
            return ys;
        };
        QCOMPARE(curve(rig.sf.Picture2).size(), 100);
        QVERIFY(curve(rig.sf.Picture2) != curve(rig.sf.Picture3));
        QCOMPARE(curve(rig.sf.Picture2), curve(rig.sf.Picture4));
    }

    // Near the end of the 5000-day series and of the 3000-day buffers the tolerant routines
    // skip what fails; the others end the drawing, leaving the later panes cleared.
    void capacityLimits_data() {
        QTest::addColumn<LimitCase>("c");
        // clang-format off
        const std::pair<const char*, LimitCase> rows[] = {
            {"momentum reads day 5000", {Momentum, {12}, 4889, 4988, false}},
            {"momentum reads day 5001", {Momentum, {12}, 4890, 4989, true}},
            {"MACD keeps day 3000", {MACD, {12, 26, 5}, 2896, 2995, false}},
            {"MACD keeps day 3001", {MACD, {12, 26, 5}, 2897, 2996, true}},
            {"RSI at day 5000", {RSI, {14}, 4901, 5000, false, kBlack, 100}},
            {"EMA difference at day 5000", {ExpMADifference, {10, 15}, 4901, 5000, false}},
            // %K and the money flow index of day 3001 are not kept: the lines start at 3000.
            {"fast at day 3000", {FastStochastic, {5, 5}, 2901, 3000, false, kBlack, 99}},
            {"money flow at day 3000", {MoneyFlowIndex, {10}, 2951, 3000, false, kPurple, 49}},
            // No maximum past the end: bars without height.
            {"OBV past day 3000", {OnBalanceVolume, {}, 2951, 3010, false, kGreen, 300,
             {"", "0", "-"}}},
            {"volume past day 5000", {Volume, {}, 4951, 5001, false, kGreen, 255,
             {"", "", "0"}}},
        };
        // clang-format on
        for (const auto& [name, c] : rows)
            QTest::newRow(name) << c;
    }
    void capacityLimits() {
        QFETCH(LimitCase, c);
        Rig rig(test::waveDays(kSeriesCapacity));
        bool threw = false;
        try {
            rig.draw(c.kind, c.periods, c.s, c.e, Volume, RSI);
        } catch (const ChartError&) {
            threw = true;
        }
        QCOMPARE(threw, c.fails);
        if (c.fails) {
            // The failing pane has its reference lines, no bands; the later panes are cleared.
            QCOMPARE(rig.plot().calls().calls().size(), size_t(4));
            QCOMPARE(rig.sf.Picture4.calls().calls().size(), size_t(1));
            QVERIFY(rig.sf.TechRuler2.calls().calls().empty());
            return;
        }
        QCOMPARE(test::callsOf(rig.plot(), DrawCall::Op::Box).size(), size_t(2));
        QVERIFY(rig.sf.Picture4.calls().calls().size() > 1);
        const std::vector<DrawCall> lines = plotted(rig.plot(), c.color);
        if (c.drawn >= 0) QCOMPARE(int(lines.size()), c.drawn);
        if (!c.labels.isEmpty()) {
            QCOMPARE(test::printed(rig.ruler()), c.labels);
            for (const DrawCall& d : lines)
                QCOMPARE(d.y1, d.y2);
        }
    }

    // DrawComplete follows every drawing of the three panes that ends normally, once.
    void drawComplete_data() {
        QTest::addColumn<int>("kind1");
        QTest::addColumn<int>("e");
        QTest::addColumn<int>("raised");
        QTest::newRow("volume, empty, empty") << int(Volume) << 100 << 1;
        QTest::newRow("nothing to draw") << 0 << 100 << 1;
        QTest::newRow("momentum past day 5000") << int(Momentum) << 4995 << 0;
    }
    void drawComplete() {
        QFETCH(int, kind1);
        QFETCH(int, e);
        QFETCH(int, raised);
        test::CoreFixture f;
        test::fillSeries(f.core.state().series, test::waveDays(kSeriesCapacity));
        f.core.state().starting_date_local = std::int16_t(e - 99);
        f.core.state().ending_date_local = std::int16_t(e);
        f.store.setValue(QStringLiteral("BkgRulers"), QString::number(RGB(255, 0, 0)));
        int count = 0;
        f.core.onDrawComplete = [&] { ++count; };
        try {
            f.core.DisplayTechnicalIndicators(std::int16_t(kind1), 0, 11);
        } catch (const ChartError&) {
        }
        QCOMPARE(count, raised);
        if (kind1 == Volume) // the band colour comes from the settings store
            QCOMPARE(test::callsOf(f.surfaces.Picture2, DrawCall::Op::Box).back().color,
                     RGB(255, 0, 0));
    }
};

QTEST_MAIN(TestIndicators)
#include "tst_indicators.moc"
