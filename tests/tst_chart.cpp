#include "Fixtures.h"

#include "chart/DateRuler.h"
#include "chart/PriceChart.h"
#include "chart/PriceRuler.h"
#include "chart/mdlDrawArrow.h"
#include "transactions/Marks.h"

#include <QtTest>

#include <set>
#include <utility>

using namespace tk5;
using namespace tk5::test;

namespace {

constexpr float W = 8745, H = 5475; // Picture1 and PriceRuler height, DateRuler width

bool near(double a, double b) {
    return std::abs(a - b) < 0.01;
}

// A chart state with its surfaces; the price scale puts price p at y = 5425 - 10 p.
struct Chart {
    ChartState st;
    Surfaces sf;
    ChartSurfaces all = sf.all();

    Chart() {
        sf.PriceRuler.ForeColor = RGB(255, 255, 255);
        sf.DateRuler.ForeColor = RGB(255, 255, 255);
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
    // n weekdays from oldest onwards: day n is the oldest.
    void weekdaysFrom(QDate oldest, int n) {
        std::vector<QDate> dates;
        for (QDate d = oldest; static_cast<int>(dates.size()) < n; d = d.addDays(1))
            if (d.dayOfWeek() <= 5) dates.push_back(d);
        fillSeries(st.series, waveDays(n), dates.back());
    }
    void display(std::int16_t s, std::int16_t e) { DisplayChart(st, all, s, e); }
    void ruler(std::int16_t s, std::int16_t e) { DrawPriceRuler(st, all, s, e); }
    void dates(std::int16_t s, std::int16_t e) { DrawDateRuler(st, all, s, e); }
    std::vector<DrawCall> lines(const RecordingSurface& r, Color c) const {
        std::vector<DrawCall> out;
        for (const DrawCall& call : callsOf(r, DrawCall::Op::Line))
            if (call.color == c) out.push_back(call);
        return out;
    }
};

float xOf(int d, int s, int e) {
    return W - (d - s + 1) * (W / (e - s + 2));
}

std::vector<DrawCall> linesBetween(const RecordingSurface& r, float y1, float y2) {
    std::vector<DrawCall> out;
    for (const DrawCall& c : callsOf(r, DrawCall::Op::Line))
        if (c.y1 == y1 && c.y2 == y2) out.push_back(c);
    return out;
}

} // namespace

class TestChart : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { useEnglishLocale(); }
    void init() { overlaySettings() = OverlaySettings{}; }

