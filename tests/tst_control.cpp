// SPDX-License-Identifier: BSD-3-Clause
// The control as a host sees it: start-up from settings, colours, layout, redraws, interface.

#include "Fixtures.h"

#include "widget/TKchartPrivate.h"
#include "widget/TKchartTesting.h"

#include <tk5chctl/Prompts.h>
#include <tk5chctl/TKchart.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

using namespace tk5;
using Settings = QMap<QString, QString>;
// Chart, rulers, pane 1, pane 2, pane 3, list, ruler text, the panes' margin bands.
using Colors = QList<Color>;

namespace {

// "key=value;key=value" as settings.
Settings settingsOf(const QString& text) {
    Settings s;
    for (const QString& kv : text.split(';', Qt::SkipEmptyParts))
        s.insert(kv.section('=', 0, 0), kv.section('=', 1));
    return s;
}

// A shown 800 x 600 pixel control with these settings, the ticker loaded before its first
// redraw.
std::unique_ptr<TKchart> makeChart(const QString& settings = {}, const QString& ticker = "ORCL") {
    auto w = std::make_unique<TKchart>(settingsOf(settings));
    w->setAttribute(Qt::WA_DontShowOnScreen);
    w->ReadDataFile(ticker);
    w->resize(800, 600);
    w->show();
    return w;
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
    const QStringList found = lines.filter(surface + ' ' + op + ' ');
    return found.value(0).section(QStringLiteral("color="), 1).section(' ', 0, 0);
}

// The texts printed on a surface, in order, joined by '|'.
QString printedOn(const QStringList& lines, const QString& surface) {
    QStringList texts;
    for (const QString& l : lines)
        if (l.startsWith(surface + QStringLiteral(" Print "))) texts << l.section('"', 1, 1);
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
        QTest::addColumn<QString>("settings");
        QTest::addColumn<bool>("setColors"); // SetColors called after start-up
        QTest::addColumn<Colors>("colors");
        const Colors start = {kWhite, kBlack, kWhite, kWhite, kWhite, kWhite, kWhite, kDarkBlue};
        const Colors set = {kPaleYellow, kBlack,     kPaleYellow, kPaleYellow,
                            kPaleYellow, kLightGrey, kWhite,      kDarkBlue};
        QTest::newRow("empty store") << "" << false << start;
        QTest::newRow("stored values")
            << "BkgChart=255;BkgRulers=65280;BkgTech1=16711680;BkgTech2=8421504;BkgTech3=0;"
               "BkgBuySell=12910591;BkgRulersText=65535"
            << false
            << Colors{0x0000FF, 0x00FF00, 0xFF0000, 0x808080, 0, 0xC4FFFF, 0x00FFFF, 0x00FF00};
        QTest::newRow("not numbers")
            << "BkgChart=red;BkgRulers=x;BkgRulersText=0x00FF;BkgTech1=;BkgTech2= " << false
            << start;
        // The largest 24-bit colour is taken; one above it, negative ones (taken as they are,
        // -2 would be rgb(254,255,255)) and those beyond 32 bits are not.
        QTest::newRow("largest") << "BkgRulers=16777215" << false << Colors(8, kWhite);
        QTest::newRow("out of range")
            << "BkgChart=-2;BkgRulers=16777216;BkgTech1=99999999999;BkgTech2=-16777215" << false
            << start;
        // Whole numbers are read rounding halves to even: 254.5 -> 254, 255.5 -> 256.
        QTest::newRow("fractions")
            << "BkgChart=254.5;BkgTech1=255.5" << false
            << Colors{254, kBlack, 256, kWhite, kWhite, kWhite, kWhite, kDarkBlue};
        QTest::newRow("SetColors, empty store") << "" << true << set;
        QTest::newRow("SetColors, stored values win")
            << "BkgChart=255;BkgTech1=255;BkgTech2=255;BkgTech3=255;BkgBuySell=0;BkgRulers=1"
            << true << Colors{255, 1, 255, 255, 255, kBlack, kWhite, 1};
        QTest::newRow("SetColors, bad values")
            << "BkgChart=-5;BkgTech1=abc;BkgTech2=;BkgTech3=16777216;BkgBuySell=1e99" << true
            << set;
    }
    void colours() {
        QFETCH(QString, settings);
        QFETCH(bool, setColors);
        QFETCH(Colors, colors);
        const auto w = makeChart(settings);
        w->startRecording();
        const QStringList surfaces = {"Picture1", "PriceRuler", "Picture2", "Picture3", "Picture4"};
        if (setColors) {
            // Nothing is drawn: the pictures show their new back colour plain.
            w->SetColors();
            QCOMPARE(w->recordedDrawCalls(), QStringList());
            for (int i = 0; i < 5; ++i)
                QCOMPARE(child(*w, surfaces[i])->grab().toImage().pixelColor(5, 5),
                         qcolor(colors[i]));
        }
        // A redraw paints each surface in its back colour, the ruler labels in the text colour.
        w->redraw();
        const QStringList calls = w->recordedDrawCalls();
        for (int i = 0; i < 5; ++i)
            QCOMPARE(firstColor(calls, surfaces[i], "Cls"), rgbText(colors[i]));
        for (const char* r : {"PriceRuler", "DateRuler", "TechRuler1", "TechRuler2", "TechRuler3"})
            QCOMPARE(firstColor(calls, r, "Cls") + firstColor(calls, r, "Print"),
                     rgbText(colors[1]) + rgbText(colors[6]));
        // The lower margin band of each pane, coloured by "BkgRulers" whatever SetColors does:
        // 8750 twips wide, from the pane's bottom (H / 9 = 1000) 50 twips up.
        for (const QString p : {"Picture2", "Picture3", "Picture4"}) {
            const QString lower = p + " Box 0 1000 8750 950 ";
            QCOMPARE(calls.filter(lower).value(0),
                     lower + "color=" + rgbText(colors[7]) + " mode=13");
        }
        QCOMPARE(child(*w, "ListView1")->palette().color(QPalette::Base), qcolor(colors[5]));
        for (const char* label : {"CaptionLabel", "ChangeLabel"})
            QCOMPARE(child(*w, label)->palette().color(QPalette::Window), qcolor(colors[1]));
        QCOMPARE(child(*w, "CaptionLabel")->palette().windowText().color(), qcolor(colors[6]));
    }

