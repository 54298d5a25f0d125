// SPDX-License-Identifier: BSD-3-Clause
// The printed page: its frame, price ruler, date labels, marks, legend and bands as drawn on a
// US Letter page in landscape (3300 x 2550 units of 1/300 inch), the PDF it makes, and the
// control's print member.

#include "Fixtures.h"

#include "print/PrintOutput.h"

#include <tk5chctl/TKchart.h>

#include <QBuffer>
#include <QPdfWriter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

using namespace tk5;
using namespace tk5::test;

namespace {

constexpr double W = 3300, H = 2550, Hp = H - 200;
constexpr double kBase = Hp * 2 / 3; // the price area's lower edge

// A loaded state of n days with the price ruler of the screen set by hand: ticks of `step`
// from bottom to top.
ChartState stateOf(int n, std::int16_t s, std::int16_t e, float step = 2.5f, float bottom = 16,
                   float top = 28) {
    ChartState st;
    fillSeries(st.series, roughDays(n));
    st.company_name = QStringLiteral("Rough Ltd");
    st.starting_date_local = s;
    st.ending_date_local = e;
    st.price_step = step;
    st.ruler_bottom = bottom;
    st.ruler_top = top;
    return st;
}

struct Printed {
    DrawLog log;
    QByteArray pdf;
    std::vector<DrawCall> of(DrawCall::Op op) const { return callsOf(log, op); }
    // The texts printed with their top inside rows y0..y1.
    QStringList textsBetween(double y0, double y1) const {
        QStringList out;
        for (const DrawCall& c : of(DrawCall::Op::Print))
            if (c.y1 >= y0 && c.y1 < y1) out << c.text;
        return out;
    }
    bool hasLine(double x1, double y1, double x2, double y2, Color color = RGB(0, 0, 0),
                 DrawCall::Op op = DrawCall::Op::Line) const {
        for (const DrawCall& c : of(op))
            if (std::fabs(c.x1 - x1) < 0.01 && std::fabs(c.y1 - y1) < 0.01 &&
                std::fabs(c.x2 - x2) < 0.01 && std::fabs(c.y2 - y2) < 0.01 && c.color == color)
                return true;
        return false;
    }
};

Printed printPage(const ChartState& st, std::int16_t customMa = 20) {
    Printed out;
    QBuffer buffer(&out.pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(300);
    writer.setPageSize(QPageSize(QPageSize::Letter));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    printChartOn({st, customMa, &out.log}, writer);
    return out;
}

int pdfPages(const QString& file) {
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {file});
    p.waitForFinished();
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                       .match(QString::fromUtf8(p.readAllStandardOutput()));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

} // namespace

class TestPrint : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useEnglishLocale(); }

    void frameAndBands() {
        const Printed p = printPage(stateOf(300, 1, 200));
        const Color grey = RGB(220, 220, 220);
        QVERIFY(p.hasLine(100, 100, 250, H - 100, grey, DrawCall::Op::Box));
        QVERIFY(p.hasLine(250, kBase, W - 500, kBase + 100, grey, DrawCall::Op::Box));
        for (double y : {Hp * 7 / 9 + 100, Hp * 8 / 9 + 100, H - 100})
            QVERIFY(p.hasLine(y < H - 100 ? 250 : 100, y, W - 500, y));
        for (double x : {100.0, W - 500})
            QVERIFY(p.hasLine(x, 100, x, H - 100));
        // The title line, and the bands' own rulers: Volume, Fast Stochastic, EMA difference.
        QVERIFY(p.textsBetween(40, 60).join(u'|').startsWith(
            QStringLiteral("Price History - Rough Ltd    ")));
        QVERIFY(p.textsBetween(kBase + 100, Hp * 7 / 9 + 100).contains(QStringLiteral("0")));
        const QStringList band2 = p.textsBetween(Hp * 7 / 9 + 100, Hp * 8 / 9 + 100);
        QCOMPARE(band2, (QStringList{"100", "50", "0"}));
        const QStringList band3 = p.textsBetween(Hp * 8 / 9 + 100, H - 100);
        QCOMPARE(band3.size(), 3);
        QVERIFY(band3[0].contains(QRegularExpression(QStringLiteral("^\\d+\\.\\d$"))));
        QCOMPARE(band3[2], QStringLiteral("-") + band3[0]);
    }

    void priceRuler_data() {
        QTest::addColumn<float>("step");
        QTest::addColumn<float>("bottom");
        QTest::addColumn<float>("top");
        QTest::addColumn<QStringList>("labels");
        QTest::newRow("2.5 steps")
            << 2.5f << 14.f << 18.f << QStringList{"$ 35", "$ 37.5", "$ 40", "$ 42.5"};
        QTest::newRow("one step") << 0.05f << 20.f << 21.f << QStringList{"$ 1"};
        QTest::newRow("tens") << 10.f << 3.f << 6.f << QStringList{"$ 30", "$ 40", "$ 50"};
    }
    void priceRuler() {
        QFETCH(float, step);
        QFETCH(float, bottom);
        QFETCH(float, top);
        QFETCH(QStringList, labels);
        const Printed p = printPage(stateOf(300, 1, 200, step, bottom, top));
        const int ticks = static_cast<int>(top - bottom);
        const double scale = (kBase - 110) / ((top - bottom) * step);
        QStringList shown;
        for (const DrawCall& c : p.of(DrawCall::Op::Print))
            if (c.x1 == 125) shown << c.text;
        QCOMPARE(shown, labels);
        int grid = 0, minor = 0;
        for (int t = 0; t <= ticks; ++t) {
            const double y = kBase - 5 - t * step * scale;
            QVERIFY2(p.hasLine(150, y, 250, y), qPrintable(QString::number(t)));
        }
        for (const DrawCall& c : p.of(DrawCall::Op::Line)) {
            if (c.color == RGB(190, 190, 190) && c.style == kDotted) ++grid;
            if (c.x1 == 230 && c.x2 == 250) ++minor;
        }
        QCOMPARE(grid, ticks - 1);  // strictly between bottom and top
        QCOMPARE(minor, 9 * ticks); // none over the top tick
    }

    void legend_data() {
        QTest::addColumn<bool>("averages");
        QTest::addColumn<bool>("custom");
        QTest::addColumn<QList<int>>("kinds");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<Color>("firstColor");
        QTest::newRow("averages off, MACD, volume")
            << false << false << QList<int>{5, 1, 0}
            << QStringList{"MACD(11 vs. 27)", "EMA(6)", "Divergence", "Volume"} << RGB(0, 0, 0);
        QTest::newRow("all averages, stochastics")
            << true << true << QList<int>{3, 4, 0}
            << QStringList{"10 Day MA",          "50 Day MA",          "200 Day MA",
                           "33 Day MA",          "Fast Stoch. %K(14)", "Fast Stoch. %D(3)",
                           "Slow Stoch. %K(21)", "Slow Stoch. %D(4)"}
            << RGB(255, 0, 0);
        QTest::newRow("the other six")
            << false << false << QList<int>{2, 6, 7}
            << QStringList{"RSI(9)", "EMA Diff.(8 vs. 17)", "Momentum(13)"} << RGB(0, 0, 0);
        QTest::newRow("volatility, OBV, money flow")
            << false << false << QList<int>{8, 9, 10}
            << QStringList{"Volatility(9 vs. 11)", "On Balance Volume", "Money Flow(15)"}
            << RGB(0, 0, 0);
        QTest::newRow("every pane empty")
            << false << false << QList<int>{0, 0, 0} << QStringList{} << RGB(0, 0, 0);
    }
    void legend() {
        QFETCH(bool, averages);
        QFETCH(bool, custom);
        QFETCH(QList<int>, kinds);
        QFETCH(QStringList, texts);
        QFETCH(Color, firstColor);
        ChartState st = stateOf(300, 1, 200);
        st.show_ma10 = st.show_ma50 = st.show_ma200 = averages ? kTrue : kFalse;
        st.show_ma_custom = custom ? kTrue : kFalse;
        for (int b = 1; b <= 3; ++b)
            st.pane(b) = {.kind = static_cast<std::int16_t>(kinds[b - 1]),
                          .rsi_periods = 9,
                          .fs_periods_k = 14,
                          .fs_periods_d = 3,
                          .ss_periods_k = 21,
                          .ss_periods_d = 4,
                          .exp_ma_periods1 = 8,
                          .exp_ma_periods2 = 17,
                          .macd_periods1 = 11,
                          .macd_periods2 = 27,
                          .macd_periods3 = 6,
                          .momentum_periods = 13,
                          .volatility_periods1 = 9,
                          .volatility_periods2 = 11,
                          .money_flow_periods = 15};
        const Printed p = printPage(st, 33);
        QStringList shown;
        std::vector<DrawCall> swatches;
        for (const DrawCall& c : p.of(DrawCall::Op::Print))
            if (c.x1 == float(W - 350)) shown << c.text;
        for (const DrawCall& c : p.of(DrawCall::Op::Box))
            if (c.x1 == float(W - 450)) swatches.push_back(c);
        QCOMPARE(shown, texts);
        QCOMPARE(swatches.size(), size_t(texts.size()));
        for (size_t k = 0; k < swatches.size(); ++k) {
            QCOMPARE(swatches[k].y1, float(100 * (k + 1) + 300));
            QCOMPARE(swatches[k].y2, float(100 * (k + 1) + 330));
            QCOMPARE(swatches[k].x2, float(W - 400));
        }
        if (!swatches.empty()) QCOMPARE(swatches[0].color, firstColor);
    }

    void marks() {
        ChartState st = stateOf(300, 11, 110);
        st.buy_number = 1;
        st.buy_day[1] = 60;
        st.sell_number = 2;
        st.sell_day[1] = 20;
        st.sell_day[2] = 5; // outside the window: no mark
        const Printed p = printPage(st);
        const std::vector<DrawCall> polygons = p.of(DrawCall::Op::Polygon);
        QCOMPARE(polygons.size(), size_t(2));
        const double dw = (W - 750) / 101, scale = (kBase - 110) / (12 * 2.5);
        auto y = [&](double price) { return kBase - 5 - (price - 40) * scale; };
        const struct {
            long day;
            double y;
            int dir;
            Color fill;
        } expected[] = {{60, y(st.series.price_low[60]) + 10, 1, RGB(0, 255, 0)},
                        {20, y(st.series.price_high[20]) - 10, -1, RGB(255, 0, 0)}};
        for (int m = 0; m < 2; ++m) {
            const int x = toInt32(W - 500 - (expected[m].day - 11 + 1) * dw);
            const int yy = toInt32(expected[m].y), d = expected[m].dir;
            const std::vector<QPoint> corners = {{x, yy + 5 * d},      {x + 12, yy + 25 * d},
                                                 {x + 4, yy + 25 * d}, {x + 4, yy + 50 * d},
                                                 {x - 4, yy + 50 * d}, {x - 4, yy + 25 * d},
                                                 {x - 12, yy + 25 * d}};
            QCOMPARE(polygons[size_t(m)].points, corners);
            QCOMPARE(polygons[size_t(m)].color, expected[m].fill);
        }
        // The bar's close tick reaches half a day to the right; the averages are 2 wide.
        const double x60 = W - 500 - 50 * dw, close = y(st.series.price_close[60]);
        QVERIFY(p.hasLine(x60, close, x60 + dw / 2, close));
        for (const Color color : {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)}) {
            const auto lines = p.of(DrawCall::Op::Line);
            QVERIFY(std::any_of(lines.begin(), lines.end(), [&](const DrawCall& l) {
                return l.color == color && l.width == 2;
            }));
        }
        // The arrows of the screen go with them.
        QCOMPARE(p.of(DrawCall::Op::PenLine).size(), size_t(12));
    }

    // The date labels of the six bands, told apart by the forms of their texts.
    void dateBands_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<QStringList>("forms");
        QTest::addColumn<bool>("everyDay");
        QTest::addColumn<double>("barWidth"); // of the volume bars in band 1
        const QStringList band1{"d,mmm,yy"}, days{"d", "mmm,yy"};
        QTest::newRow("12") << 12 << band1 << true << 24.0;
        QTest::newRow("13") << 13 << days << true << 24.0;
        QTest::newRow("29") << 29 << days << true << 24.0;
        QTest::newRow("30") << 30 << days << false << 10.0;
        QTest::newRow("99") << 99 << days << false << 10.0;
        QTest::newRow("100") << 100 << QStringList{"mmm"} << false << 4.0;
        QTest::newRow("299") << 299 << QStringList{"mmm", "mmm,yyyy"} << false << 4.0;
        QTest::newRow("300") << 300 << QStringList{"m", "m,yy"} << false << 2.0;
        QTest::newRow("699") << 699 << QStringList{"m", "m,yy"} << false << 2.0;
        QTest::newRow("700") << 700 << QStringList{"mmm,yy"} << false << 1.0;
    }
    void dateBands() {
        QFETCH(int, n);
        QFETCH(QStringList, forms);
        QFETCH(bool, everyDay);
        QFETCH(double, barWidth);
        const Printed p = printPage(stateOf(n, 1, static_cast<std::int16_t>(n)));
        const std::pair<const char*, const char*> kForms[] = {
            {"d,mmm,yy", "^\\d{1,2},[A-Z][a-z]{2},\\d\\d$"},
            {"d", "^\\d{1,2}$"},
            {"mmm,yy", "^[A-Z][a-z]{2},\\d\\d$"},
            {"mmm", "^[A-Z][a-z]{2}$"},
            {"mmm,yyyy", "^[A-Z][a-z]{2},\\d{4}$"},
            {"m", "^[A-Z]$"},
            {"m,yy", "^[A-Z],\\d\\d$"}};
        const QStringList labels = p.textsBetween(kBase, kBase + 100);
        QStringList found;
        for (const auto& [form, pattern] : kForms)
            if (!labels.filter(QRegularExpression(QString::fromLatin1(pattern))).isEmpty())
                found << QString::fromLatin1(form);
        QCOMPARE(found, forms);
        int dayLabels = 0;
        for (const QString& t : labels)
            dayLabels += t.contains(QRegularExpression(QStringLiteral("^\\d{1,2}(,|$)")));
        QCOMPARE(dayLabels == n, everyDay);
        const auto boxes = p.of(DrawCall::Op::Box);
        const auto bar = std::find_if(boxes.begin(), boxes.end(), [](const DrawCall& b) {
            return b.y1 > kBase + 100 && b.y1 < Hp * 7 / 9 + 100 && b.x1 > 250;
        });
        QVERIFY(bar != boxes.end());
        QVERIFY(std::fabs(bar->x2 - bar->x1 - barWidth) < 0.01);
    }

    // Bad states print a page all the same: nothing throws, the page is one page.
    void badStates_data() {
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("s");
        QTest::addColumn<int>("e");
        QTest::addColumn<int>("marks");
        QTest::addColumn<int>("bars");
        QTest::newRow("no history") << 0 << 1 << 200 << 0 << 0;
        QTest::newRow("one day") << 300 << 7 << 7 << 0 << 1;
        QTest::newRow("end before start") << 300 << 50 << 10 << 0 << 0;
        QTest::newRow("end past the history") << 300 << 251 << 4000 << 0 << 50;
        QTest::newRow("start far back") << 300 << -32768 << 32767 << 0 << 300;
        QTest::newRow("250 buys and sells") << 300 << 1 << 300 << 250 << 300;
    }
    void badStates() {
        QFETCH(int, days);
        QFETCH(int, s);
        QFETCH(int, e);
        QFETCH(int, marks);
        QFETCH(int, bars);
        ChartState st = stateOf(std::max(days, 1), std::int16_t(s), std::int16_t(e));
        if (days == 0) st = ChartState{};
        st.buy_number = st.sell_number = std::int16_t(marks);
        for (int k = 1; k <= marks; ++k) {
            st.buy_day[k] = std::int16_t(k + 1);
            st.sell_day[k] = std::int16_t(k);
        }
        const ChartState before = st;
        const Printed p = printPage(st);
        QVERIFY(p.pdf.startsWith("%PDF"));
        int barLines = 0;
        for (const DrawCall& c : p.of(DrawCall::Op::Line))
            barLines +=
                c.x1 == c.x2 && c.x1 > 250 && c.x1 < W - 500 && c.y2 < kBase && c.width == 1;
        QCOMPARE(barLines, bars);
        QCOMPARE(p.of(DrawCall::Op::Polygon).size(), size_t(2 * marks));
        QCOMPARE(st.starting_date_local, before.starting_date_local); // printing changes nothing
        QCOMPARE(st.ending_date_local, before.ending_date_local);
    }

    void pdfFiles() {
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty(),
                 "pdfinfo (poppler-utils) is needed");
        QTemporaryDir dir;
        const ChartState st = stateOf(300, 1, 200);
        const QString file = dir.filePath(QStringLiteral("chart.pdf"));
        printChartToPdf({st}, file, QPageSize(QPageSize::A4));
        QCOMPARE(pdfPages(file), 1);
        QVERIFY(QFileInfo(file).size() > 2000);
        // A missing folder, or a folder in the file's place: a clear error, the file as it was.
        for (const QString& bad : {dir.filePath(QStringLiteral("none/chart.pdf")),
                                   dir.filePath(QStringLiteral("chart.pdf/x.pdf")), dir.path()}) {
            try {
                printChartToPdf({st}, bad, QPageSize(QPageSize::A4));
                QFAIL(qPrintable(bad));
            } catch (const ChartError& e) {
                QCOMPARE(e.kind(), ChartError::Kind::File);
                QVERIFY(QString::fromUtf8(e.what()).contains(QDir::toNativeSeparators(bad)));
            }
        }
        QCOMPARE(pdfPages(file), 1);
    }

    // The control prints to its target, records the page while recording, and tells a missing
    // printer.
    void control() {
        QTemporaryDir dir;
        TKchart chart(QMap<QString, QString>{});
        chart.resize(900, 700);
        chart.show();
        chart.ReadDataFile(QStringLiteral("ORCL"));
        chart.redraw();
        const QString file = dir.filePath(QStringLiteral("orcl.pdf"));
        chart.setPrintTarget(file);
        QCOMPARE(chart.printTarget(), file);
        chart.startRecording();
        chart.PrintEntireChart();
        chart.stopRecording();
        QCOMPARE(pdfPages(file), 1);
        const QStringList calls = chart.recordedDrawCalls();
        QVERIFY(!calls.isEmpty());
        QCOMPARE(calls.filter(QRegularExpression(QStringLiteral("^Printer "))).size(),
                 calls.size());
        QVERIFY(calls.filter(QStringLiteral("\"Price History - ")).size() == 1);
        chart.setPrintTarget(QString());
        if (!QPrinterInfo::defaultPrinter().isNull()) QSKIP("this machine has a printer");
        try {
            chart.PrintEntireChart();
            QFAIL("printed without a printer");
        } catch (const TKchartError& e) {
            QCOMPARE(e.kind(), TKchartError::Kind::Printer);
        }
    }
};

QTEST_MAIN(TestPrint)
#include "tst_print.moc"
