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
using Colors = QList<Color>; // chart, rulers, pane 1, pane 2, pane 3, list, ruler text

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

// Periods in key order: RSI, FS D/K, SS D/K, ExpMA 1/2, MACD 1-3, momentum, volatility 1/2, MFI.
QString periodsOf(const IndicatorSettings& s) {
    return QString::asprintf("%d %d %d %d %d %d %d %d %d %d %d %d %d %d", s.rsi_periods,
                             s.fs_periods_d, s.fs_periods_k, s.ss_periods_d, s.ss_periods_k,
                             s.exp_ma_periods1, s.exp_ma_periods2, s.macd_periods1, s.macd_periods2,
                             s.macd_periods3, s.momentum_periods, s.volatility_periods1,
                             s.volatility_periods2, s.money_flow_periods);
}

QColor qcolor(Color c) { return QColor(redOf(c), greenOf(c), blueOf(c)); }
QString rgbText(Color c) {
    return QStringLiteral("rgb(%1,%2,%3)").arg(redOf(c)).arg(greenOf(c)).arg(blueOf(c));
}

// The colour field of the first recorded call of this operation on this surface.
QString firstColor(const QStringList& lines, const QString& surface, const QString& op) {
    for (const QString& l : lines)
        if (l.startsWith(surface + ' ' + op + ' ')) {
            const qsizetype at = l.indexOf(QStringLiteral("color="));
            return l.mid(at + 6, l.indexOf(')', at) - at - 5);
        }
    return {};
}

template <typename W = QWidget> W* child(const TKchart& w, const QString& name) {
    W* c = w.findChild<W*>(name);
    if (!c) qFatal("no child %s", qPrintable(name));
    return c;
}

struct RecordingPrompts : Prompts {
    QStringList messages;
    void message(const QString& text, MessageIcon) override { messages << text; }
    bool confirm(const QString&) override { return true; }
};