    // The panes' kinds and periods as read at start-up, seen as "Apply now" saves them back.
    // Defaults: kinds 1, 3, 6; 14 RSI, 5 MACD signal, 12 momentum and 10 money flow periods.
    // The window's extremes read as properties; a window that cannot be read gives 0, never an
    // exception. ORCL.csv: days 1 and 2 reach 45.56 and 45.66, down to 44.97 and 45.29.
    void priceProperties_data() {
        QTest::addColumn<int>("s");
        QTest::addColumn<int>("e");
        QTest::addColumn<float>("highest");
        QTest::addColumn<float>("lowest");
        QTest::newRow("days 1..2") << 1 << 2 << 45.66f << 44.97f;
        QTest::newRow("day 0") << 0 << 2 << 0.0f << 0.0f;
        QTest::newRow("-32768..32767") << -32768 << 32767 << 0.0f << 0.0f;
        QTest::newRow("day 6000") << 6000 << 6000 << 0.0f << 0.0f;
    }
    void priceProperties() {
        QFETCH(int, s);
        QFETCH(int, e);
        QFETCH(float, highest);
        QFETCH(float, lowest);
        const auto w = makeChart();
        w->setStarting_date_local(qint16(s));
        w->setEnding_date_local(qint16(e));
        QCOMPARE(w->property("MaximumPrice").toFloat(), highest);
        QCOMPARE(w->property("MinimumPrice").toFloat(), lowest);
    }

