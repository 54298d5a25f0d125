// SPDX-License-Identifier: BSD-3-Clause
#include "Fixtures.h"

#include "chart/DateRuler.h"
#include "chart/Marks.h"
#include "chart/PriceChart.h"
#include "chart/PriceRuler.h"
#include "chart/mdlDrawArrow.h"

#include <QtTest>

#include <algorithm>

using namespace tk5;
using namespace tk5::test;

namespace {

constexpr float W = 8745, H = 5475; // Picture1 and PriceRuler height, DateRuler width
const Color kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255), kGrid = RGB(150, 60, 60);

// A chart state and its surfaces: price p at y = 5425 - 10 p.
struct Chart {
    ChartState st;
    OverlaySettings overlays;
    Surfaces sf;
    ChartSurfaces all = sf.all();
    Chart() {
        st.show_ma10 = st.show_ma50 = st.show_ma200 = kFalse;
        st.price_step = 1, st.ruler_bottom = 0, st.price_scale = 10;
    }
    void flat(int n) { fillSeries(st.series, std::vector<Day>(size_t(n), Day{60, 40, 50})); }
};

float xOf(int d, int s, int e) { return W - (d - s + 1) * (W / (e - s + 2)); }
int count(const std::vector<DrawCall>& v, const std::function<bool(const DrawCall&)>& f) {
    return int(std::count_if(v.begin(), v.end(), f));
}
int linesBetween(const RecordingSurface& r, float y1, float y2) {
    return count(callsOf(r, DrawCall::Op::Line), [&](auto& c) { return c.y1 == y1 && c.y2 == y2; });
}

struct RulerCase {
    float hi, lo, height, step, top, bottom;
    QStringList labels; // bottom up; the top tick's lies above the ruler
    Flag grid = kTrue;
};
struct OverlayCase {
    QStringList shown; // "close" (the bars otherwise), "ma10", .., "envelopes", "bands"
    int dayCount, s, e;
    bool fails = false; // past the 3000-day work buffers
};
} // namespace

Q_DECLARE_METATYPE(RulerCase)
Q_DECLARE_METATYPE(OverlayCase)