    // ---- price range and ruler ------------------------------------------------------
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
        c.ruler(1, 1);
        QCOMPARE(c.st.price_step, step);
    }

    void rulerScale_data() {
        QTest::addColumn<float>("hi");
        QTest::addColumn<float>("lo");
        QTest::addColumn<float>("step");
        QTest::addColumn<float>("top");
        QTest::addColumn<float>("bottom");
        QTest::addColumn<QStringList>("labels"); // bottom up; the top tick's label lies
                                                 // above the ruler (y = 50 - 180)
        // 20.5 and 11.5 round to the even 20 and 12.
        QTest::newRow("20/12") << 20.f << 12.f << 1.f << 20.f << 12.f
                               << QStringList{"$ 12", "$ 13", "$ 14", "$ 15",
                                              "$ 16", "$ 17", "$ 18", "$ 19"};
        // 15 / 2.5 + 0.5 = 6.5 -> 6; 5 / 2.5 - 0.5 = 1.5 -> 2.
        QTest::newRow("15/5") << 15.f << 5.f << 2.5f << 6.f << 2.f
                              << QStringList{"$ 5", "$ 7.5", "$ 10", "$ 12.5"};
        // 21.5 -> 22 and 12.5 -> 12: a maximum on an odd step gets one step above it.
        QTest::newRow("21/13") << 21.f << 13.f << 1.f << 22.f << 12.f
                               << QStringList{"$ 12", "$ 13", "$ 14", "$ 15", "$ 16",
                                              "$ 17", "$ 18", "$ 19", "$ 20", "$ 21"};
        // range 0.25: step 0.05; 0.05 / 0.05 - 0.5 = 0.5 -> 0; 0.3 / 0.05 + 0.5 -> 7.
        QTest::newRow("0.3/0.05") << 0.3f << 0.05f << 0.05f << 7.f << 0.f
                                  << QStringList{"$ 0",   "$ 0.05", "$ 0.1", "$ 0.15",
                                                 "$ 0.2", "$ 0.25", "$ 0.3"};
    }
    void rulerScale() {
        QFETCH(float, hi);
        QFETCH(float, lo);
        QFETCH(float, step);
        QFETCH(float, top);
        QFETCH(float, bottom);
        QFETCH(QStringList, labels);
        Chart c;
        fillSeries(c.st.series, {{hi - 1, lo + 1, 0}, {hi, lo + 1, 0}, {hi - 1, lo, 0}});
        c.ruler(1, 3);
        QCOMPARE(c.st.price_step, step);
        QCOMPARE(c.st.ruler_top, top);
        QCOMPARE(c.st.ruler_bottom, bottom);
        QVERIFY(near(c.st.price_scale, (H - 100) / ((double(top) - bottom) * step)));
        QCOMPARE(printed(c.sf.PriceRuler), labels);
        QCOMPARE(c.st.starting_date_local, std::int16_t(1));
        QCOMPARE(c.st.ending_date_local, std::int16_t(3));
    }

    void rulerDrawing() {
        Chart c;
        fillSeries(c.st.series, {{20, 12, 16}});
        c.ruler(1, 1);
        // Scale (5475 - 100) / 8 = 671.875; tick k at y = 5425 - (k - 12) * 671.875.
        const auto prints = callsOf(c.sf.PriceRuler, DrawCall::Op::Print);
        QCOMPARE(prints.size(), size_t(8));
        QCOMPARE(prints[0].x1, 10.f);
        QCOMPARE(prints[0].y1, 5245.f); // 5425 - 180
        QCOMPARE(prints[1].y1, 4573.125f);
        QCOMPARE(prints[0].color, RGB(255, 255, 255)); // the ruler's own text colour
        QCOMPARE(prints[0].font, QStringLiteral("Arial 8"));
        const auto longTicks = callsOf(c.sf.PriceRuler, DrawCall::Op::Line);
        std::vector<float> major, minor;
        for (const DrawCall& l : longTicks) {
            QCOMPARE(l.y1, l.y2);
            QCOMPARE(l.x2, 650.f);
            (l.x1 == 50 ? major : minor).push_back(l.y1);
            QVERIFY(l.x1 == 50 || l.x1 == 550);
        }
        QCOMPARE(major.size(), size_t(9));
        QCOMPARE(major.front(), 5425.f);
        QCOMPARE(major.back(), 50.f); // the top tick 50 twips under the upper edge
        QCOMPARE(minor.size(), size_t(81));
        QCOMPARE(minor[4], 5089.0625f);     // 5425 - 0.5 * 671.875
        QCOMPARE(minor.back(), -554.6875f); // 50 - 0.9 * 671.875: above the ruler
    }

    void labelCutOff_data() {
        QTest::addColumn<float>("height");
        QTest::addColumn<bool>("shown");
        // 8 steps of (h - 100) / 8; the "$ 19" label at h - 230 - 7 (h - 100) / 8.
        QTest::newRow("at 45") << 1500.f << false; // 1500 - 230 - 1225 = 45
        QTest::newRow("at 46") << 1508.f << true;  // 1508 - 230 - 1232 = 46
    }
    void labelCutOff() {
        QFETCH(float, height);
        QFETCH(bool, shown);
        Chart c;
        c.sf.PriceRuler.setSizeTwips(645, height);
        fillSeries(c.st.series, {{20, 12, 16}});
        c.ruler(1, 1);
        QCOMPARE(printed(c.sf.PriceRuler).contains("$ 19"), shown);
        QVERIFY(printed(c.sf.PriceRuler).contains("$ 18"));
    }

    void horizontalGrid_data() {
        QTest::addColumn<Flag>("flag");
        QTest::newRow("on") << kTrue;
        QTest::newRow("off") << kFalse;
        QTest::newRow("1 is not set") << Flag(1);
    }
    void horizontalGrid() {
        QFETCH(Flag, flag);
        Chart c;
        c.st.show_horizontal_grid = flag;
        c.sf.Picture1.ForeColor = RGB(1, 2, 3);
        fillSeries(c.st.series, {{20, 12, 16}});
        c.ruler(1, 1);
        const auto grid = callsOf(c.sf.Picture1, DrawCall::Op::Line);
        if (flag != kTrue) {
            QVERIFY(grid.empty());
            QCOMPARE(c.sf.Picture1.ForeColor, RGB(1, 2, 3));
            return;
        }
        QCOMPARE(grid.size(), size_t(9));
        for (const DrawCall& g : grid) {
            QCOMPARE(g.color, RGB(150, 60, 60));
            QCOMPARE(g.style, kDotted);
            QCOMPARE(g.x1, 0.f);
            QCOMPARE(g.x2, W);
            QCOMPARE(g.y1, g.y2);
        }
        QCOMPARE(grid[0].y1, 5425.f);
        QCOMPARE(c.sf.Picture1.ForeColor, RGB(0, 0, 0));
        QCOMPARE(c.sf.Picture1.DrawStyle, kSolid);
    }

    void flatWindowKeepsScale() {
        Chart c;
        c.st.price_scale = 123;
        fillSeries(c.st.series, {{0, 0, 0}}); // top = round(0.5) = 0 = bottom = round(-0.5)
        c.ruler(1, 1);
        QCOMPARE(c.st.price_scale, 123.f);
        QCOMPARE(printed(c.sf.PriceRuler), QStringList{"$ 0"}); // drawing went on
    }

    void extremes_data() {
        QTest::addColumn<int>("s");
        QTest::addColumn<int>("e");
        QTest::addColumn<float>("max");
        QTest::addColumn<float>("min");
        QTest::newRow("all") << 1 << 5 << 9.5f << 0.5f;
        QTest::newRow("2..3") << 2 << 3 << 9.f << 1.f;
        QTest::newRow("one day") << 5 << 5 << 3.f << 2.5f;
        QTest::newRow("s > e: day s") << 3 << 1 << 7.f << 4.f;
    }
    void extremes() {
        QFETCH(int, s);
        QFETCH(int, e);
        QFETCH(float, max);
        QFETCH(float, min);
        PriceSeries series;
        fillSeries(series, {{5, 2, 3}, {9, 1, 5}, {7, 4, 5}, {9.5f, 0.5f, 5}, {3, 2.5f, 3}});
        QCOMPARE(GetMaximumPrice(series, s, e), max);
        QCOMPARE(GetMinimumPrice(series, s, e), min);
    }

    // ---- bars ------------------------------------------------------------------------
    void barStyles_data() {
        QTest::addColumn<int>("e");
        QTest::addColumn<QString>("style");
        QTest::addColumn<std::vector<int>>("columns"); // pixels of day 1's bar at row 333
        // day 1 at x = 8745 - 8745 / (e + 1) twips.
        QTest::newRow("1..10") << 10 << "box3" << std::vector<int>{529, 530, 531}; // 7950
        QTest::newRow("1..30") << 30 << "box3" << std::vector<int>{563, 564, 565}; // 8462.9
        QTest::newRow("1..31") << 31 << "line" << std::vector<int>{565};           // 8471.7
        QTest::newRow("1..32") << 32 << "box2" << std::vector<int>{564, 565};      // 8480
        QTest::newRow("1..100") << 100 << "box2" << std::vector<int>{576, 577};    // 8658.4
        QTest::newRow("1..101") << 101 << "line" << std::vector<int>{577};         // 8659.3
    }
    void barStyles() {
        QFETCH(int, e);
        QFETCH(QString, style);
        QFETCH(std::vector<int>, columns);
        Chart c;
        c.flat(300);
        c.display(1, std::int16_t(e));
        const float dw = W / (e + 1);
        QCOMPARE(c.st.day_width, dw);
        const float x = xOf(1, 1, e);
        const auto boxes = callsOf(c.sf.Picture1, DrawCall::Op::Box);
        const auto lines = callsOf(c.sf.Picture1, DrawCall::Op::Line);
        if (style == "line") {
            QVERIFY(boxes.empty());
            QCOMPARE(lines.size(), size_t(2 * e));
            QVERIFY(near(lines[0].x1, x) && near(lines[0].x2, x));
            QCOMPARE(lines[0].y1, 5025.f);            // low 40
            QCOMPARE(lines[0].y2, 4825.f);            // high 60
            QVERIFY(near(lines[1].x1, x + 0.5 * dw)); // half-day tick at the close 50
            QCOMPARE(lines[1].y1, 4925.f);
            QCOMPARE(lines[1].y2, 4925.f);
        } else {
            QVERIFY(lines.empty());
            QCOMPARE(boxes.size(), size_t(2 * e));
            QVERIFY(near(boxes[0].x1, x - 15));
            QVERIFY(near(boxes[0].x2, style == "box3" ? x + 15 : x));
            QCOMPARE(boxes[0].y1, 5025.f);
            QCOMPARE(boxes[0].y2, 4825.f);
            QVERIFY(near(boxes[1].x1, x + 0.3 * dw)); // close flag, one pixel high
            QCOMPARE(boxes[1].y1, 4910.f);
            QVERIFY(near(boxes[1].x2, x));
            QCOMPARE(boxes[1].y2, 4925.f);
        }
        for (const DrawCall& call : c.sf.Picture1.calls().calls())
            QCOMPARE(call.color, RGB(0, 0, 0));
        for (int px = columns.front() - 2; px <= columns.back() + 2; ++px)
            QCOMPARE(c.sf.Picture1.pixel(px, 333) == RGB(0, 0, 0),
                     std::find(columns.begin(), columns.end(), px) != columns.end());
    }

    void closeLine_data() {
        QTest::addColumn<int>("s");
        QTest::addColumn<int>("e");
        QTest::addColumn<int>("segments");
        QTest::newRow("older day loaded") << 1 << 10 << 10;
        QTest::newRow("ends at day_count") << 291 << 300 << 9;
    }
    void closeLine() {
        QFETCH(int, s);
        QFETCH(int, e);
        QFETCH(int, segments);
        Chart c;
        std::vector<float> closes;
        for (int d = 1; d <= 300; ++d)
            closes.push_back(float(d));
        c.flat(300, closes);
        c.st.show_high_low_close = kFalse;
        c.display(std::int16_t(s), std::int16_t(e));
        const auto lines = callsOf(c.sf.Picture1, DrawCall::Op::Line);
        QVERIFY(callsOf(c.sf.Picture1, DrawCall::Op::Box).empty());
        QCOMPARE(lines.size(), size_t(segments));
        QVERIFY(near(lines[0].x1, xOf(s, s, e)) && near(lines[0].x2, xOf(s + 1, s, e)));
        QCOMPARE(lines[0].y1, 5425.f - 10 * s);
        QCOMPARE(lines[0].y2, 5425.f - 10 * (s + 1));
        // The last segment reaches the left edge (day e + 1) or ends at day_count.
        QVERIFY(near(lines.back().x2, segments == e - s + 1 ? 0 : xOf(e, s, e)));
    }

    void endingClamped() {
        Chart c;
        c.flat(250);
        std::int16_t s = 1, e = 400;
        DisplayChart(c.st, c.all, s, e);
        QCOMPARE(e, std::int16_t(250));
        QCOMPARE(c.st.ending_date_local, std::int16_t(250));
        QCOMPARE(c.st.day_width, W / 251);
        QCOMPARE(callsOf(c.sf.Picture1, DrawCall::Op::Line).size(), size_t(500));
    }

    // ---- overlays --------------------------------------------------------------------
    void movingAverage_data() {
        QTest::addColumn<int>("dayCount");
        QTest::addColumn<int>("segments");
        QTest::newRow("room for the average") << 300 << 50; // last segment to x(51) = 0
        QTest::newRow("short history") << 55 << 45;         // last = 55 - 10
    }
    void movingAverage() {
        QFETCH(int, dayCount);
        QFETCH(int, segments);
        Chart c;
        std::vector<float> closes;
        for (int d = 1; d <= dayCount; ++d)
            closes.push_back(float(d));
        c.flat(dayCount, closes);
        c.st.show_ma10 = kTrue;
        c.display(1, 50);
        const auto ma = c.lines(c.sf.Picture1, RGB(200, 0, 0));
        QCOMPARE(ma.size(), size_t(segments));
        // The 10-day mean of closes d .. d + 9 is d + 4.5: y = 5425 - 10 (d + 4.5).
        for (int i = 0; i < segments; ++i) {
            QVERIFY(near(ma[i].y1, 5425 - 10 * (i + 1 + 4.5)));
            QVERIFY(near(ma[i].y2, 5425 - 10 * (i + 2 + 4.5)));
            QVERIFY(near(ma[i].x1, xOf(i + 1, 1, 50)));
        }
        QVERIFY(near(ma.back().x2, xOf(segments + 1, 1, 50)));
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
            {RGB(0, 128, 255), 20}, {RGB(255, 0, 255), 40}, {RGB(0, 0, 0), 38}};
        QCOMPARE(runs, expected);
        QCOMPARE(c.sf.Picture1.ForeColor, RGB(0, 0, 0));
    }

    void envelopes() {
        Chart c;
        c.flat(300, {100});
        c.st.show_envelopes = kTrue;
        c.display(1, 30);
        const auto lines = c.lines(c.sf.Picture1, RGB(255, 0, 255));
        QCOMPARE(lines.size(), size_t(60)); // days 1..30, upper then lower
        for (size_t i = 0; i < lines.size(); ++i) {
            const float y = i % 2 == 0 ? 5425 - 1050 : 5425 - 950; // 105 above, 95 below
            QVERIFY(near(lines[i].y1, y) && near(lines[i].y2, y));
        }
    }

    void bands_data() {
        QTest::addColumn<std::vector<float>>("closes");
        QTest::addColumn<float>("periods");
        QTest::addColumn<float>("width");
        QTest::addColumn<float>("lower");
        QTest::addColumn<float>("upper");
        // Every close on its average: no deviation.
        QTest::newRow("flat") << std::vector<float>{100} << 20.f << 2.f << 100.f << 100.f;
        // Two-day averages of 99/101 are 100; deviation sqrt((1 + 1) / 2) = 1.
        std::vector<float> zigzag;
        for (int i = 0; i < 300; ++i)
            zigzag.push_back(i % 2 ? 101.f : 99.f);
        QTest::newRow("zigzag") << zigzag << 2.f << 1.f << 99.f << 101.f;
        QTest::newRow("zigzag wide") << zigzag << 2.f << 2.5f << 97.5f << 102.5f;
    }
    void bands() {
        QFETCH(std::vector<float>, closes);
        QFETCH(float, periods);
        QFETCH(float, width);
        QFETCH(float, lower);
        QFETCH(float, upper);
        Chart c;
        c.flat(300, closes);
        overlaySettings().bands_periods = periods;
        overlaySettings().bands_width = width;
        c.st.show_bands = kTrue;
        c.display(1, 50);
        const auto lines = c.lines(c.sf.Picture1, RGB(0, 0, 0));
        QCOMPARE(lines.size(), size_t(98)); // days 1..49, lower then upper
        for (size_t i = 0; i < lines.size(); ++i) {
            const float y = 5425 - 10 * (i % 2 == 0 ? lower : upper);
            QVERIFY(near(lines[i].y1, y) && near(lines[i].y2, y));
        }
        QVERIFY(near(lines.back().x2, xOf(50, 1, 50)));
    }

    void overlayPastBuffers_data() {
        QTest::addColumn<int>("e");
        QTest::addColumn<QString>("overlay");
        QTest::addColumn<bool>("fails");
        QTest::newRow("10 days to 2999") << 2999 << "ma10" << false;
        QTest::newRow("10 days to 3000") << 3000 << "ma10" << true; // needs day 3001
        QTest::newRow("bands to 2979") << 2979 << "bands" << false; // 2979 + 20 + 1 = 3000
        QTest::newRow("bands to 2980") << 2980 << "bands" << true;
        QTest::newRow("2100 days from 2950") << 2950 << "custom" << true; // close of day 5050
    }
    void overlayPastBuffers() {
        QFETCH(int, e);
        QFETCH(QString, overlay);
        QFETCH(bool, fails);
        Chart c;
        c.flat(3100);
        c.st.show_ma10 = toFlag(overlay == "ma10");
        c.st.show_bands = toFlag(overlay == "bands");
        c.st.show_ma_custom = toFlag(overlay == "custom");
        c.st.show_ma50 = toFlag(overlay != "ma10"); // drawn before the custom one
        overlaySettings().custom_ma_periods = 2100;
        std::int16_t s = std::int16_t(e - 10), end = std::int16_t(e);
        bool threw = false;
        try {
            DisplayChart(c.st, c.all, s, end);
        } catch (const ChartError&) {
            threw = true;
        }
        QCOMPARE(threw, fails);
        if (overlay == "custom") // the 50-day line drawn before the failing one stays
            QCOMPARE(c.lines(c.sf.Picture1, RGB(0, 200, 0)).size(), size_t(11));
        QCOMPARE(callsOf(c.sf.Picture1, DrawCall::Op::Box).size(), size_t(22)); // bars stay
    }

    // ---- arrows and marks ------------------------------------------------------------
    void arrowPixels_data() {
        QTest::addColumn<bool>("buy");
        QTest::newRow("buy") << true;
        QTest::newRow("sell") << false;
    }
    void arrowPixels() {
        QFETCH(bool, buy);
        ImageSurface img(QStringLiteral("img"), 3000, 3000);
        DrawArrow(100, 50, img, buy);
        const int dir = buy ? 1 : -1;
        std::set<std::pair<int, int>> expected{{100, 50}};
        for (int r = 1; r <= 11; ++r)
            for (int col = 99; col <= 101; ++col)
                expected.insert({col, 50 + dir * r});
        for (int r = 2; r <= 4; ++r) // head rows 5, 7 and 9 pixels wide
            for (int col = 100 - r; col <= 100 + r; ++col)
                expected.insert({col, 50 + dir * r});
        const Color pen = buy ? RGB(0, 180, 0) : RGB(180, 0, 0);
        for (int y = 30; y <= 70; ++y)
            for (int x = 90; x <= 110; ++x)
                QCOMPARE(img.pixel(x, y), expected.count({x, y}) ? pen : RGB(255, 255, 255));
        // Worked example: shaft down to row 61, head row 54 from 96 to 104; ends unpainted.
        if (buy) {
            QCOMPARE(img.pixel(100, 61), pen);
            QCOMPARE(img.pixel(100, 62), RGB(255, 255, 255));
            QCOMPARE(img.pixel(96, 54), pen);
            QCOMPARE(img.pixel(95, 54), RGB(255, 255, 255));
        }
    }

    void arrowRounding() {
        RecordingSurface img(QStringLiteral("img"), 3000, 3000);
        DrawArrow(100.5f, 50.5f, img, true);
        const auto pens = callsOf(img, DrawCall::Op::PenLine);
        QCOMPARE(pens.size(), size_t(6));
        // Each coordinate rounded on its own: 100.5 -> 100, 99.5 -> 100, 101.5 -> 102,
        // 50.5 -> 50, 62.5 -> 62, 51.5 -> 52.
        QCOMPARE(pens[0].toText(),
                 QStringLiteral("img PenLine 100 50 100 62 color=rgb(0,180,0) mode=13"));
        QCOMPARE(pens[1].x1, 100.f);
        QCOMPARE(pens[1].y1, 52.f);
        QCOMPARE(pens[2].x1, 102.f);
    }

    void marks() {
        Chart c;
        c.flat(300);
        c.st.buy_number = 1;
        c.st.buy_day[1] = 5;
        c.st.sell_number = 1;
        c.st.sell_day[1] = 5;
        c.display(1, 10);
        const auto pens = callsOf(c.sf.Picture1, DrawCall::Op::PenLine);
        QCOMPARE(pens.size(), size_t(12));
        // Day 5 at x = 8745 - 5 * 795 = 4770 (318 px). Buy tip 50 twips under the low end
        // at 5025: 5075 (338.3 px); sell tip 50 twips over the high end at 4825: 4775.
        QCOMPARE(pens[0].toText(),
                 QStringLiteral("Picture1 PenLine 318 338 318 350 color=rgb(0,180,0) mode=13"));
        QCOMPARE(pens[6].toText(),
                 QStringLiteral("Picture1 PenLine 318 318 318 306 color=rgb(180,0,0) mode=13"));
    }

    void markOutsideLoadedDays_data() {
        QTest::addColumn<float>("x");
        QTest::addColumn<int>("dayCount");
        QTest::newRow("right edge: day 0") << W << 300;
        QTest::newRow("left edge: day 11 of 10") << 0.f << 10;
        QTest::newRow("far right") << 1e6f << 300;
    }
    void markOutsideLoadedDays() {
        QFETCH(float, x);
        QFETCH(int, dayCount);
        Chart c;
        c.flat(dayCount);
        c.st.starting_date_local = 1;
        c.st.ending_date_local = 10;
        DrawBuy(c.st, c.sf.Picture1, x);
        DrawSell(c.st, c.sf.Picture1, x);
        QVERIFY(c.sf.Picture1.calls().calls().empty());
    }

    void hiddenChart() {
        Chart c;
        c.flat(300);
        c.st.chart_hidden = kTrue;
        c.st.day_width = 795; // left by an earlier draw of 1..10
        c.st.ending_date_local = 77;
        c.st.buy_number = 1;
        c.st.buy_day[1] = 5;
        c.st.sell_number = 1;
        c.st.sell_day[1] = 3;
        std::int16_t s = 1, e = 400;
        DisplayChart(c.st, c.all, s, e);
        QCOMPARE(e, std::int16_t(400));
        QCOMPARE(c.st.ending_date_local, std::int16_t(77));
        QCOMPARE(c.st.day_width, 795.f);
        QCOMPARE(c.sf.PriceRuler.calls().calls().size(), size_t(1)); // its Cls
        const auto& calls = c.sf.Picture1.calls().calls();
        QCOMPARE(calls.size(), size_t(13));
        QCOMPARE(calls[0].op, DrawCall::Op::Cls);
        // Buy: x = (8745 - 5 * 795) / 15 = 318, y = (5475 - 200) / 15 = 351.7 -> 352.
        QCOMPARE(calls[1].toText(),
                 QStringLiteral("Picture1 PenLine 318 352 318 364 color=rgb(0,180,0) mode=13"));
        // Sell: x = (8745 - 3 * 795) / 15 = 424, y = (5475 - 50) / 15 = 361.7 -> 362.
        QCOMPARE(calls[7].toText(),
                 QStringLiteral("Picture1 PenLine 424 362 424 350 color=rgb(180,0,0) mode=13"));
    }

    void clearAll() {
        Chart c;
        c.st.isVerticalLineDisplayed = c.st.isHorizontalLineDisplayed = kTrue;
        Clear(c.st, c.all);
        QCOMPARE(c.st.isVerticalLineDisplayed, kFalse);
        QCOMPARE(c.st.isHorizontalLineDisplayed, kFalse);
        for (RecordingSurface* r :
             {&c.sf.Picture1, &c.sf.TechRuler1, &c.sf.PriceRuler, &c.sf.DateRuler})
            QCOMPARE(r->calls().calls().size(), size_t(1));
        QVERIFY(c.sf.Picture2.calls().calls().empty());
    }

    // ---- date ruler ------------------------------------------------------------------
    void dateBands_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("band");
        for (auto [n, band] :
             {std::pair{8, 1}, {9, 2}, {29, 2}, {30, 3}, {299, 3}, {300, 4}, {499, 4}, {500, 5}})
            QTest::addRow("%d", n) << n << band;
    }
    void dateBands() {
        QFETCH(int, n);
        QFETCH(int, band);
        Chart c;
        fillSeries(c.st.series, waveDays(600));
        c.dates(1, std::int16_t(n));
        const int shortTicks = int(linesBetween(c.sf.DateRuler, 0, 100).size());
        const int longTicks = int(linesBetween(c.sf.DateRuler, 0, 150).size());
        const int extensions = int(linesBetween(c.sf.DateRuler, 100, 130).size());
        const QStringList labels = printed(c.sf.DateRuler);
        const QString oldest = c.st.series.price_date[n];
        switch (band) {
        case 1: // every day, its stored text
            QCOMPARE(shortTicks, n);
            QCOMPARE(labels.size(), n);
            QCOMPARE(labels.first(), oldest);
            break;
        case 2: // every day, the first one its day number
            QCOMPARE(shortTicks, n);
            QCOMPARE(labels.size(), n);
            QCOMPARE(labels.first(), QString::number(QDate::fromString(oldest, Qt::ISODate).day()));
            break;
        case 3: // ticks every day, long ticks and labels at new months
            QCOMPARE(shortTicks, n);
            QVERIFY(longTicks >= 1);
            QCOMPARE(labels.size(), longTicks);
            break;
        case 4: // ticks and month labels at new months only
            QVERIFY(shortTicks < n / 15);
            QCOMPARE(labels.size(), shortTicks);
            QCOMPARE(longTicks + extensions, 0);
            break;
        case 5:
            QVERIFY(extensions >= 1);
            QVERIFY(labels.size() < shortTicks);
            break;
        }
    }

    void dateLabels_data() {
        QTest::addColumn<QDate>("oldest");
        QTest::addColumn<int>("n");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<int>("longTicks");
        QTest::addColumn<int>("gridLines");
        QTest::addColumn<int>("day");      // a labelled day
        QTest::addColumn<float>("offset"); // how far left of its tick the label begins
        // Oct 20 .. Nov 4, 2014: day numbers 7 px left, the month name under Nov 3 10 px.
        const QStringList band2{"20", "21", "22", "23", "24",  "27",
                                "28", "29", "30", "31", "Nov", "4"};
        QTest::newRow("band 2 from the 20th")
            << QDate(2014, 10, 20) << 12 << band2 << 0 << 12 << 12 << 105.f;
        QTest::newRow("band 2 new month")
            << QDate(2014, 10, 20) << 12 << band2 << 0 << 12 << 2 << 150.f;
        // Oct 1 .. Nov 25: the 1st is the first day, not a new month; Nov 3 is day 17.
        QTest::newRow("band 3 first day the 1st")
            << QDate(2014, 10, 1) << 40 << QStringList{"Nov"} << 1 << 1 << 17 << 120.f;
        // Dec 1, 2014 .. Jan 23, 2015; Jan 1 is day 17.
        QTest::newRow("band 3 January with year")
            << QDate(2014, 12, 1) << 40 << QStringList{"Jan,15"} << 1 << 1 << 17 << 150.f;
        // Mar 1, 2013 .. Apr 24, 2014, grid in January, April, July and October; Apr 1,
        // 2013 is day 300 - 21 March weekdays = 279.
        QTest::newRow("band 4") << QDate(2013, 3, 1) << 300
                                << QStringList{"Apr", "May", "Jun",  "Jul", "Aug", "Sep", "Oct",
                                               "Nov", "Dec", "J,14", "Feb", "Mar", "Apr"}
                                << 0 << 5 << 279 << 120.f;
        // Mar 1, 2012 .. Jan 29, 2014; Apr 2, 2012 is day 478.
        QTest::newRow("band 5") << QDate(2012, 3, 1) << 500
                                << QStringList{"A", "J", "O", "J,13", "A", "J", "O", "J,14"} << 0
                                << 8 << 478 << 15.f;
    }
    void dateLabels() {
        QFETCH(QDate, oldest);
        QFETCH(int, n);
        QFETCH(QStringList, labels);
        QFETCH(int, longTicks);
        QFETCH(int, gridLines);
        QFETCH(int, day);
        QFETCH(float, offset);
        Chart c;
        c.weekdaysFrom(oldest, n);
        c.dates(1, std::int16_t(n));
        QCOMPARE(printed(c.sf.DateRuler), labels);
        QCOMPARE(int(linesBetween(c.sf.DateRuler, 0, 150).size()), longTicks);
        QCOMPARE(int(callsOf(c.sf.Picture1, DrawCall::Op::Line).size()), gridLines);
        bool found = false;
        for (const DrawCall& p : callsOf(c.sf.DateRuler, DrawCall::Op::Print)) {
            QCOMPARE(p.y1, 100.f);
            QCOMPARE(p.color, RGB(255, 255, 255));
            found = found || near(p.x1, xOf(day, 1, n) - offset);
        }
        QVERIFY(found);
    }

    void oneDayWindow() {
        Chart c;
        fillSeries(c.st.series, waveDays(5));
        c.dates(2, 2);
        QCOMPARE(linesBetween(c.sf.DateRuler, 0, 100).size(), size_t(1));
        QCOMPARE(linesBetween(c.sf.DateRuler, 0, 100)[0].x1, 4372.5f); // W / 2
        const auto p = callsOf(c.sf.DateRuler, DrawCall::Op::Print);
        QCOMPARE(p.size(), size_t(1));
        QCOMPARE(p[0].text, c.st.series.price_date[2]);
        QCOMPARE(p[0].x1, 4072.5f); // 20 px left of the tick
    }

    void reversedWindowDrawsNothing() {
        Chart c;
        fillSeries(c.st.series, waveDays(50));
        c.dates(20, 10);
        QVERIFY(c.sf.DateRuler.calls().calls().empty());
        QVERIFY(c.sf.Picture1.calls().calls().empty());
    }

    void verticalGrid_data() {
        QTest::addColumn<Flag>("flag");
        QTest::newRow("on") << kTrue;
        QTest::newRow("off") << kFalse;
    }
    void verticalGrid() {
        QFETCH(Flag, flag);
        Chart c;
        fillSeries(c.st.series, waveDays(50));
        c.st.show_vertical_grid = flag;
        c.sf.Picture1.ForeColor = RGB(9, 9, 9);
        c.sf.Picture1.DrawStyle = kDashed;
        c.dates(1, 5);
        const auto grid = callsOf(c.sf.Picture1, DrawCall::Op::Line);
        if (flag == kFalse) {
            QVERIFY(grid.empty());
            QCOMPARE(c.sf.Picture1.ForeColor, RGB(9, 9, 9));
            QCOMPARE(c.sf.Picture1.DrawStyle, kDashed);
            return;
        }
        QCOMPARE(grid.size(), size_t(5));
        QCOMPARE(
            grid[0].toText(),
            QStringLiteral(
                "Picture1 Line 1457.5 0 1457.5 5475 color=rgb(150,60,60) style=2 width=1 mode=13"));
        QCOMPARE(c.sf.Picture1.ForeColor, RGB(0, 0, 0));
        QCOMPARE(c.sf.Picture1.DrawStyle, kSolid);
    }

    void unreadableDate() {
        Chart c;
        c.weekdaysFrom(QDate(2014, 10, 20), 12);
        c.st.series.price_date[2] = QStringLiteral("n/a"); // Nov 3
        c.dates(1, 12);
        QCOMPARE(linesBetween(c.sf.DateRuler, 0, 100).size(), size_t(12));
        // Nov 3 gets no label; Nov 4 (4) follows the 31 kept from Oct 31: a new month.
        QCOMPARE(printed(c.sf.DateRuler),
                 (QStringList{"20", "21", "22", "23", "24", "27", "28", "29", "30", "31", "Nov"}));
    }
};

QTEST_MAIN(TestChart)
#include "tst_chart.moc"