    void storedPanes_data() {
        QTest::addColumn<QString>("stored"); // key=text
        QTest::addColumn<int>("held");
        QTest::newRow("period") << "2MACDperiods3=300" << 300;
        QTest::newRow("kind") << "Tech2=10" << 10;
        QTest::newRow("kind outside the list") << "Tech2=12" << 12;
        QTest::newRow("blanks around") << "3MoneyFlowperiods= 30 " << 30;
        QTest::newRow("half to even") << "1RSI_periods=10.5" << 10;
        QTest::newRow("16-bit top") << "3Momentumperiods=32767" << 32767;
        QTest::newRow("beyond 16 bits") << "3Momentumperiods=32768" << 12;
        QTest::newRow("16-bit bottom") << "1RSI_periods=-32768" << -32768;
        QTest::newRow("below 16 bits") << "1RSI_periods=-32769" << 14;
        // A number is a kind even beyond 16 bits: outside 1..10, an empty pane, kept as 0.
        QTest::newRow("kind beyond 16 bits") << "Tech1=40000" << 0;
        QTest::newRow("kind 1e9") << "Tech1=1e9" << 0;
        QTest::newRow("not a number") << "Tech1=abc" << 1;
        QTest::newRow("empty text") << "2RSI_periods=" << 14;
        QTest::newRow("huge") << "2RSI_periods=1e9" << 14;
    }
    void storedPanes() {
        QFETCH(QString, stored);
        QFETCH(int, held);
        const auto w = makeChart(stored);
        child<QPushButton>(*w, "Command1")->click();
        QCOMPARE(storeOf(*w).value(stored.section('=', 0, 0)), QString::number(held));
    }

    void startUp() {
        // The user's store, application "Tavik5", section "Settings".
        QSettings user(QSettings::NativeFormat, QSettings::UserScope, "Tavik5", "Tavik5");
        if (!user.fileName().contains(QStringLiteral(".qttest"))) QSKIP("not the test location");
        user.setValue(QStringLiteral("Settings/Tech1"), QStringLiteral("4"));
        user.sync();
        sharedOverlaySettings().custom_ma_periods = 50;
        TKchart w;
        user.remove(QStringLiteral("Settings/Tech1"));
        QCOMPARE(w.TechInd1(), qint16(4));
        QCOMPARE(child<QComboBox>(w, "Combo_1")->currentIndex(), 3);
        // A new control resets the overlay settings every control shares.
        QCOMPARE(sharedOverlaySettings().custom_ma_periods, std::int16_t(20));
        QCOMPARE(QList<int>({w.starting_date_local(), w.ending_date_local(), w.buy_number(),
                             w.sell_number()}),
                 QList<int>({1, 200, 0, 0}));
        QCOMPARE(QList<bool>({w.MA10(), w.MA50(), w.MA200(), w.MACustom(),
                              w.isVerticalLineDisplayed(), w.isHorizontalLineDisplayed()}),
                 QList<bool>({true, true, true, false, false, false}));
        // useSettings moves the control to a store of its own and reads it again.
        w.useSettings(Settings{{"Tech1", "9"}});
        QCOMPARE(w.TechInd1(), qint16(9));
        QCOMPARE(child<QComboBox>(w, "Combo_1")->currentIndex(), 8);
    }

    // Each child's place in twips at 800 x 600 pixels (W = 12000, H = 9000: 2H/3 = 6000,
    // H/9 = 1000) and after a resize to 250 x 160 (W = 3750, H = 2400: 2H/3 = 1600, H/9 =
    // 266.7), where a child that would get a negative size keeps its place. Children of the
    // tab strip are placed relative to it, Command1 relative to Frame2.
    void layout_data() {
        QTest::addColumn<QRectF>("big");
        QTest::addColumn<QRectF>("small");
        const double n = 2400.0 / 9;
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
        QTest::newRow("Picture2") << QRectF(650, 6000, 8750, 1000) << QRectF(650, 6 * n, 500, n);
        QTest::newRow("Picture3") << QRectF(650, 7000, 8750, 1000) << QRectF(650, 7 * n, 500, n);
        QTest::newRow("Picture4") << QRectF(650, 8000, 8750, 1000) << QRectF(650, 8 * n, 500, n);
        QTest::newRow("TechRuler1") << QRectF(0, 6000, 650, 1000) << QRectF(0, 6 * n, 650, n);
        QTest::newRow("TechRuler2") << QRectF(0, 7000, 650, 1000) << QRectF(0, 7 * n, 650, n);
        QTest::newRow("TechRuler3") << QRectF(0, 8000, 650, 1000) << QRectF(0, 8 * n, 650, n);
    }
    void layout() {
        QFETCH(QRectF, big);
        QFETCH(QRectF, small);
        const auto w = makeChart({}, {});
        const QString name = QTest::currentDataTag();
        QCOMPARE(testing::childTwipGeometry(*w, name), big);
        w->resize(250, 160);
        QCOMPARE(testing::childTwipGeometry(*w, name), small);
    }