class TestChart : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { useEnglishLocale(); }

    // A range on a limit takes that limit's step, the float just below it the next smaller one;
    // prices so large that a step no longer changes a double still end the ruler, with one long
    // tick per step between the stored bottom and top.
    void priceStep_data() {
        QTest::addColumn<QList<float>>("v"); // high, low, step
        using F = QList<float>;
        const float limits[][2] = {
            {5000, 1000}, {2500, 500}, {1500, 250},  {1000, 150},   {500, 100}, {250, 50},
            {150, 25},    {100, 15},   {50, 10},     {25, 5},       {10, 2.5f}, {5, 1},
            {2.5f, 0.5f}, {1, 0.2f},   {0.5f, 0.1f}, {0.1f, 0.05f}, {0, 0.02f}};
        for (size_t i = 0; i + 1 < std::size(limits); ++i) {
            QTest::addRow("%g", double(limits[i][0])) << F{limits[i][0], 0, limits[i][1]};
            QTest::addRow("below %g", double(limits[i][0]))
                << F{std::nextafter(limits[i][0], 0.0f), 0, limits[i + 1][1]};
        }
        for (float p : {2e14f, 1e16f, 3.4e38f, -3e38f})
            QTest::addRow("flat %g", double(p)) << F{p, p, 0.02f};
        QTest::newRow("2e14 over 1e7") << F{2e14f, 2e14f - 1e7f, 1000};
    }
    void priceStep() {
        QFETCH(QList<float>, v);
        Chart c;
        fillSeries(c.st.series, {{v[0], v[1], v[1]}});
        DrawPriceRuler(c.st, c.all, 1, 1);
        QCOMPARE(c.st.price_step, v[2]);
        const double ticks = double(c.st.ruler_top) - c.st.ruler_bottom;
        QVERIFY(ticks >= 0 && ticks <= 32767);
        QCOMPARE(
            count(callsOf(c.sf.PriceRuler, DrawCall::Op::Line), [](auto& l) { return l.x1 == 50; }),
            int(ticks) + 1);
    }

    void ruler_data() {
        QTest::addColumn<RulerCase>("t");
        const QStringList to18{"$ 12", "$ 13", "$ 14", "$ 15", "$ 16", "$ 17", "$ 18"};
        const QStringList to19 = to18 + QStringList{"$ 19"};
        // clang-format off
        QTest::newRow("20/12: 20.5, 11.5 to even") << RulerCase{20, 12, H, 1, 20, 12, to19};
        QTest::newRow("grid off") << RulerCase{20, 12, H, 1, 20, 12, to19, kFalse};
        QTest::newRow("15/5") << RulerCase{15, 5, H, 2.5, 6, 2, {"$ 5", "$ 7.5", "$ 10", "$ 12.5"}};
        // 21.5 -> 22 and 12.5 -> 12: a maximum on an odd step gets one step above it.
        QTest::newRow("21/13") << RulerCase{21, 13, H, 1, 22, 12, to19 + QStringList{"$ 20", "$ 21"}};
        QTest::newRow("0.3/0.05") << RulerCase{0.3f, 0.05f, H, 0.05f, 7, 0,
            {"$ 0", "$ 0.05", "$ 0.1", "$ 0.15", "$ 0.2", "$ 0.25", "$ 0.3"}};
        // "$ 19" begins at h - 230 - 7 (h - 100) / 8: 45 for h = 1500, 46 for h = 1508.
        QTest::newRow("label at 45 left out") << RulerCase{20, 12, 1500, 1, 20, 12, to18};
        QTest::newRow("label at 46 shown") << RulerCase{20, 12, 1508, 1, 20, 12, to19};
        // top round(0.5) = 0 = bottom round(-0.5): the scale of 10 stays, the drawing goes on.
        QTest::newRow("flat 0") << RulerCase{0, 0, H, 0.02f, 0, 0, {"$ 0"}};
        // clang-format on
    }
    void ruler() {
        QFETCH(RulerCase, t);
        Chart c;
        c.sf.PriceRuler.setSizeTwips(645, t.height);
        c.st.show_horizontal_grid = t.grid;
        fillSeries(c.st.series,
                   {{t.hi - 1, t.lo + 1, 0}, {t.hi, t.lo + 1, 0}, {t.hi - 1, t.lo, 0}});
        DrawPriceRuler(c.st, c.all, 1, 3);
        QCOMPARE(c.st.price_step, t.step);
        QCOMPARE(QList<float>({float(c.st.ruler_top), float(c.st.ruler_bottom)}),
                 QList<float>({t.top, t.bottom}));
        const int steps = int(t.top - t.bottom);
        const double unit = steps ? (t.height - 100) / steps : t.step * 10; // twips per step
        QCOMPARE(c.st.price_scale, float(unit / t.step));
        QCOMPARE(printed(c.sf.PriceRuler), t.labels);
        // Major ticks from 50 over the bottom, nine minor ones after each; labels 180 above them;
        // dotted grid lines across the chart at the major ticks.
        std::vector<float> major, minor;
        for (const DrawCall& l : callsOf(c.sf.PriceRuler, DrawCall::Op::Line))
            (l.x1 == 50 ? major : minor).push_back(l.y1);
        QCOMPARE(int(major.size()), steps + 1);
        QCOMPARE(int(minor.size()), 9 * (steps + 1));
        const auto labels = callsOf(c.sf.PriceRuler, DrawCall::Op::Print);
        for (int k = 0; k <= steps; ++k) {
            COMPARE_TWIPS(major[k], t.height - 50 - k * unit);
            if (k < int(labels.size())) COMPARE_TWIPS(labels[k].y1, t.height - 230 - k * unit);
        }
        const auto grid = callsOf(c.sf.Picture1, DrawCall::Op::Line);
        QCOMPARE(grid.size(), t.grid == kTrue ? major.size() : 0);
        for (size_t i = 0; i < grid.size(); ++i)
            QVERIFY(grid[i].y1 == major[i] && grid[i].color == kGrid && grid[i].style == kDotted);
    }

    // A printed text stays on its line of the record: quotes, backslashes and line feeds as
    // before, every other control character and the Unicode line breaks as \uXXXX.
    void recordedText() {
        DrawCall c;
        c.surface = "PriceRuler", c.op = DrawCall::Op::Print, c.x1 = 10, c.y1 = 20,
        c.font = "Arial 8";
        const std::pair<QString, QString> rows[] = {
            {QStringLiteral("$ 12.5 \u00e9"), QStringLiteral("$ 12.5 \u00e9")},
            {"a\"b\\c\nd", "a\\\"b\\\\c\\nd"},
            {"a\rb" + QString(QChar(0)) + "c\vd\te", "a\\u000Db\\u0000c\\u000Bd\\u0009e"},
            {QStringLiteral("a\u007fb\u0085c"), "a\\u007Fb\\u0085c"}, // DEL, C1 NEL
            {QStringLiteral("a\u2028b\u2029c"), "a\\u2028b\\u2029c"}};
        for (const auto& [text, quoted] : rows) {
            c.text = text;
            QCOMPARE(c.toText(), "PriceRuler Print 10 20 \"" + quoted +
                                     "\" color=rgb(0,0,0) font=\"Arial 8\" mode=13");
        }
    }

    // 250 days loaded; day 1 at x = 8745 - 8745 / (e + 1) twips; the pixels of its bar at row 333.
    void barStyles_data() {
        QTest::addColumn<int>("e");
        QTest::addColumn<std::vector<int>>("columns");
        QTest::newRow("n = 9") << 10 << std::vector<int>{529, 530, 531};
        QTest::newRow("n = 29") << 30 << std::vector<int>{563, 564, 565};
        QTest::newRow("n = 30") << 31 << std::vector<int>{565};
        QTest::newRow("n = 31") << 32 << std::vector<int>{564, 565};
        QTest::newRow("n = 99") << 100 << std::vector<int>{576, 577};
        QTest::newRow("n = 100") << 101 << std::vector<int>{577};
        QTest::newRow("e 400 clamped to 250") << 400 << std::vector<int>{581};
    }
    void barStyles() {
        QFETCH(int, e);
        QFETCH(std::vector<int>, columns);
        Chart c;
        c.flat(250);
        std::int16_t s = 1, end = std::int16_t(e);
        DisplayChart(c.st, c.overlays, c.all, s, end);
        const int shown = std::min(e, 250);
        QCOMPARE(QList<int>({end, c.st.ending_date_local}), QList<int>({shown, shown}));
        const float dw = W / (shown + 1), x = xOf(1, 1, shown);
        QCOMPARE(c.st.day_width, dw);
        const bool wide = columns.size() == 1; // a line, else a box 3 or 2 pixels wide
        const auto& calls = c.sf.Picture1.calls().calls();
        QCOMPARE(calls.size(), size_t(2 * shown));
        // Low 40 (y 5025) to high 60 (4825); the close 50 (4925) a half-day tick or 0.3-day flag.
        QVERIFY(calls[0].y1 == 5025.0f && calls[0].y2 == 4825.0f);
        COMPARE_TWIPS(calls[1].x1, x + (wide ? 0.5 : 0.3) * dw);
        COMPARE_TWIPS(calls[1].x2, x);
        QCOMPARE(calls[1].y1, wide ? 4925.0f : 4910.0f);
        for (int px = columns.front() - 2; px <= std::min(columns.back() + 2, 582); ++px)
            QCOMPARE(c.sf.Picture1.pixel(px, 333) == kBlack,
                     std::find(columns.begin(), columns.end(), px) != columns.end());
    }

    // Every segment of the close line and of the overlays, day d to day d + 1, in drawing order,
    // against averages worked out here over irregular closes. Overlay settings: custom 7 days,
    // envelopes 3% around 12 days, bands 1.5 deviations around 9 days.
    void overlays_data() {
        QTest::addColumn<OverlayCase>("t");
        const QStringList all{"ma10", "ma50", "ma200", "custom", "envelopes", "bands"};
        QTest::newRow("close to day e + 1") << OverlayCase{{"close"}, 300, 1, 10};
        QTest::newRow("close ends at day_count") << OverlayCase{{"close"}, 300, 291, 300};
        QTest::newRow("all to day e + 1") << OverlayCase{all, 300, 4, 25};
        // Each line stops where its days would pass day 60; the 200-day average draws nothing.
        QTest::newRow("all, short history") << OverlayCase{all, 60, 1, 50};
        // The 10-day average up to day 3000 needs day 3001 of its work buffer.
        QTest::newRow("ma10 to 2999") << OverlayCase{{"ma10"}, 3100, 2989, 2999};
        QTest::newRow("ma10 to 3000 fails") << OverlayCase{{"ma10"}, 3100, 2990, 3000, true};
    }
    void overlays() {
        QFETCH(OverlayCase, t);
        Chart c;
        fillSeries(c.st.series, roughDays(t.dayCount));
        c.overlays = {7, 12, 3, 9, 1.5f};
        auto on = [&](const char* name) { return toFlag(t.shown.contains(name)); };
        c.st.show_high_low_close = toFlag(!t.shown.contains("close"));
        c.st.show_ma10 = on("ma10"), c.st.show_ma50 = on("ma50"), c.st.show_ma200 = on("ma200");
        c.st.show_ma_custom = on("custom"), c.st.show_envelopes = on("envelopes"),
        c.st.show_bands = on("bands");
        std::int16_t s = std::int16_t(t.s), e = std::int16_t(t.e);
        bool threw = false;
        try {
            DisplayChart(c.st, c.overlays, c.all, s, e);
        } catch (const ChartError&) {
            threw = true;
        }
        QCOMPARE(threw, t.fails);
        auto close = [&](long j) { return c.st.series.price_close[j]; };
        auto mean = [&](long d, int n) { return sumOver(d, d + n - 1, close) / n; };
        auto deviation = [&](long d) { // of the 9 closes from day d, each from its own average
            auto square = [&](long j) { return std::pow(close(j) - mean(j, 9), 2); };
            return 1.5 * std::sqrt(sumOver(d, d + 8, square) / 9);
        };
        // A line stops at day_count - periods (the bands a day earlier); line k (0 or 1) on day d.
        const QStringList names{"close", "ma10", "ma50", "ma200", "custom", "envelopes", "bands"};
        const QList<int> periodsOf{1, 10, 50, 200, 7, 12, 9};
        const QList<Color> colors{kBlack,         RGB(200, 0, 0),   RGB(0, 200, 0),
                                  RGB(0, 0, 200), RGB(0, 128, 255), RGB(255, 0, 255),
                                  kBlack};
        auto price = [&](const QString& name, int n, long d, int k) { // envelopes: upper first
            if (name == "envelopes") return mean(d, n) * (k ? 0.97 : 1.03);
            return mean(d, n) + (name == "bands" ? (k ? 1 : -1) * deviation(d) : 0); // lower first
        };
        const auto all = callsOf(c.sf.Picture1, DrawCall::Op::Line);
        QList<Color> order, seen; // the colours of the lines in drawing order
        for (int j = 0; j < names.size(); ++j) {
            const QString& name = names[j];
            const int periods = periodsOf[j];
            const Color color = colors[j];
            if (!t.shown.contains(name)) continue; // the order shows what else is drawn
            const int perDay = name == "envelopes" || name == "bands" ? 2 : 1;
            const int last = std::min(t.e, t.dayCount - periods) - (name == "bands");
            const int days = t.fails ? 0 : std::max(0, last - t.s + 1);
            if (days) order << color;
            std::vector<DrawCall> drawn;
            std::copy_if(all.begin(), all.end(), std::back_inserter(drawn),
                         [&](auto& l) { return l.color == color; });
            QCOMPARE(int(drawn.size()), perDay * days);
            for (int i = 0; i < int(drawn.size()); ++i) {
                const int d = t.s + i / perDay, k = i % perDay;
                COMPARE_TWIPS(drawn[i].x1, xOf(d, t.s, t.e));
                COMPARE_TWIPS(drawn[i].x2, xOf(d + 1, t.s, t.e));
                COMPARE_TWIPS(drawn[i].y1, 5425 - 10 * price(name, periods, d, k));
                COMPARE_TWIPS(drawn[i].y2, 5425 - 10 * price(name, periods, d + 1, k));
            }
        }
        for (const DrawCall& l : all)
            if (seen.isEmpty() || seen.back() != l.color) seen << l.color;
        QCOMPARE(seen, order);
        const int bars = t.shown.contains("close") ? 0 : 2 * (t.e - t.s + 1); // kept on failure
        QCOMPARE(int(callsOf(c.sf.Picture1, DrawCall::Op::Box).size()), bars);
    }

    // A buy at (100, 50): shaft 3 wide to row 61 (62 its unpainted end), head rows 52..54 5, 7
    // and 9 wide (54 from 96 to 104); a sell mirrored at row 50.
    void arrowPixels() {
        for (bool buy : {true, false}) {
            ImageSurface img(QStringLiteral("img"), 3000, 3000);
            DrawArrow(100, 50, img, buy);
            for (int y = 30; y <= 70; ++y)
                for (int x = 90; x <= 110; ++x) {
                    const int r = (y - 50) * (buy ? 1 : -1), dx = std::abs(x - 100);
                    const bool on = (r == 0 && dx == 0) || (r >= 1 && r <= 11 && dx <= 1) ||
                                    (r >= 2 && r <= 4 && dx <= r);
                    QCOMPARE(img.pixel(x, y), !on ? kWhite : buy ? RGB(0, 180, 0) : RGB(180, 0, 0));
                }
        }
    }

    // A buy 50 twips under its day's low end, a sell 50 over the high end (day 5's low is 35,
    // day 3's high 66, the other days' 40 and 60); a hidden chart: a Cls, arrows 200 / 50 twips
    // over the bottom at the previous day width, nothing else changed. Pixels round half to even.
    void marks() {
        const struct {
            bool hidden;
            float dayWidth;    // left by an earlier draw
            int end;           // the window's end after a draw of 1..400
            QString buy, sell; // the first pen lines of the buy on day 5 and the sell on day 3
        } rows[] = {
            // x = 8745 - 5|3 * 8745 / 301 = 8599.7|8657.8 (573|577 px); y 5475 - 350|4715 twips.
            {false, 795, 300, "573 342 573 354", "577 314 577 302"},
            // x = (8745 - 5|3 * 847.5) / 15 = 300.5|413.5 -> 300, 414; y = (5475 - 200|50) / 15.
            {true, 847.5f, 400, "300 352 300 364", "414 362 414 350"}};
        for (const auto& t : rows) {
            Chart c;
            c.flat(300);
            c.st.series.price_low[5] = 35, c.st.series.price_high[3] = 66;
            c.st.chart_hidden = toFlag(t.hidden);
            c.st.day_width = t.dayWidth;
            c.st.buy_number = c.st.sell_number = 1;
            c.st.buy_day[1] = 5, c.st.sell_day[1] = 3;
            std::int16_t s = 1, e = 400;
            DisplayChart(c.st, c.overlays, c.all, s, e);
            QCOMPARE(int(e), t.end);
            QCOMPARE(int(c.st.ending_date_local), t.hidden ? 200 : 300); // 200 from before
            QCOMPARE(c.st.day_width, t.hidden ? t.dayWidth : W / 301);
            const auto pens = callsOf(c.sf.Picture1, DrawCall::Op::PenLine);
            QCOMPARE(pens.size(), size_t(12));
            QCOMPARE(pens[0].toText(), "Picture1 PenLine " + t.buy + " color=rgb(0,180,0) mode=13");
            QCOMPARE(pens[6].toText(),
                     "Picture1 PenLine " + t.sell + " color=rgb(180,0,0) mode=13");
            QCOMPARE(c.sf.PriceRuler.calls().calls().size(), size_t(t.hidden)); // a Cls
            const auto& calls = c.sf.Picture1.calls().calls(); // a Cls or a bar first, arrows last
            QCOMPARE(calls[0].op, t.hidden ? DrawCall::Op::Cls : DrawCall::Op::Line);
            QCOMPARE(calls.size(), size_t(t.hidden ? 1 + 12 : 2 * 300 + 12));
        }
    }

    // Each band of the date ruler on both sides of its limits, days back from 31 Dec 2014 (n = 300:
    // 7 Nov 2013, n = 500: 31 Jan 2013). Traits: d a tick every day, L long ticks, x tick
    // extensions. The labels: the first one (stored texts, days of the month, months, initials),
    // those with a year; their count; grid lines at every day, new month or quarter.
    void dateBands_data() {
        QTest::addColumn<QString>("traits");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<QList<int>>("counts"); // n, labels, grid lines
        using L = QStringList;
        using N = QList<int>;
        QTest::newRow("8") << "d" << L{"2014-12-22"} << N{8, 8, 8};
        QTest::newRow("9") << "d" << L{"19"} << N{9, 9, 9};
        QTest::newRow("29") << "d" << L{"21"} << N{29, 29, 29}; // with "Dec" for 1 Dec
        QTest::newRow("30") << "dL" << L{"Dec"} << N{30, 1, 1};
        QTest::newRow("299") << "dL" << L{"Dec", "Jan,14", "Jul,14"} << N{299, 13, 13};
        QTest::newRow("300") << "" << L{"Dec", "J,14"} << N{300, 13, 4};
        QTest::newRow("499") << "" << L{"Mar", "J,14"} << N{499, 22, 7};
        QTest::newRow("500") << "x" << L{"A", "J,14"} << N{500, 7, 7}; // A J O J,14 A J O
    }
    void dateBands() {
        QFETCH(QString, traits);
        QFETCH(QStringList, labels);
        QFETCH(QList<int>, counts);
        const int n = counts[0];
        Chart c;
        fillSeries(c.st.series, waveDays(600));
        DrawDateRuler(c.st, c.all, 1, std::int16_t(n));
        const QStringList shown = printed(c.sf.DateRuler);
        QCOMPARE(shown.size(), counts[1]);
        QCOMPARE(QStringList{shown.first()} + shown.filter(","), labels);
        QString seen;
        if (linesBetween(c.sf.DateRuler, 0, 100) == n) seen += 'd';
        if (linesBetween(c.sf.DateRuler, 0, 150)) seen += 'L';
        if (linesBetween(c.sf.DateRuler, 100, 130)) seen += 'x';
        QCOMPARE(seen, traits);
        const auto lines = callsOf(c.sf.Picture1, DrawCall::Op::Line);
        QCOMPARE(int(lines.size()), counts[2]);
        QCOMPARE(lines.front().color, kGrid);
    }
};

QTEST_MAIN(TestChart)
#include "tst_chart.moc"
