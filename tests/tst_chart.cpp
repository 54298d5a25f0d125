#include "Fixtures.h"

#include "chart/DateRuler.h"
#include "chart/PriceChart.h"
#include "chart/PriceRuler.h"
#include "chart/mdlDrawArrow.h"
#include "chart/Marks.h"

#include <QtTest>

#include <algorithm>
#include <numeric>
#include <utility>

using namespace tk5;
using namespace tk5::test;

namespace {

constexpr float W = 8745, H = 5475; // Picture1 and PriceRuler height, DateRuler width
const Color kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255), kGrid = RGB(150, 60, 60);

bool near(double a, double b) { return std::abs(a - b) < 0.01; }

// A chart state and its surfaces: price p at y = 5425 - 10 p, Picture1 in (1, 2, 3), dashed.
struct Chart {
    ChartState st;
    OverlaySettings overlays;
    Surfaces sf;
    ChartSurfaces all = sf.all();

    Chart() {
        sf.PriceRuler.ForeColor = sf.DateRuler.ForeColor = kWhite;
        sf.Picture1.ForeColor = RGB(1, 2, 3);
        sf.Picture1.DrawStyle = kDashed;
        st.show_ma10 = st.show_ma50 = st.show_ma200 = kFalse;
        st.price_step = 1;
        st.ruler_bottom = 0;
        st.price_scale = 10;
    }
    // n days of high 60, low 40 and the closes given (the last one repeated).
    void flat(int n, std::vector<float> closes = {50}) {
        std::vector<Day> days;
        for (int i = 0; i < n; ++i)
            days.push_back({60, 40, closes[std::min<size_t>(i, closes.size() - 1)]});
        fillSeries(st.series, days);
    }
    void display(std::int16_t s, std::int16_t e) { DisplayChart(st, overlays, all, s, e); }
    std::vector<DrawCall> lines(Color c) const {
        std::vector<DrawCall> out;
        for (const DrawCall& call : callsOf(sf.Picture1, DrawCall::Op::Line))
            if (call.color == c) out.push_back(call);
        return out;
    }
};

float xOf(int d, int s, int e) { return W - (d - s + 1) * (W / (e - s + 2)); }

std::vector<DrawCall> linesBetween(const RecordingSurface& r, float y1, float y2) {
    std::vector<DrawCall> out;
    for (const DrawCall& c : callsOf(r, DrawCall::Op::Line))
        if (c.y1 == y1 && c.y2 == y2) out.push_back(c);
    return out;
}

struct RulerCase {
    float hi, lo, height, step, top, bottom;
    QStringList labels; // bottom up; the top tick's lies above the ruler
    Flag grid = kTrue;
};
struct LineCase {
    QString kind;               // "close", "ma10", "envelopes" or "bands"
    int dayCount, s, e, days;   // lines from days s .. s + days - 1 to the next day
    float first, second, slope; // price at day d: first (second line: second) + slope * d
    std::vector<float> closes;
    bool fails = false; // past the 3000-day work buffers
};
struct MarkCase {
    bool hidden;
    int end;           // the window's end after a draw of 1..400
    QString buy, sell; // the first pen lines of the buy on day 5 and the sell on day 3
};
struct DateCase {
    QDate newest; // day 1, the days before it weekdays
    int s, e;
    QStringList labels;
    int shortTicks, longTicks, gridLines;
    int day = 0, offset = 0; // a labelled day (0: none), its label this far left of its tick
    int broken = 0;          // a day whose stored date reads "n/a"
    Flag grid = kTrue;
};

} // namespace

Q_DECLARE_METATYPE(RulerCase)
Q_DECLARE_METATYPE(LineCase)
Q_DECLARE_METATYPE(MarkCase)
Q_DECLARE_METATYPE(DateCase)