constexpr Color kWhite = 0xFFFFFF, kBlack = 0, kPaleYellow = 0xC4FFFF, kLightGrey = 0xEFEFEF;

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
        const Colors start = {kWhite, kBlack, kWhite, kWhite, kWhite, kWhite, kWhite};
        const Colors set = {kPaleYellow, kBlack,     kPaleYellow, kPaleYellow,
                            kPaleYellow, kLightGrey, kWhite};
        QTest::newRow("empty store") << "" << false << start;
        QTest::newRow("stored values")
            << "BkgChart=255;BkgRulers=65280;BkgTech1=16711680;BkgTech2=8421504;BkgTech3=0;"
               "BkgBuySell=12910591;BkgRulersText=65535"
            << false << Colors{0x0000FF, 0x00FF00, 0xFF0000, 0x808080, 0, 0xC4FFFF, 0x00FFFF};
        QTest::newRow("not a number")
            << "BkgChart=red;BkgRulers=x;BkgRulersText=0x00FF" << false << start;
        QTest::newRow("empty text") << "BkgChart=;BkgTech2= " << false << start;
        // Taken as they are, -2 would be rgb(254,255,255) and -16777215 rgb(1,0,0).
        QTest::newRow("negative") << "BkgChart=-2;BkgRulers=-16777215" << false << start;
        // One above the largest 24-bit colour, and one beyond 32 bits.
        QTest::newRow("huge") << "BkgChart=16777216;BkgTech1=99999999999" << false << start;
        // Whole numbers are read rounding halves to even: 254.5 -> 254, 255.5 -> 256.
        QTest::newRow("fractions") << "BkgChart=254.5;BkgTech1=255.5" << false
                                   << Colors{254, kBlack, 256, kWhite, kWhite, kWhite, kWhite};
        QTest::newRow("SetColors, empty store") << "" << true << set;
        QTest::newRow("SetColors, stored values win")
            << "BkgChart=255;BkgTech1=255;BkgTech2=255;BkgTech3=255;BkgBuySell=0" << true
            << Colors{255, kBlack, 255, 255, 255, kBlack, kWhite};
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
        w->resize(801, 600);
        const QStringList calls = w->recordedDrawCalls();
        for (int i = 0; i < 5; ++i)
            QCOMPARE(firstColor(calls, surfaces[i], "Cls"), rgbText(colors[i]));
        for (const char* r : {"PriceRuler", "DateRuler", "TechRuler1", "TechRuler2", "TechRuler3"})
            QCOMPARE(firstColor(calls, r, "Cls") + firstColor(calls, r, "Print"),
                     rgbText(colors[1]) + rgbText(colors[6]));
        QCOMPARE(child(*w, "ListView1")->palette().color(QPalette::Base), qcolor(colors[5]));
        for (const char* label : {"CaptionLabel", "ChangeLabel"})
            QCOMPARE(child(*w, label)->palette().color(QPalette::Window), qcolor(colors[1]));
        QCOMPARE(child(*w, "CaptionLabel")->palette().windowText().color(), qcolor(colors[6]));
    }

    void panesFromSettings_data() {
        QTest::addColumn<QString>("settings");
        QTest::addColumn<QList<int>>("kinds");
        QTest::addColumn<QList<int>>("chosen");   // list position of Combo_1..3
        QTest::addColumn<QStringList>("periods"); // of panes 1..3, as periodsOf() lists them
        const QString d = "14 5 5 5 5 10 15 12 26 5 12 10 10 10";
        QTest::newRow("empty store")
            << "" << QList<int>{1, 3, 6} << QList<int>{0, 2, 5} << QStringList{d, d, d};
        QTest::newRow("stored values")
            << "Tech1=2;Tech2=5;Tech3=10;1RSI_periods=9;2MACDperiods1=3;2MACDperiods3=300;"
               "3MoneyFlowperiods=20;3FS_periodsK=7"
            << QList<int>{2, 5, 10} << QList<int>{1, 4, 9}
            << QStringList{"9 5 5 5 5 10 15 12 26 5 12 10 10 10",
                           "14 5 5 5 5 10 15 3 26 300 12 10 10 10",
                           "14 5 7 5 5 10 15 12 26 5 12 10 10 20"};
        QTest::newRow("kind outside the list")
            << "Tech2=12" << QList<int>{1, 12, 6} << QList<int>{0, -1, 5} << QStringList{d, d, d};
        QTest::newRow("bad values")
            << "Tech1=abc;Tech3=;1RSI_periods=40000;2RSI_periods=1e9;3RSI_periods=x1;"
               "1MACDperiods2= 30 "
            << QList<int>{1, 3, 6} << QList<int>{0, 2, 5}
            << QStringList{"14 5 5 5 5 10 15 12 30 5 12 10 10 10", d, d};
        // Negative values fit in 16 bits and are taken as stored.
        QTest::newRow("negative") << "Tech1=-1;2FS_periodsD=-5" << QList<int>{-1, 3, 6}
                                  << QList<int>{-1, 2, 5}
                                  << QStringList{d, "14 -5 5 5 5 10 15 12 26 5 12 10 10 10", d};
    }
    void panesFromSettings() {
        QFETCH(QString, settings);
        QFETCH(QList<int>, kinds);
        QFETCH(QList<int>, chosen);
        QFETCH(QStringList, periods);
        TKchart w(settingsOf(settings));
        QCOMPARE(QList<int>({w.TechInd1(), w.TechInd2(), w.TechInd3()}), kinds);
        for (int p = 1; p <= 3; ++p) {
            auto* combo = child<QComboBox>(w, QStringLiteral("Combo_%1").arg(p));
            QCOMPARE(combo->count(), 10);
            QCOMPARE(combo->currentIndex(), chosen[p - 1]);
            QCOMPARE(periodsOf(TKchartPrivate::of(w).core.state().pane(p)), periods[p - 1]);
        }
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
        // A new control resets the overlay settings every control shares.
        QCOMPARE(sharedOverlaySettings().custom_ma_periods, std::int16_t(20));
        QCOMPARE(QList<int>({w.starting_date_local(), w.ending_date_local(), w.buy_number(),
                             w.sell_number()}),
                 QList<int>({1, 200, 0, 0}));
        QCOMPARE(QList<bool>({w.MA10(), w.MA50(), w.MA200(), w.MACustom(),
                              w.isVerticalLineDisplayed(), w.isHorizontalLineDisplayed()}),
                 QList<bool>({true, true, true, false, false, false}));
        auto* tabs = child<QTabWidget>(w, "SSTab1");
        QCOMPARE(tabs->tabText(0) + '|' + tabs->tabText(1), "Indicators|Transactions");
        // useSettings moves the control to a store of its own and reads it again.
        w.useSettings(Settings{{"Tech1", "9"}});
        QCOMPARE(w.TechInd1(), qint16(9));
        QCOMPARE(child<QComboBox>(w, "Combo_1")->currentIndex(), 8);
    }

    void layout_data() {
        QTest::addColumn<QSize>("px");     // resized to from 800 x 600 pixels; empty: not resized
        QTest::addColumn<QRectF>("twips"); // of the child named last in the tag
        // 800 x 600 pixels: W = 12000, H = 9000; 2H/3 = 6000, H/9 = 1000, W - 3250 = 8750.
        QTest::newRow("SSTab1") << QSize() << QRectF(9500, 0, 2500, 9000);
        QTest::newRow("ListView1") << QSize() << QRectF(30, 345, 2415, 7525);
        QTest::newRow("SumGain") << QSize() << QRectF(120, 8100, 2295, 255);
        QTest::newRow("CumGain") << QSize() << QRectF(120, 8500, 2295, 255);
        QTest::newRow("Frame2") << QSize() << QRectF(100, 400, 2300, 8500);
        // Command1 keeps its designed left edge and size (240, 1815 x 315).
        QTest::newRow("Command1") << QSize() << QRectF(240, 8000, 1815, 315);
        QTest::newRow("CaptionLabel") << QSize() << QRectF(0, 0, 7000, 220);
        QTest::newRow("ChangeLabel") << QSize() << QRectF(7000, 0, 2400, 220);
        QTest::newRow("Picture1") << QSize() << QRectF(650, 220, 8750, 5480);
        QTest::newRow("Picture2") << QSize() << QRectF(650, 6000, 8750, 1000);
        QTest::newRow("Picture3") << QSize() << QRectF(650, 7000, 8750, 1000);
        QTest::newRow("Picture4") << QSize() << QRectF(650, 8000, 8750, 1000);
        QTest::newRow("PriceRuler") << QSize() << QRectF(0, 220, 650, 5480);
        QTest::newRow("DateRuler") << QSize() << QRectF(650, 5700, 8750, 300);
        QTest::newRow("TimeForward") << QSize() << QRectF(326, 5700, 320, 300);
        QTest::newRow("TimeBackward") << QSize() << QRectF(0, 5700, 325, 300);
        QTest::newRow("TechRuler1") << QSize() << QRectF(0, 6000, 650, 1000);
        QTest::newRow("TechRuler2") << QSize() << QRectF(0, 7000, 650, 1000);
        QTest::newRow("TechRuler3") << QSize() << QRectF(0, 8000, 650, 1000);
        // 1 x 1 pixel: W = H = 15; children that would get a negative size keep their place.
        QTest::newRow("1x1 SSTab1") << QSize(1, 1) << QRectF(-2485, 0, 2500, 15);
        QTest::newRow("1x1 kept Picture1") << QSize(1, 1) << QRectF(650, 220, 8750, 5480);
        QTest::newRow("1x1 ChangeLabel") << QSize(1, 1) << QRectF(-4985, 0, 2400, 220);
        QTest::newRow("1x1 TimeForward") << QSize(1, 1) << QRectF(326, -290, 320, 300); // 10 - 300
        QTest::newRow("1x1 TechRuler3") << QSize(1, 1) << QRectF(0, 8.0 * 15 / 9, 650, 15.0 / 9);
        // 8000 x 6000 pixels: W = 120000, H = 90000.
        QTest::newRow("8000x6000 Picture1") << QSize(8000, 6000) << QRectF(650, 220, 116750, 59480);
        QTest::newRow("8000x6000 SSTab1") << QSize(8000, 6000) << QRectF(117500, 0, 2500, 90000);
    }
    void layout() {
        QFETCH(QSize, px);
        QFETCH(QRectF, twips);
        const auto w = makeChart();
        QSignalSpy drawn(w.get(), &TKchart::DrawComplete);
        if (px.isValid()) w->resize(px);
        QCOMPARE(testing::childTwipGeometry(*w, QString(QTest::currentDataTag()).section(' ', -1)), twips);
        // A resize redraws once, to the end, on whatever sizes the surfaces have.
        QCOMPARE(drawn.count(), px.isValid() ? 1 : 0);
        w->resize(800, 600);
        QCOMPARE(testing::childTwipGeometry(*w, "Picture1"), QRectF(650, 220, 8750, 5480));
    }

    void layoutPixels() {
        const auto w = makeChart();
        // 650/15 = 43.3 -> 43, 220/15 = 14.7 -> 15, 8750/15 = 583.3 -> 583, 5480/15 -> 365.
        QCOMPARE(child(*w, "Picture1")->geometry(), QRect(43, 15, 583, 365));
        // The surfaces keep their exact twip size: the panes' margin bands span 8750 x 1000.
        w->startRecording();
        w->DisplayTechnicalIndicators(1, 3, 6);
        for (const char* p : {"Picture2", "Picture3", "Picture4"})
            QVERIFY(w->recordedDrawCalls().contains(QString(p) + " Box 0 1000 8750 950 "
                                                                 "color=rgb(0,0,52) mode=13"));
        // Placed relative to the tab strip, headers included: 100/15 = 6.7 -> 7, 400/15 -> 27.
        QCOMPARE(child(*w, "Frame2")->mapTo(child(*w, "SSTab1"), QPoint(0, 0)), QPoint(7, 27));
    }

    void drawComplete_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("raised");
        QTest::addColumn<bool>("widened"); // the indicator lists show 12 entries, not 10
        // The layout's own tab switching is not a tab click.
        QTest::newRow("resize") << "resize" << 1 << false;
        QTest::newRow("DisplayTechnicalIndicators(1, 0, 11)") << "indicators" << 1 << false;
        QTest::newRow("DisplayChart") << "chart" << 0 << false;
        QTest::newRow("SetColors") << "colors" << 0 << false;
        QTest::newRow("useSettings") << "settings" << 1 << false;
        QTest::newRow("Apply now") << "apply" << 1 << false;
        QTest::newRow("first tab click") << "tab" << 0 << true;
    }
    void drawComplete() {
        QFETCH(QString, action);
        QFETCH(int, raised);
        QFETCH(bool, widened);
        const auto w = makeChart();
        QSignalSpy drawn(w.get(), &TKchart::DrawComplete);
        qint16 s = 1, e = 200;
        QTabBar* bar = child<QTabWidget>(*w, "SSTab1")->tabBar();
        if (action == "resize") w->resize(700, 500);
        if (action == "indicators") w->DisplayTechnicalIndicators(1, 0, 11);
        if (action == "chart") w->DisplayChart(s, e);
        if (action == "colors") w->SetColors();
        if (action == "settings") w->useSettings({{"Tech2", "2"}});
        if (action == "apply") child<QPushButton>(*w, "Command1")->click();
        if (action == "tab") QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
        QCOMPARE(drawn.count(), raised);
        QCOMPARE(child<QComboBox>(*w, "Combo_1")->maxVisibleItems(), widened ? 12 : 10);
    }

    // "Apply now": periods saved, the chart redrawn, then the kinds saved. A redraw that fails
    // leaves the kinds unsaved and tells the user so.
    void applyNow_data() {
        QTest::addColumn<int>("first");
        QTest::addColumn<bool>("redrawn");
        QTest::newRow("saved and redrawn") << 1 << true;
        QTest::newRow("redraw fails past day 2999") << 2990 << false;
    }
    void applyNow() {
        QFETCH(int, first);
        QFETCH(bool, redrawn);
        // Closes falling one a day into the past: momentum over P days is P on every day,
        // so the top label of a momentum pane names its period.
        QTemporaryDir dir;
        QFile file(dir.filePath("LINE.csv"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Date,Open,High,Low,Close,Volume\n");
        for (int d = 1; d <= 3200; ++d)
            file.write(QString("%1,0,%2,%3,%4,1000\n")
                           .arg(QDate(2020, 1, 1).addDays(-d).toString(Qt::ISODate))
                           .arg(4001 - d)
                           .arg(3999 - d)
                           .arg(4000 - d)
                           .toLatin1());
        file.close();
        qputenv("TK5CHCTL_HIST_DIR", dir.path().toLocal8Bit());
        const auto w = makeChart({}, "LINE");
        qputenv("TK5CHCTL_HIST_DIR", test::sampleHistDir().toLocal8Bit());
        RecordingPrompts prompts;
        w->setPrompts(&prompts);
        w->setStarting_date_local(qint16(first));
        w->setEnding_date_local(qint16(first + 100));
        // Momentum 7, RSI 20 and Momentum 25.5 (stored as 26).
        for (const auto& [p, kind, text] : {std::tuple{1, 7, "7"}, {2, 2, "20"}, {3, 7, "25.5"}}) {
            child<QComboBox>(*w, QStringLiteral("Combo_%1").arg(p))->setCurrentIndex(kind - 1);
            child<QLineEdit>(*w, QStringLiteral("Text1_%1").arg(p))->setText(text);
        }
        w->startRecording();
        child<QPushButton>(*w, "Command1")->click();
        const auto& store =
            dynamic_cast<const MemorySettingsStore&>(*TKchartPrivate::of(*w).store);
        // 14 periods per pane, then the three kinds: 45 keys.
        QCOMPARE(store.values().size(), redrawn ? 45 : 42);
        for (const QString& kv : QString("1Momentumperiods=7 2RSI_periods=20 3Momentumperiods=26 "
                                         "1RSI_periods=14 3FS_periodsD=5 Tech1=7 Tech2=2 Tech3=7")
                                     .split(' '))
            if (redrawn || !kv.startsWith("Tech"))
                QCOMPARE(store.value(kv.section('=', 0, 0)), kv.section('=', 1));
        QCOMPARE(QList<int>({w->TechInd1(), w->TechInd2(), w->TechInd3()}),
                 QList<int>({7, 2, 7}));
        // The chart was cleared and drawn again, the panes with their new periods.
        const QStringList calls = w->recordedDrawCalls();
        QVERIFY(calls.first().startsWith("Picture1 Cls "));
        for (const char* label : {"TechRuler1 Print 50 25 \"7.00\"", "TechRuler3 Print 50 25 \"26.00\""})
            QCOMPARE(calls.filter(label).size(), redrawn ? 1 : 0);
        QCOMPARE(prompts.messages.size(), redrawn ? 0 : 1);
        if (!redrawn)
            QVERIFY2(prompts.messages[0].contains("indicator choices were not saved") &&
                         prompts.messages[0].contains("day 3001"),
                     qPrintable(prompts.messages[0]));
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

    void readDataFile_data() {
        QTest::addColumn<QString>("ticker");
        QTest::addColumn<QString>("found"); // company name | the newest day, the first data line
        QTest::newRow("short header") << "ORCL" << QString("|31-Dec-14");
        QTest::newRow("lower case") << "orcl" << QString("|31-Dec-14");
        // The third line "Apple Inc. USD" less its last four characters.
        QTest::newRow("long header") << "AAPL_L" << QString("Apple Inc.|2017-02-16");
    }
    void readDataFile() {
        QFETCH(QString, ticker);
        QFETCH(QString, found);
        TKchart w(Settings{});
        bool today = true;
        QCOMPARE(w.ReadDataFile(ticker, today), QVariant());
        QCOMPARE(today, false);
        QCOMPARE(w.ticker_name(), ticker);
        QCOMPARE(w.property("CompanyName").toString() + '|' + w.StartingDate(), found);
    }

    void hostInterface() {
        TKchart w(Settings{{"Tech1", "2"}});
        // MaximumInput reads 0 whatever is written; with no file loaded there are no dates.
        QVERIFY(w.setProperty("MaximumInput", QVariant::fromValue<qint16>(7)));
        QCOMPARE(w.property("MaximumInput").value<qint16>(), qint16(0));
        QCOMPARE(w.StartingDate() + w.EndingDate() + w.property("EndingDate").toString(), "");
        // The host's prompts receive the control's messages.
        RecordingPrompts prompts;
        w.setPrompts(&prompts);
        child<QLineEdit>(w, "Text1_1")->setText(QStringLiteral("abc"));
        child<QPushButton>(w, "Command1")->click();
        QCOMPARE(prompts.messages, QStringList{"Numeric expression required"});
        // ORCL.csv: day 1 is 31-Dec-14, day 3 29-Dec-14, day 200 19-Mar-14.
        w.ReadDataFile(QStringLiteral("ORCL"));
        QCOMPARE(w.StartingDate() + '|' + w.EndingDate(), "31-Dec-14|19-Mar-14");
        QCOMPARE(w.ConvertDateToInteger(QStringLiteral("29-Dec-14")), qint16(3));
        // Recording: Clear paints Picture1, the three pane rulers, PriceRuler and DateRuler.
        w.startRecording();
        w.Clear();
        QStringList surfaces;
        for (const QString& l : w.recordedDrawCalls())
            surfaces << l.section(' ', 0, 1);
        QCOMPARE(surfaces.join(','), "Picture1 Cls,TechRuler1 Cls,TechRuler2 Cls,TechRuler3 Cls,"
                                     "PriceRuler Cls,DateRuler Cls");
        w.stopRecording();
        w.Clear();
        QCOMPARE(w.recordedDrawCalls().size(), 6);
        w.startRecording();
        QCOMPARE(w.recordedDrawCalls().size(), 0);
        // DisplayChart, also called by name, lowers the caller's ending day to AAPL's 506 days.
        w.ReadDataFile(QStringLiteral("AAPL"));
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
        // A ticker without a file loads no day and reports nothing.
        w.ReadDataFile(QStringLiteral("NO_SUCH_TICKER"));
        QCOMPARE(w.loadedDays(), qint16(0));
    }
};

QTEST_MAIN(TestControl)
#include "tst_control.moc"
