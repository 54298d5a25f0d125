// SPDX-License-Identifier: BSD-3-Clause
// The control as a host sees it: start-up from settings, colours, layout, redraws, interface.

#include "Fixtures.h"

#include "widget/TKchartPrivate.h"
#include "widget/TKchartTesting.h"

#include <tk5chctl/Prompts.h>
#include <tk5chctl/TKchart.h>

#include <QtTest>
#include <QtWidgets>

using namespace tk5;
using Settings = QMap<QString, QString>;
// Chart, rulers, pane 1, pane 2, pane 3, list, ruler text, the panes' margin bands.
using Colors = QList<Color>;

namespace {

// A shown 800 x 600 pixel control with settings "key=value;...", the ticker loaded before its
// first redraw.
std::unique_ptr<TKchart> makeChart(const QString& settings = {}, const QString& ticker = "ORCL") {
    Settings s;
    for (const QString& kv : settings.split(';', Qt::SkipEmptyParts))
        s.insert(kv.section('=', 0, 0), kv.section('=', 1));
    auto w = std::make_unique<TKchart>(s);
    w->setAttribute(Qt::WA_DontShowOnScreen);
    w->ReadDataFile(ticker);
    w->resize(800, 600);
    w->show();
    return w;
}

// The published interface in its order: "name kind result(arguments)", kinds "rw" and "ro"
// for properties and "m" for methods; types as the host sees them (text, int16, float32, bool,
// any; "&" where the member writes the caller's variable back).
const char* const kPublished =
    "ticker_name rw text; buy_number rw int16; sell_number rw int16; "
    "starting_date_local rw int16; ending_date_local rw int16; "
    "OldVerticalLineX rw float32; OldHorizontalLineY rw float32; "
    "isVerticalLineDisplayed rw bool; isHorizontalLineDisplayed rw bool; "
    "ReadDataFile m any(text,bool&); DrawPriceRuler m (int16,int16); "
    "DisplayChart m (int16&,int16&); MaximumPrice ro float32; MinimumPrice ro float32; "
    "GetMaximumPrice m float32(int16,int16); GetMinimumPrice m float32(int16,int16); "
    "Clear m (); DrawDateRuler m (int16,int16); UpdateCaption m (float32); "
    "RecordBuy m (float32); RecordSell m (float32); DrawBuy m (float32); "
    "DrawSell m (float32); ClearBuysSells m (); "
    "DisplayTechnicalIndicators m (int16,int16,int16); TechInd1 ro int16; "
    "TechInd2 ro int16; TechInd3 ro int16; SaveChartInFile m (text); "
    "OpenChartFromFile m (text); FillListView m (); PrintEntireChart m (); "
    "GoBackward m (); GoForward m (); ZoomIn m (); ZoomOut m (); "
    "ConvertDateToInteger m int16(text); StartingDate ro text; EndingDate ro text; "
    "PrintTransactionsReport m text(); CalculateSumGain m (); CalculateCumGain m (); "
    "convert_trading_date m any(text); UpdateHistData m (); SetColors m (); "
    "DrawLabel m (); DrawLabelNoEvent m (); CompanyName ro text; MA10 ro bool; "
    "MA50 ro bool; MA200 ro bool; MACustom ro bool; MaximumInput rw int16;";

// The interface's type names as Qt's meta-object writes them.
QString metaType(QString t) {
    static const QMap<QString, QString> kTypes{{"text", "QString"},   {"int16", "short"},
                                               {"int16&", "qint16&"}, {"float32", "float"},
                                               {"any", "QVariant"},   {"", "void"}};
    return kTypes.value(t, t);
}

const MemorySettingsStore& storeOf(TKchart& w) {
    return dynamic_cast<const MemorySettingsStore&>(*TKchartPrivate::of(w).store);
}

QColor qcolor(Color c) { return QColor(redOf(c), greenOf(c), blueOf(c)); }
QString rgbText(Color c) {
    return QStringLiteral("rgb(%1,%2,%3)").arg(redOf(c)).arg(greenOf(c)).arg(blueOf(c));
}

// The colour of the first recorded call of this operation on this surface.
QString firstColor(const QStringList& lines, const QString& surface, const QString& op) {
    return lines.filter(surface + ' ' + op + ' ').value(0).section("color=", 1).section(' ', 0, 0);
}

// The texts printed on a surface, in order, joined by '|'.
QString printedOn(const QStringList& lines, const QString& surface) {
    QStringList texts;
    for (const QString& l : lines.filter(surface + QStringLiteral(" Print ")))
        if (l.startsWith(surface)) texts << l.section('"', 1, 1);
    return texts.join('|');
}

template <typename W = QWidget> W* child(const TKchart& w, const QString& name) {
    return w.findChild<W*>(name);
}

struct RecordingPrompts : Prompts {
    QStringList messages;
    void message(const QString& text, MessageIcon) override { messages << text; }
    bool confirm(const QString&, const QString&, MessageIcon) override { return true; }
};

constexpr Color kWhite = 0xFFFFFF, kBlack = 0, kPaleYellow = 0xC4FFFF, kLightGrey = 0xEFEFEF;
constexpr Color kDarkBlue = 0x340000; // rgb(0,0,52)

} // namespace