class TestChart : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { useEnglishLocale(); }

    void priceStep_data() {
        QTest::addColumn<float>("range");
        QTest::addColumn<float>("step");
        const std::pair<float, float> rows[] = {
            {5000, 1000}, {4999, 500}, {2500, 500},  {2499, 250},   {1500, 250},    {1000, 150},
            {999, 100},   {500, 100},  {250, 50},    {150, 25},     {100, 15},      {99, 10},
            {50, 10},     {25, 5},     {10, 2.5f},   {9.5f, 1},     {5, 1},         {2.5f, 0.5f},
            {2.4f, 0.2f}, {1, 0.2f},   {0.5f, 0.1f}, {0.1f, 0.05f}, {0.09f, 0.02f}, {0, 0.02f}};
        for (auto [range, step] : rows)
            QTest::addRow("%g", double(range)) << range << step;
    }
    void priceStep() {
        QFETCH(float, range);
        QFETCH(float, step);
        Chart c;
        fillSeries(c.st.series, {{range, 0, 0}}); // one day whose range is high - 0
        DrawPriceRuler(c.st, c.all, 1, 1);
        QCOMPARE(c.st.price_step, step);
    }

    void ruler_data() {
        QTest::addColumn<RulerCase>("t");
        const QStringList to18{"$ 12", "$ 13", "$ 14", "$ 15", "$ 16", "$ 17", "$ 18"};
        const QStringList to19 = to18 + QStringList{"$ 19"};
        QTest::newRow("20/12: 20.5, 11.5 to even") << RulerCase{20, 12, H, 1, 20, 12, to19};
        QTest::newRow("grid off") << RulerCase{20, 12, H, 1, 20, 12, to19, kFalse};
        QTest::newRow("grid 1 is not set") << RulerCase{20, 12, H, 1, 20, 12, to19, Flag(1)};
        // 15 / 2.5 + 0.5 = 6.5 -> 6; 5 / 2.5 - 0.5 = 1.5 -> 2.
        QTest::newRow("15/5") << RulerCase{15, 5, H, 2.5, 6, 2, {"$ 5", "$ 7.5", "$ 10", "$ 12.5"}};
        // 21.5 -> 22 and 12.5 -> 12: a maximum on an odd step gets one step above it.
        QTest::newRow("21/13") << RulerCase{21,
                                            13,
                                            H,
                                            1,
                                            22,
                                            12,
                                            QStringList(to19) << "$ 20"
                                                              << "$ 21"};
        // range 0.25: step 0.05; 0.05 / 0.05 - 0.5 = 0.5 -> 0; 0.3 / 0.05 + 0.5 -> 7.
        QTest::newRow("0.3/0.05") << RulerCase{
            0.3f,
            0.05f,
            H,
            0.05f,
            7,
            0,
            {"$ 0", "$ 0.05", "$ 0.1", "$ 0.15", "$ 0.2", "$ 0.25", "$ 0.3"}};
        // "$ 19" begins at h - 230 - 7 (h - 100) / 8: 45 for h = 1500, 46 for h = 1508.
        QTest::newRow("label at 45 left out") << RulerCase{20, 12, 1500, 1, 20, 12, to18};
        QTest::newRow("label at 46 shown") << RulerCase{20, 12, 1508, 1, 20, 12, to19};
        // top round(0.5) = 0 = bottom round(-0.5): the scale of 10 stays, the drawing goes on.
        QTest::newRow("flat 0") << RulerCase{0, 0, H, 0.02f, 0, 0, {"$ 0"}};
    }
    void ruler() {
        QFETCH(RulerCase, t);
        Chart c;
        c.sf.PriceRuler.setSizeTwips(645, t.height);
        c.st.show_horizontal_grid = t.grid;
        const float hi = t.hi, lo = t.lo; // on days 2 and 3
        fillSeries(c.st.series, {{hi - 1, lo + 1, 0}, {hi, lo + 1, 0}, {hi - 1, lo, 0}});
        DrawPriceRuler(c.st, c.all, 1, 3);
        QCOMPARE(c.st.price_step, t.step);
        QCOMPARE(c.st.ruler_top, t.top);
        QCOMPARE(c.st.ruler_bottom, t.bottom);
        const int steps = int(t.top - t.bottom);
        const double unit = steps ? (t.height - 100) / steps : t.step * 10; // twips per step
        QVERIFY(near(c.st.price_scale, steps ? unit / t.step : 10));
        QCOMPARE(printed(c.sf.PriceRuler), t.labels);
        // Ticks from 50 over the bottom to 50 under the top, 9 minor after each; labels 180 above.
        std::vector<float> major, minor;
        for (const DrawCall& l : callsOf(c.sf.PriceRuler, DrawCall::Op::Line)) {
            QVERIFY(l.y1 == l.y2 && l.x2 == 650 && (l.x1 == 50 || l.x1 == 550));
            (l.x1 == 50 ? major : minor).push_back(l.y1);
        }
        QCOMPARE(int(major.size()), steps + 1);
        QCOMPARE(int(minor.size()), 9 * (steps + 1));
        for (int k = 0; k <= steps; ++k)
            QVERIFY(near(major[k], t.height - 50 - k * unit));
        QVERIFY(near(minor[4], t.height - 50 - 0.5 * unit)); // the last ones above the ruler
        for (const DrawCall& p : callsOf(c.sf.PriceRuler, DrawCall::Op::Print))
            QVERIFY(p.x1 == 10 && p.color == kWhite && p.font == QStringLiteral("Arial 8") &&
                    std::any_of(major.begin(), major.end(),
                                [&](float m) { return near(m, p.y1 + 180); }));
        // Dotted grid lines across the chart at the major ticks; the chart left black, solid.
        const auto grid = callsOf(c.sf.Picture1, DrawCall::Op::Line);
        QCOMPARE(grid.size(), t.grid == kTrue ? major.size() : 0);
        for (size_t i = 0; i < grid.size(); ++i)
            QVERIFY(grid[i].color == kGrid && grid[i].style == kDotted && grid[i].x1 == 0 &&
                    grid[i].x2 == W && grid[i].y1 == major[i] && grid[i].y2 == major[i]);
        QCOMPARE(c.sf.Picture1.ForeColor, grid.empty() ? RGB(1, 2, 3) : kBlack);
        QCOMPARE(c.sf.Picture1.DrawStyle, grid.empty() ? kDashed : kSolid);
    }

    void extremes_data() {
        QTest::addColumn<QList<float>>("t"); // s, e, maximum, minimum
        for (QList<float> r : {QList<float>{1, 5, 9.5f, 0.5f},
                               {2, 3, 9, 1},
                               {5, 5, 3, 2.5f},
                               {3, 1, 7, 4}}) // s > e: day s alone
            QTest::addRow("%g..%g", double(r[0]), double(r[1])) << r;
    }
    void extremes() {
        QFETCH(QList<float>, t);
        PriceSeries series;
        fillSeries(series, {{5, 2, 3}, {9, 1, 5}, {7, 4, 5}, {9.5f, 0.5f, 5}, {3, 2.5f, 3}});
        QCOMPARE(GetMaximumPrice(series, std::int16_t(t[0]), std::int16_t(t[1])), t[2]);
        QCOMPARE(GetMinimumPrice(series, std::int16_t(t[0]), std::int16_t(t[1])), t[3]);
    }

    void barStyles_data() {
        QTest::addColumn<int>("e");
        QTest::addColumn<std::vector<int>>("columns"); // pixels of day 1's bar at row 333
        // 250 days loaded; day 1 at x = 8745 - 8745 / (e + 1) twips.
        QTest::newRow("n = 9") << 10 << std::vector<int>{529, 530, 531};       // 7950
        QTest::newRow("n = 29") << 30 << std::vector<int>{563, 564, 565};      // 8462.9
        QTest::newRow("n = 30") << 31 << std::vector<int>{565};                // 8471.7
        QTest::newRow("n = 31") << 32 << std::vector<int>{564, 565};           // 8480
        QTest::newRow("n = 99") << 100 << std::vector<int>{576, 577};          // 8658.4
        QTest::newRow("n = 100") << 101 << std::vector<int>{577};              // 8659.3
        QTest::newRow("e 400 clamped to 250") << 400 << std::vector<int>{581}; // 8710.2
    }
    void barStyles() {
        QFETCH(int, e);
        QFETCH(std::vector<int>, columns);
        Chart c;
        c.flat(250);
        std::int16_t s = 1, end = std::int16_t(e);
        DisplayChart(c.st, c.overlays, c.all, s, end);
        const int shown = std::min(e, 250);
        QVERIFY(end == shown && c.st.ending_date_local == shown);
        const float dw = W / (shown + 1), x = xOf(1, 1, shown);
        QCOMPARE(c.st.day_width, dw);
        const bool wide = columns.size() == 1; // a line, else a box 3 or 2 pixels wide
        const auto& calls = c.sf.Picture1.calls().calls();
        QCOMPARE(calls.size(), size_t(2 * shown));
        // Low 40 (y 5025) to high 60 (4825); the close 50 (4925) a half-day tick or 0.3-day flag.
        QVERIFY(near(calls[0].x1, wide ? x : x - 15) &&
                near(calls[0].x2, columns.size() == 3 ? x + 15 : x));
        QVERIFY(calls[0].y1 == 5025 && calls[0].y2 == 4825);
        QVERIFY(near(calls[1].x1, x + (wide ? 0.5 : 0.3) * dw) && near(calls[1].x2, x));
        QVERIFY(calls[1].y1 == (wide ? 4925 : 4910) && calls[1].y2 == 4925);
        for (int px = columns.front() - 2; px <= std::min(columns.back() + 2, 582); ++px)
            QCOMPARE(c.sf.Picture1.pixel(px, 333) == kBlack,
                     std::find(columns.begin(), columns.end(), px) != columns.end());
    }

    // The close line and the overlays: lines of one colour joining day d to day d + 1.
    void overlayLines_data() {
        QTest::addColumn<LineCase>("t");
        std::vector<float> rising(300), zig;
        std::iota(rising.begin(), rising.end(), 1.f); // close of day d is d
        for (int i = 0; i < 300; ++i)
            zig.push_back(i % 2 ? 101.f : 99.f);
        QTest::newRow("close to day e + 1") << LineCase{"close", 300, 1, 10, 10, 0, 0, 1, rising};
        QTest::newRow("close ends at day_count")
            << LineCase{"close", 300, 291, 300, 9, 0, 0, 1, rising};
        // The 10-day mean of closes d .. d + 9 is d + 4.5; it ends 10 days before day_count.
        QTest::newRow("ma10 to day e + 1") << LineCase{"ma10", 300, 1, 50, 50, 4.5, 0, 1, rising};
        QTest::newRow("ma10 short history") << LineCase{"ma10", 55, 1, 50, 45, 4.5, 0, 1, rising};
        // Envelopes 5% around the 20-day average of 100, upper then lower, to day e + 1; bands
        // to day e, lower then upper, without deviation when every close is on its average.
        QTest::newRow("envelopes") << LineCase{"envelopes", 300, 1, 30, 30, 105, 95, 0, {100}};
        QTest::newRow("bands flat") << LineCase{"bands", 300, 1, 50, 49, 100, 100, 0, {100}};
        // 20-day averages of 99/101 are 100; deviation sqrt(20 * 1 / 20) = 1, twice that wide.
        QTest::newRow("bands zigzag") << LineCase{"bands", 300, 1, 50, 49, 98, 102, 0, zig};
        // The 10-day average up to day 3000 needs day 3001; bands to 2979 need 2979 + 20 + 1.
        QTest::newRow("ma10 to 2999") << LineCase{"ma10", 3100, 2989, 2999, 11, 50, 0, 0, {50}};
        QTest::newRow("ma10 to 3000 fails")
            << LineCase{"ma10", 3100, 2990, 3000, 0, 0, 0, 0, {50}, true};
        QTest::newRow("bands to 2979") << LineCase{"bands", 3100, 2969, 2979, 10, 50, 50, 0, {50}};
        QTest::newRow("bands to 2980 fail")
            << LineCase{"bands", 3100, 2970, 2980, 0, 0, 0, 0, {50}, true};
    }
    void overlayLines() {
        QFETCH(LineCase, t);
        Chart c;
        c.flat(t.dayCount, t.closes);
        c.st.show_high_low_close = toFlag(t.kind != "close");
        c.st.show_ma10 = toFlag(t.kind == "ma10");
        c.st.show_envelopes = toFlag(t.kind == "envelopes");
        c.st.show_bands = toFlag(t.kind == "bands");
        bool threw = false;
        try {
            c.display(std::int16_t(t.s), std::int16_t(t.e));
        } catch (const ChartError&) {
            threw = true;
        }
        QCOMPARE(threw, t.fails);
        const auto lines = c.lines(t.kind == "ma10"        ? RGB(200, 0, 0)
                                   : t.kind == "envelopes" ? RGB(255, 0, 255)
                                                           : kBlack);
        const int per = t.kind == "envelopes" || t.kind == "bands" ? 2 : 1;
        QCOMPARE(lines.size(), size_t(per * t.days));
        for (size_t i = 0; i < lines.size(); ++i) {
            const int d = t.s + int(i) / per;
            const double y = 5425 - 10 * ((i % per ? t.second : t.first) + t.slope * d);
            QVERIFY(near(lines[i].y1, y) && near(lines[i].y2, y - 10 * t.slope));
            QVERIFY(near(lines[i].x1, xOf(d, t.s, t.e)) && near(lines[i].x2, xOf(d + 1, t.s, t.e)));
        }
        const int bars = t.kind == "close" ? 0 : 2 * (t.e - t.s + 1); // bars stay on failure
        QCOMPARE(int(callsOf(c.sf.Picture1, DrawCall::Op::Box).size()), bars);
    }

    void overlayOrder() {
        Chart c;
        c.flat(300);
        c.st.show_ma10 = c.st.show_ma50 = c.st.show_ma200 = c.st.show_ma_custom = kTrue;
        c.st.show_envelopes = c.st.show_bands = kTrue;
        c.display(1, 20);
        std::vector<std::pair<Color, int>> runs;
        for (const DrawCall& l : callsOf(c.sf.Picture1, DrawCall::Op::Line)) {
            if (runs.empty() || runs.back().first != l.color) runs.push_back({l.color, 0});
            ++runs.back().second;
        }
        // 20 segments per average, two lines per day for envelopes, bands stop at day 19.
        const std::vector<std::pair<Color, int>> expected{
            {RGB(200, 0, 0), 20},   {RGB(0, 200, 0), 20},   {RGB(0, 0, 200), 20},
            {RGB(0, 128, 255), 20}, {RGB(255, 0, 255), 40}, {kBlack, 38}};
        QCOMPARE(runs, expected);
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

    // A buy 50 twips under its day's low end, a sell 50 over the high end; a hidden chart: a Cls,
    // arrows 200 / 50 twips over the bottom at the previous day width, nothing else changed.
    void marks_data() {
        QTest::addColumn<MarkCase>("t");
        // x = 8745 - 5|3 * 8745 / 301 = 8599.7|8657.8 (573|577 px); y 5025 + 50|4825 - 50 twips.
        QTest::newRow("shown") << MarkCase{false, 300, "573 338 573 350", "577 318 577 306"};
        // x = (8745 - 5|3 * 795) / 15 = 318|424; y = (5475 - 200|50) / 15 = 351.7|361.7.
        QTest::newRow("hidden") << MarkCase{true, 400, "318 352 318 364", "424 362 424 350"};
    }
    void marks() {
        QFETCH(MarkCase, t);
        Chart c;
        c.flat(300);
        c.st.chart_hidden = toFlag(t.hidden);
        c.st.day_width = 795; // left by an earlier draw of 1..10
        c.st.buy_number = c.st.sell_number = 1;
        c.st.buy_day[1] = 5;
        c.st.sell_day[1] = 3;
        std::int16_t s = 1, e = 400;
        DisplayChart(c.st, c.overlays, c.all, s, e);
        QCOMPARE(int(e), t.end);
        QCOMPARE(int(c.st.ending_date_local), t.hidden ? 200 : 300); // 200 from before
        QCOMPARE(c.st.day_width, t.hidden ? 795 : W / 301);
        const auto pens = callsOf(c.sf.Picture1, DrawCall::Op::PenLine);
        QCOMPARE(pens.size(), size_t(12));
        QCOMPARE(pens[0].toText(), "Picture1 PenLine " + t.buy + " color=rgb(0,180,0) mode=13");
        QCOMPARE(pens[6].toText(), "Picture1 PenLine " + t.sell + " color=rgb(180,0,0) mode=13");
        QCOMPARE(c.sf.PriceRuler.calls().calls().size(), size_t(t.hidden)); // a Cls
        const auto& calls = c.sf.Picture1.calls().calls();
        QCOMPARE(calls[0].op, t.hidden ? DrawCall::Op::Cls : DrawCall::Op::Line); // or a bar
        QCOMPARE(calls.size(), size_t(t.hidden ? 1 + 12 : 2 * 300 + 12));         // and the arrows
    }

    // Each band told from its neighbours at its limits (days back from 31 Dec 2014): d a tick and
    // l a label every day, t the oldest stored text first, L long ticks, x tick extensions.
    void dateBands_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("traits");
        for (auto [n, traits] : {std::pair{8, "dlt"},
                                 {9, "dl"},
                                 {29, "dl"},
                                 {30, "dL"},
                                 {299, "dL"},
                                 {300, ""},
                                 {499, ""},
                                 {500, "x"}})
            QTest::addRow("%d", n) << n << QString::fromLatin1(traits);
    }
    void dateBands() {
        QFETCH(int, n);
        QFETCH(QString, traits);
        Chart c;
        fillSeries(c.st.series, waveDays(600));
        DrawDateRuler(c.st, c.all, 1, std::int16_t(n));
        const QStringList labels = printed(c.sf.DateRuler);
        QString seen;
        if (int(linesBetween(c.sf.DateRuler, 0, 100).size()) == n) seen += 'd';
        if (labels.size() == n) seen += 'l';
        if (!labels.isEmpty() && labels.first() == c.st.series.price_date[n]) seen += 't';
        if (!linesBetween(c.sf.DateRuler, 0, 150).empty()) seen += 'L';
        if (!linesBetween(c.sf.DateRuler, 100, 130).empty()) seen += 'x';
        QCOMPARE(seen, traits);
    }

    void dateLabels_data() {
        QTest::addColumn<DateCase>("t");
        const QDate nov4(2014, 11, 4);
        // Oct 20 .. Nov 4, 2014: day numbers 7 px left of their tick, the month under Nov 3.
        const QStringList band2{"20", "21", "22", "23", "24",  "27",
                                "28", "29", "30", "31", "Nov", "4"};
        QTest::newRow("band 2 from the 20th") << DateCase{nov4, 1, 12, band2, 12, 0, 12, 12, 105};
        // Nov 3 unreadable: no label; Nov 4 follows the 31 kept from Oct 31: "Nov", 10 px left.
        QTest::newRow("unparsable date, grid off")
            << DateCase{nov4, 1, 12, band2.mid(0, 11), 12, 0, 0, 1, 150, 2, kFalse};
        QTest::newRow("one day: its stored text 20 px left of the middle")
            << DateCase{QDate(2014, 10, 21), 2, 2, {"2014-10-20"}, 1, 0, 1, 2, 300};
        QTest::newRow("starting > ending") << DateCase{nov4, 20, 10, {}, 0, 0, 0};
        // Oct 1 .. Nov 25: the 1st is the first day, not a new month; Nov 3 is day 17.
        QTest::newRow("band 3 first day the 1st")
            << DateCase{QDate(2014, 11, 25), 1, 40, {"Nov"}, 40, 1, 1, 17, 120};
        // Dec 1, 2014 .. Jan 23, 2015; Jan 1 is day 17.
        QTest::newRow("band 3 January with year")
            << DateCase{QDate(2015, 1, 23), 1, 40, {"Jan,15"}, 40, 1, 1, 17, 150};
        // Mar 1, 2013 .. Apr 24, 2014: 13 new months, grid in Jan, Apr, Jul, Oct; Apr 1 day 279.
        QTest::newRow("band 4") << DateCase{QDate(2014, 4, 24),
                                            1,
                                            300,
                                            {"Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov",
                                             "Dec", "J,14", "Feb", "Mar", "Apr"},
                                            13,
                                            0,
                                            5,
                                            279,
                                            120};
        // Mar 1, 2012 .. Jan 29, 2014: 22 new months; Apr 2, 2012 is day 478.
        QTest::newRow("band 5") << DateCase{QDate(2014, 1, 29),
                                            1,
                                            500,
                                            {"A", "J", "O", "J,13", "A", "J", "O", "J,14"},
                                            22,
                                            0,
                                            8,
                                            478,
                                            15};
    }
    void dateLabels() {
        QFETCH(DateCase, t);
        Chart c;
        fillSeries(c.st.series, waveDays(std::max(t.s, t.e)), t.newest);
        if (t.broken) c.st.series.price_date[t.broken] = QStringLiteral("n/a");
        c.st.show_vertical_grid = t.grid;
        DrawDateRuler(c.st, c.all, std::int16_t(t.s), std::int16_t(t.e));
        QCOMPARE(printed(c.sf.DateRuler), t.labels);
        QCOMPARE(int(linesBetween(c.sf.DateRuler, 0, 100).size()), t.shortTicks);
        QCOMPARE(int(linesBetween(c.sf.DateRuler, 0, 150).size()), t.longTicks);
        const auto prints = callsOf(c.sf.DateRuler, DrawCall::Op::Print);
        QVERIFY(std::all_of(prints.begin(), prints.end(),
                            [](auto& p) { return p.y1 == 100 && p.color == kWhite; }));
        QVERIFY(t.day == 0 || std::any_of(prints.begin(), prints.end(), [&](auto& p) {
                    return near(p.x1, xOf(t.day, t.s, t.e) - t.offset);
                }));
        // Dotted grid lines the chart's height at ticks; the chart left black and solid.
        const auto grid = callsOf(c.sf.Picture1, DrawCall::Op::Line);
        const auto ticks = callsOf(c.sf.DateRuler, DrawCall::Op::Line);
        QCOMPARE(int(grid.size()), t.gridLines);
        for (const DrawCall& g : grid) {
            QVERIFY(g.color == kGrid && g.style == kDotted && g.y1 == 0 && g.y2 == H);
            QVERIFY(std::any_of(ticks.begin(), ticks.end(),
                                [&](const DrawCall& k) { return k.x1 == g.x1 && k.x2 == g.x2; }));
        }
        QCOMPARE(c.sf.Picture1.ForeColor, grid.empty() ? RGB(1, 2, 3) : kBlack);
        QCOMPARE(c.sf.Picture1.DrawStyle, grid.empty() ? kDashed : kSolid);
    }
};

QTEST_MAIN(TestChart)
#include "tst_chart.moc"