    // A resize redraws every step. ORCL, days 1..200 (19-Mar-14 .. 31-Dec-14): lows and highs
    // from 35.82 to 46.71, the largest volume 86,679,100.
    void fullRedraw() {
        const auto w = makeChart();
        w->startRecording();
        w->resize(801, 600);
        const QStringList calls = w->recordedDrawCalls();
        QCOMPARE(calls.value(0), "Picture1 Cls color=rgb(255,255,255)"); // Clear comes first
        // A range of 10.89 dollars takes the 2.5 step.
        QCOMPARE(printedOn(calls, "PriceRuler"), "$ 35|$ 37.5|$ 40|$ 42.5|$ 45");
        // Each month beginning in the window, July with its year.
        QCOMPARE(printedOn(calls, "DateRuler"), "Apr|May|Jun|Jul,14|Aug|Sep|Oct|Nov|Dec");
        // The bars: a high-low line and a close tick in black for each of the 200 days.
        QCOMPARE(calls.filter("Picture1 Line ").filter("color=rgb(0,0,0) ").size(), 400);
        QCOMPARE(printedOn(calls, "TechRuler1"), "86.7 M|43.3 M|0"); // volume, half of it, 0
    }

    // DrawComplete comes with every full redraw (a resize, new settings, "Apply now"), not with
    // the chart alone. The layout's own tab switching is no tab click: the user's first click
    // widens the indicator lists from 10 entries to 12.
    void drawCompleteAndTabClick() {
        const auto w = makeChart();
        QSignalSpy drawn(w.get(), &TKchart::DrawComplete);
        w->resize(700, 500);
        QCOMPARE(drawn.count(), 1);
        qint16 s = 1, e = 200;
        w->DisplayChart(s, e);
        w->useSettings({{"Tech2", "2"}});
        QCOMPARE(drawn.count(), 2);
        child<QPushButton>(*w, "Command1")->click();
        QCOMPARE(drawn.count(), 3);
        auto* list = child<QComboBox>(*w, "Combo_1");
        QCOMPARE(list->maxVisibleItems(), 10);
        QTabBar* bar = child<QTabWidget>(*w, "SSTab1")->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
        QCOMPARE(list->maxVisibleItems(), 12);
    }