class TestControl : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        test::useEnglishLocale();
        QStandardPaths::setTestModeEnabled(true);
        qputenv("TK5CHCTL_HIST_DIR", test::sampleHistDir().toLocal8Bit());
    }

    void colours_data() {
        QTest::addColumn<QString>("settings"); // rows "SetColors..." call it after start-up
        QTest::addColumn<Colors>("colors");
        const Colors start = {kWhite, kBlack, kWhite, kWhite, kWhite, kWhite, kWhite, kDarkBlue};
        const Colors set = {kPaleYellow, kBlack,     kPaleYellow, kPaleYellow,
                            kPaleYellow, kLightGrey, kWhite,      kDarkBlue};
        QTest::newRow("empty store") << "" << start;
        QTest::newRow("stored values")
            << "BkgChart=255;BkgRulers=65280;BkgTech1=16711680;BkgTech2=8421504;BkgTech3=0;"
               "BkgBuySell=12910591;BkgRulersText=65535"
            << Colors{0xFF, 0xFF00, 0xFF0000, 0x808080, 0, 0xC4FFFF, 0xFFFF, 0xFF00};
        QTest::newRow("not numbers")
            << "BkgChart=red;BkgRulers=x;BkgRulersText=0x00FF;BkgTech1=;BkgTech2= " << start;
        // The largest 24-bit colour is taken; one above, negative ones and beyond 32 bits not.
        QTest::newRow("largest") << "BkgRulers=16777215" << Colors(8, kWhite);
        QTest::newRow("out of range")
            << "BkgChart=-2;BkgRulers=16777216;BkgTech1=99999999999;BkgTech2=-16777215" << start;
        // Whole numbers are read rounding halves to even: 254.5 -> 254, 255.5 -> 256.
        QTest::newRow("fractions")
            << "BkgChart=254.5;BkgTech1=255.5"
            << Colors{254, 0, 256, kWhite, kWhite, kWhite, kWhite, kDarkBlue};
        QTest::newRow("SetColors, empty store") << "" << set;
        QTest::newRow("SetColors, stored win")
            << "BkgChart=255;BkgTech1=255;BkgTech2=255;BkgTech3=255;BkgBuySell=0;BkgRulers=1"
            << Colors{255, 1, 255, 255, 255, kBlack, kWhite, 1};
        QTest::newRow("SetColors, bad values")
            << "BkgChart=-5;BkgTech1=abc;BkgTech2=;BkgTech3=16777216;BkgBuySell=1e99" << set;
    }
    void colours() {
        QFETCH(QString, settings);
        QFETCH(Colors, colors);
        const auto w = makeChart(settings);
        w->startRecording();
        const QStringList surfaces = {"Picture1", "PriceRuler", "Picture2", "Picture3", "Picture4"};
        if (QByteArray(QTest::currentDataTag()).startsWith("SetColors")) { // draws nothing
            w->SetColors();
            QCOMPARE(w->recordedDrawCalls(), QStringList()); // the pictures show it plain
            for (int i = 0; i < 5; ++i)
                QCOMPARE(child(*w, surfaces[i])->grab().toImage().pixelColor(5, 5),
                         qcolor(colors[i]));
        }
        // A redraw paints surfaces in their back colour, ruler labels in the text colour, each
        // pane's lower margin band (8750 twips wide, from its bottom 1000 up to 950) apart.
        w->redraw();
        const QStringList calls = w->recordedDrawCalls();
        for (int i = 0; i < 5; ++i)
            QCOMPARE(firstColor(calls, surfaces[i], "Cls"), rgbText(colors[i]));
        for (const char* r : {"PriceRuler", "DateRuler", "TechRuler1", "TechRuler2", "TechRuler3"})
            QCOMPARE(firstColor(calls, r, "Cls") + firstColor(calls, r, "Print"),
                     rgbText(colors[1]) + rgbText(colors[6]));
        for (const QString p : {"Picture2", "Picture3", "Picture4"})
            QCOMPARE(calls.filter(p + " Box 0 1000 8750 950 ").value(0),
                     p + " Box 0 1000 8750 950 color=" + rgbText(colors[7]) + " mode=13");
        QCOMPARE(child(*w, "ListView1")->palette().color(QPalette::Base), qcolor(colors[5]));
        for (const char* label : {"CaptionLabel", "ChangeLabel"})
            QCOMPARE(child(*w, label)->palette().color(QPalette::Window), qcolor(colors[1]));
        QCOMPARE(child(*w, "CaptionLabel")->palette().windowText().color(), qcolor(colors[6]));
    }

    // The window's extremes read as properties; a window that cannot be read gives 0, never an
    // exception. ORCL.csv: days 1 and 2 reach 45.56 and 45.66, down to 44.97 and 45.29.
    void priceProperties() {
        const auto w = makeChart();
        for (const auto& [s, e] : {std::pair{1, 2}, {0, 2}, {-32768, 32767}, {6000, 6000}}) {
            w->setStarting_date_local(qint16(s));
            w->setEnding_date_local(qint16(e));
            QCOMPARE(w->property("MaximumPrice").toFloat(), s == 1 ? 45.66f : 0.0f);
            QCOMPARE(w->property("MinimumPrice").toFloat(), s == 1 ? 44.97f : 0.0f);
        }
    }

    // The panes' kinds and periods as read at start-up, seen as "Apply now" saves them back:
    // "key=stored;...|held...". Defaults: kinds 1, 3, 6; 14 RSI and 12 momentum periods. A
    // number is a kind even beyond 16 bits: outside 1..10, an empty pane, kept as 0.
    void storedPanes() {
        for (const QString row : {"2MACDperiods3=300;Tech2=10;3MoneyFlowperiods= 30 |300 10 30",
                                  "1RSI_periods=10.5;3Momentumperiods=32767;Tech1=abc|10 32767 1",
                                  "1RSI_periods=-32768;Tech2=12;Tech1=40000|-32768 12 0",
                                  "3Momentumperiods=32768;1RSI_periods=-32769;Tech1=1e9|12 14 0",
                                  "2RSI_periods=;1RSI_periods=1e9|14 14"}) {
            const auto w = makeChart(row.section('|', 0, 0));
            child<QPushButton>(*w, "Command1")->click();
            QStringList saved;
            for (const QString& kv : row.section('|', 0, 0).split(';'))
                saved << storeOf(*w).value(kv.section('=', 0, 0));
            QCOMPARE(saved.join(' '), row.section('|', 1));
        }
    }

    void startUp() {
        QSettings user(QSettings::NativeFormat, QSettings::UserScope, "Tavik5", "Tavik5");
        if (!user.fileName().contains(QStringLiteral(".qttest"))) QSKIP("not the test location");
        user.setValue(QStringLiteral("Settings/Tech1"), QStringLiteral("4"));
        user.sync();
        sharedOverlaySettings().custom_ma_periods = 50;
        TKchart w;
        user.remove(QStringLiteral("Settings/Tech1"));
        // A new control resets the overlay settings every control shares (custom average 20).
        QCOMPARE(QList<int>({w.TechInd1(), child<QComboBox>(w, "Combo_1")->currentIndex(),
                             sharedOverlaySettings().custom_ma_periods, w.starting_date_local(),
                             w.ending_date_local(), w.buy_number(), w.sell_number(), w.MA10(),
                             w.MA50(), w.MA200(), w.MACustom(), w.isVerticalLineDisplayed(),
                             w.isHorizontalLineDisplayed()}),
                 QList<int>({4, 3, 20, 1, 200, 0, 0, 1, 1, 1, 0, 0, 0}));
        // useSettings moves the control to a store of its own and reads it again.
        w.useSettings(Settings{{"Tech1", "9"}});
        QCOMPARE(QList<int>({w.TechInd1(), child<QComboBox>(w, "Combo_1")->currentIndex()}),
                 QList<int>({9, 8}));
    }

    // Each child's place in twips "x y w h" at 800 x 600 pixels (W = 12000, H = 9000: 2H/3 =
    // 6000, H/9 = 1000) and after a resize to 250 x 160 (W = 3750, H = 2400: 2H/3 = 1600, H/9 =
    // 266.7), where a child that would get a negative size keeps its place. Children of the
    // tab strip are placed relative to it, Command1 relative to Frame2.
    void layout_data() {
        QTest::addColumn<QRectF>("big");
        QTest::addColumn<QRectF>("small");
        QTest::newRow("SSTab1") << QRectF(9500, 0, 2500, 9000) << QRectF(1250, 0, 2500, 2400);
        QTest::newRow("ListView1") << QRectF(30, 345, 2415, 7525) << QRectF(30, 345, 2415, 925);
        QTest::newRow("SumGain") << QRectF(120, 8100, 2295, 255) << QRectF(120, 1500, 2295, 255);
        QTest::newRow("CumGain") << QRectF(120, 8500, 2295, 255) << QRectF(120, 1900, 2295, 255);
        QTest::newRow("Frame2") << QRectF(100, 400, 2300, 8500) << QRectF(100, 400, 2300, 1900);
        QTest::newRow("Command1") << QRectF(240, 8000, 1815, 315) << QRectF(240, 1400, 1815, 315);
        QTest::newRow("CaptionLabel") << QRectF(0, 0, 7000, 220) << QRectF(0, 0, 7000, 220);
        QTest::newRow("ChangeLabel") << QRectF(7000, 0, 2400, 220) << QRectF(-1250, 0, 2400, 220);
        QTest::newRow("Picture1") << QRectF(650, 220, 8750, 5480) << QRectF(650, 220, 500, 1080);
        QTest::newRow("PriceRuler") << QRectF(0, 220, 650, 5480) << QRectF(0, 220, 650, 1080);
        QTest::newRow("DateRuler") << QRectF(650, 5700, 8750, 300) << QRectF(650, 1300, 500, 300);
        QTest::newRow("TimeBackward") << QRectF(0, 5700, 325, 300) << QRectF(0, 1300, 325, 300);
        QTest::newRow("TimeForward") << QRectF(326, 5700, 320, 300) << QRectF(326, 1300, 320, 300);
        const double n = 2400.0 / 9;
        for (int i = 0; i < 3; ++i) {
            QTest::addRow("Picture%d", i + 2)
                << QRectF(650, 6000 + 1000 * i, 8750, 1000) << QRectF(650, (6 + i) * n, 500, n);
            QTest::addRow("TechRuler%d", i + 1)
                << QRectF(0, 6000 + 1000 * i, 650, 1000) << QRectF(0, (6 + i) * n, 650, n);
        }
    }
    void layout() {
        QFETCH(QRectF, big);
        QFETCH(QRectF, small);
        const auto w = makeChart({}, {});
        QCOMPARE(testing::childTwipGeometry(*w, QTest::currentDataTag()), big);
        w->resize(250, 160);
        QCOMPARE(testing::childTwipGeometry(*w, QTest::currentDataTag()), small);
    }

    // A resize redraws every step and sends DrawComplete, as new settings and "Apply now" do,
    // but the chart alone does not. ORCL, days 1..200 (19-Mar-14 .. 31-Dec-14): lows and highs
    // from 35.82 to 46.71, the largest volume 86,679,100.
    void fullRedrawAndDrawComplete() {
        const auto w = makeChart();
        QSignalSpy drawn(w.get(), &TKchart::DrawComplete);
        w->startRecording();
        w->resize(801, 600);
        const QStringList calls = w->recordedDrawCalls();
        QCOMPARE(calls.value(0), "Picture1 Cls color=rgb(255,255,255)"); // Clear comes first
        // A range of 10.89 dollars takes the 2.5 step; each month beginning shown, July with
        // its year; a black high-low line and close tick for each of the 200 days; volume.
        QCOMPARE(printedOn(calls, "PriceRuler"), "$ 35|$ 37.5|$ 40|$ 42.5|$ 45");
        QCOMPARE(printedOn(calls, "DateRuler"), "Apr|May|Jun|Jul,14|Aug|Sep|Oct|Nov|Dec");
        QCOMPARE(calls.filter("Picture1 Line ").filter("color=rgb(0,0,0) ").size(), 400);
        QCOMPARE(printedOn(calls, "TechRuler1"), "86.7 M|43.3 M|0");
        QCOMPARE(drawn.count(), 1);
        qint16 s = 1, e = 200;
        w->DisplayChart(s, e);
        w->useSettings({{"Tech2", "2"}});
        QCOMPARE(drawn.count(), 2);
        child<QPushButton>(*w, "Command1")->click();
        QCOMPARE(drawn.count(), 3);
        // The layout's own tab switching is no tab click: the user's first click widens the
        // indicator lists from 10 entries to 12.
        auto* list = child<QComboBox>(*w, "Combo_1");
        QCOMPARE(list->maxVisibleItems(), 10);
        QTabBar* bar = child<QTabWidget>(*w, "SSTab1")->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
        QCOMPARE(list->maxVisibleItems(), 12);
    }

    // "Apply now": the periods saved, the chart redrawn, then the kinds saved. A redraw that
    // fails (days 2990 .. 3090) leaves the kinds unsaved and tells the user so.
    void applyNow() {
        const QString failed =
            "The new periods are saved, but the chart could not be drawn with them, so the "
            "indicator choices were not saved.\n\nThe 10-day moving average cannot be drawn over "
            "days 2990 to 3090: day 3001 is beyond the 3000 days an average or indicator is "
            "worked out over";
        for (const int first : {1, 2990}) {
            const auto w = makeChart();
            // Closes falling 1 a day: momentum over P days is P, the top label of its pane.
            std::vector<test::Day> line;
            for (int d = 1; d <= 3200; ++d)
                line.push_back({4001.0f - d, 3999.0f - d, 4000.0f - d});
            test::fillSeries(TKchartPrivate::of(*w).core.state().series, line);
            RecordingPrompts prompts;
            w->setPrompts(&prompts);
            w->setStarting_date_local(qint16(first));
            w->setEnding_date_local(qint16(first + 100));
            // Momentum 7, RSI 20 and Momentum 25.5, taken as 26.
            for (const auto& [p, kind, text] :
                 {std::tuple{1, 7, "7"}, {2, 2, "20"}, {3, 7, "25.5"}}) {
                child<QComboBox>(*w, QStringLiteral("Combo_%1").arg(p))->setCurrentIndex(kind - 1);
                child<QLineEdit>(*w, QStringLiteral("Text1_%1").arg(p))->setText(text);
            }
            w->startRecording();
            child<QPushButton>(*w, "Command1")->click();
            QStringList values; // periods, kinds, the top labels of panes 1 and 3
            for (const char* key : {"1Momentumperiods", "2RSI_periods", "3Momentumperiods", "Tech1",
                                    "Tech2", "Tech3"})
                values << storeOf(*w).value(key);
            for (const char* ruler : {"TechRuler1", "TechRuler3"})
                values << printedOn(w->recordedDrawCalls(), ruler).section('|', 0, 0);
            QCOMPARE(values.join(' '), first == 1 ? "7 20 26 7 2 7 7.00 26.00" : "7 20 26     ");
            QCOMPARE(prompts.messages, first == 1 ? QStringList() : QStringList{failed});
        }
    }

    // The layout switches tabs, which takes the focus from a chooser and gives it back: only
    // the user moving the focus opens the list.
    void resizeKeepsListClosed() {
        TKchart w(Settings{});
        w.resize(800, 600);
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        auto* combo = child<QComboBox>(w, "Combo_2");
        combo->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(combo->view()->isVisible());
        combo->hidePopup();
        QTRY_VERIFY(!combo->view()->isVisible());
        QVERIFY(combo->hasFocus());
        w.resize(820, 620);
        QVERIFY(combo->hasFocus()); // given back by the layout
        QTest::qWait(50);
        QVERIFY(!combo->view()->isVisible());
    }

    void hostInterface() {
        TKchart w(Settings{});
        // MaximumInput reads 0 whatever is written.
        QVERIFY(w.setProperty("MaximumInput", QVariant::fromValue<qint16>(7)));
        QCOMPARE(w.property("MaximumInput").value<qint16>(), qint16(0));
        // AAPL_L.csv: name line "Apple Inc. USD", 511 lines less 5 header lines are 506 days.
        bool today = true;
        QCOMPARE(w.ReadDataFile(QStringLiteral("aapl_l"), today), QVariant());
        QCOMPARE(QList<int>({today, w.loadedDays()}), QList<int>({0, 506}));
        QCOMPARE(QStringList({w.ticker_name(), w.property("CompanyName").toString(),
                              w.StartingDate(), w.EndingDate()}),
                 QStringList({"aapl_l", "Apple Inc.", "2017-02-16", "2016-05-04"}));
        // A ticker without a file loads no day and empties the caption.
        w.ReadDataFile(QStringLiteral("NO_SUCH"));
        QCOMPARE(QString::number(w.loadedDays()) + w.CompanyName(), "0");
        // Clear paints the chart and the five rulers. Recording can stop, and starts afresh.
        w.startRecording();
        w.Clear();
        w.stopRecording();
        w.Clear();
        QCOMPARE(w.recordedDrawCalls().size(), 6);
        w.startRecording();
        QCOMPARE(w.recordedDrawCalls().size(), 0);
        // AAPL.csv: day 3 is 14-Feb-17. DisplayChart lowers the caller's ending day to 506.
        w.ReadDataFile(QStringLiteral("AAPL"));
        QCOMPARE(w.ConvertDateToInteger(QStringLiteral("14-Feb-17")), qint16(3));
        qint16 s = 1, e = 600;
        w.DisplayChart(s, e);
        QCOMPARE(QList<int>({e, w.ending_date_local()}), QList<int>({506, 506}));
        e = 700;
        QVERIFY(
            QMetaObject::invokeMethod(&w, "DisplayChart", Q_ARG(qint16&, s), Q_ARG(qint16&, e)));
        QCOMPARE(e, qint16(506));
        QCOMPARE(w.GetMaximumPrice(1, 1), 135.90f);
        // A failure reaches the host as the control's one exception type.
        try {
            w.GetMaximumPrice(6000, 6000);
            QFAIL("day 6000 lies beyond the 5000 days a series holds");
        } catch (const TKchartError& error) {
            QCOMPARE(error.kind(), TKchartError::Kind::IndexOutOfRange);
        }
    }

    // The meta-object holds the 53 published members in their order with their kinds and
    // types (the by-value forms of ReadDataFile and DisplayChart follow their published
    // form), and the two events.
    void publishedInterface() {
        const QMetaObject& mo = TKchart::staticMetaObject;
        int nextProperty = mo.propertyOffset(), nextMethod = mo.methodOffset();
        QStringList signalNames;
        auto nextInvokable = [&]() -> QMetaMethod {
            while (nextMethod < mo.methodCount()) {
                const QMetaMethod m = mo.method(nextMethod++);
                if (m.methodType() == QMetaMethod::Signal)
                    signalNames << m.name();
                else if (m.methodType() == QMetaMethod::Method)
                    return m;
            }
            return {};
        };
        for (const QString& entry :
             QString::fromLatin1(kPublished).split(';', Qt::SkipEmptyParts)) {
            const QStringList f = entry.trimmed().split(' ');
            if (f[1] != "m") {
                QVERIFY2(nextProperty < mo.propertyCount(), qPrintable(entry));
                const QMetaProperty p = mo.property(nextProperty++);
                QCOMPARE(p.name(), f[0]);
                QCOMPARE(QString::fromLatin1(p.typeName()), metaType(f[2]));
                QCOMPARE(p.isWritable(), f[1] == "rw");
                continue;
            }
            const QString result = f[2].section('(', 0, 0);
            QStringList args = f[2].section('(', 1).chopped(1).split(',', Qt::SkipEmptyParts);
            for (QString& a : args)
                a = metaType(a);
            QMetaMethod m = nextInvokable();
            QCOMPARE(QString::fromLatin1(m.methodSignature()), f[0] + '(' + args.join(',') + ')');
            QCOMPARE(QString::fromLatin1(m.typeName()), metaType(result));
            if (args.join(',').contains('&')) { // the by-value form for literals
                m = nextInvokable();
                QCOMPARE(QString::fromLatin1(m.name()), f[0]);
                QVERIFY(!QString::fromLatin1(m.methodSignature()).contains('&'));
            }
        }
        QCOMPARE(nextProperty, mo.propertyCount());
        QVERIFY(!nextInvokable().isValid());
        QCOMPARE(signalNames, (QStringList{"DrawComplete", "CompanyNameResolved"}));
    }
};

QTEST_MAIN(TestControl)
#include "tst_control.moc"