    // "Apply now": the periods saved, the chart redrawn, then the kinds saved. A redraw that
    // fails leaves the kinds unsaved and tells the user so.
    void applyNow_data() {
        QTest::addColumn<int>("first"); // the window: days first .. first + 100
        QTest::addColumn<QStringList>("kinds");
        QTest::addColumn<QString>("labels"); // the top labels of panes 1 and 3
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("redrawn") << 1 << QStringList{"7", "2", "7"} << "7.00|26.00"
                                 << QStringList();
        QTest::newRow("redraw fails past day 2999")
            << 2990 << QStringList{"", "", ""} << "|"
            << QStringList{"The new periods are saved, but the chart could not be drawn with "
                           "them, so the indicator choices were not saved.\n\nThe 10-day moving "
                           "average cannot be drawn over days 2990 to 3090: day 3001 is beyond "
                           "the 3000 days an average or indicator is worked out over"};
    }
    void applyNow() {
        QFETCH(int, first);
        QFETCH(QStringList, kinds);
        QFETCH(QString, labels);
        QFETCH(QStringList, messages);
        const auto w = makeChart();
        // Closes falling one a day into the past: momentum over P days is P on every day, so
        // the top label of a momentum pane names its period.
        std::vector<test::Day> line;
        for (int d = 1; d <= 3200; ++d)
            line.push_back({4001.0f - d, 3999.0f - d, 4000.0f - d});
        test::fillSeries(TKchartPrivate::of(*w).core.state().series, line);
        RecordingPrompts prompts;
        w->setPrompts(&prompts);
        w->setStarting_date_local(qint16(first));
        w->setEnding_date_local(qint16(first + 100));
        // Momentum 7, RSI 20 and Momentum 25.5, taken as 26.
        for (const auto& [p, kind, text] : {std::tuple{1, 7, "7"}, {2, 2, "20"}, {3, 7, "25.5"}}) {
            child<QComboBox>(*w, QStringLiteral("Combo_%1").arg(p))->setCurrentIndex(kind - 1);
            child<QLineEdit>(*w, QStringLiteral("Text1_%1").arg(p))->setText(text);
        }
        w->startRecording();
        child<QPushButton>(*w, "Command1")->click();
        const MemorySettingsStore& store = storeOf(*w);
        QCOMPARE(QStringList({store.value("1Momentumperiods"), store.value("2RSI_periods"),
                              store.value("3Momentumperiods")}),
                 QStringList({"7", "20", "26"}));
        QCOMPARE(QStringList({store.value("Tech1"), store.value("Tech2"), store.value("Tech3")}),
                 kinds);
        const QStringList calls = w->recordedDrawCalls();
        QCOMPARE(printedOn(calls, "TechRuler1").section('|', 0, 0) + '|' +
                     printedOn(calls, "TechRuler3").section('|', 0, 0),
                 labels);
        QCOMPARE(prompts.messages, messages);
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
        // AAPL_L.csv: the name line "Apple Inc. USD" less its last four characters; 511 lines
        // less 5 header lines are 506 days, day 1 is 2017-02-16 and day 200 2016-05-04.
        bool today = true;
        QCOMPARE(w.ReadDataFile(QStringLiteral("aapl_l"), today), QVariant());
        QCOMPARE(today, false);
        QCOMPARE(w.ticker_name(), QStringLiteral("aapl_l"));
        QCOMPARE(w.property("CompanyName").toString(), QStringLiteral("Apple Inc."));
        QCOMPARE(w.loadedDays(), qint16(506));
        QCOMPARE(w.StartingDate() + '|' + w.EndingDate(), "2017-02-16|2016-05-04");
        // A ticker without a file loads no day and empties the caption.
        w.ReadDataFile(QStringLiteral("NO_SUCH"));
        QCOMPARE(w.loadedDays(), qint16(0));
        QCOMPARE(w.CompanyName(), QString());
        // Clear paints six surfaces: the chart and the five rulers. Recording can stop, and
        // starts afresh.
        w.startRecording();
        w.Clear();
        w.stopRecording();
        w.Clear();
        QCOMPARE(w.recordedDrawCalls().size(), 6);
        w.startRecording();
        QCOMPARE(w.recordedDrawCalls().size(), 0);
        // AAPL.csv: day 3 is 14-Feb-17. DisplayChart, also called by name, lowers the
        // caller's ending day to its 506 days.
        w.ReadDataFile(QStringLiteral("AAPL"));
        QCOMPARE(w.ConvertDateToInteger(QStringLiteral("14-Feb-17")), qint16(3));
        qint16 s = 1, e = 600;
        w.DisplayChart(s, e);
        QCOMPARE(QList<int>({e, w.ending_date_local()}), QList<int>({506, 506}));
        e = 700;
        QVERIFY(
            QMetaObject::invokeMethod(&w, "DisplayChart", Q_ARG(qint16&, s), Q_ARG(qint16&, e)));
        QCOMPARE(e, qint16(506));
        QCOMPARE(w.GetMaximumPrice(1, 1), 135.90f); // AAPL.csv day 1: High 135.90
        // A failure reaches the host as the control's one exception type.
        try {
            w.GetMaximumPrice(6000, 6000);
            QFAIL("day 6000 lies beyond the 5000 days a series holds");
        } catch (const TKchartError& error) {
            QCOMPARE(error.kind(), TKchartError::Kind::IndexOutOfRange);
        }
    }
};

QTEST_MAIN(TestControl)
#include "tst_control.moc"
