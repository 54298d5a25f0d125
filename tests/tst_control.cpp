// The control as a host sees it: start-up from the settings store, the colours, the layout
// of its children in twips, the redraw on resize and the programming interface.

#include "Fixtures.h"

#include "control/ChartState.h"
#include "control/TKchartPrivate.h"

#include <tk5chctl/Prompts.h>
#include <tk5chctl/TKchart.h>

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMetaMethod>
#include <QMetaProperty>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

using namespace tk5;
using Settings = QMap<QString, QString>;
using Periods = QMap<QString, int>;

namespace {

// A control of size px with these settings; loads ORCL first when asked, so the redraw of
// the first layout draws it.
std::unique_ptr<TKchart> makeChart(const Settings& settings, QSize px, bool loadOrcl = false,
                                   bool record = false) {
    auto w = std::make_unique<TKchart>(settings);
    w->setAttribute(Qt::WA_DontShowOnScreen);
    if (loadOrcl)
        w->ReadDataFile(QStringLiteral("ORCL"));
    if (record)
        w->startRecording();
    w->resize(px);
    w->show();
    return w;
}

QString rgbText(Color c) {
    return QStringLiteral("rgb(%1,%2,%3)").arg(redOf(c)).arg(greenOf(c)).arg(blueOf(c));
}

QColor qcolor(Color c) { return QColor(redOf(c), greenOf(c), blueOf(c)); }

// The colour field of the first recorded call of this operation on this surface.
QString firstColor(const QStringList& lines, const QString& surface, const QString& op) {
    const QString head = surface + QLatin1Char(' ') + op + QLatin1Char(' ');
    for (const QString& l : lines)
        if (l.startsWith(head)) {
            const qsizetype at = l.indexOf(QStringLiteral("color="));
            return l.mid(at + 6, l.indexOf(QLatin1Char(')'), at) - at - 5);
        }
    return {};
}

// A data row of ORCL.csv: day 1 is line 2.
QStringList orclDay(int day) {
    QFile f(test::sampleHistDir() + QStringLiteral("/ORCL.csv"));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    for (int line = 1; !f.atEnd(); ++line) {
        const QString text = QString::fromLatin1(f.readLine()).trimmed();
        if (line == day + 1)
            return text.split(QLatin1Char(','));
    }
    return {};
}

class RecordingPrompts : public Prompts {
public:
    void message(const QString& text, MessageIcon) override { messages << text; }
    bool confirm(const QString&) override { return true; }
    QStringList messages;
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

    void startUpColours_data() {
        QTest::addColumn<Settings>("settings");
        QTest::addColumn<Color>("chart");
        QTest::addColumn<Color>("rulers");
        QTest::addColumn<Color>("tech1");
        QTest::addColumn<Color>("tech2");
        QTest::addColumn<Color>("tech3");
        QTest::addColumn<Color>("list");
        QTest::addColumn<Color>("rulerText");
        QTest::newRow("empty store") << Settings{} << kWhite << kBlack << kWhite << kWhite
                                     << kWhite << kWhite << kWhite;
        QTest::newRow("stored values")
            << Settings{{"BkgChart", "255"},       {"BkgRulers", "65280"},
                        {"BkgTech1", "16711680"},  {"BkgTech2", "8421504"},
                        {"BkgTech3", "0"},         {"BkgBuySell", "12910591"},
                        {"BkgRulersText", "65535"}}
            << Color{0x0000FF} << Color{0x00FF00} << Color{0xFF0000} << Color{0x808080}
            << kBlack << kPaleYellow << Color{0x00FFFF};
        QTest::newRow("not a number")
            << Settings{{"BkgChart", "red"}, {"BkgRulers", "x"}, {"BkgRulersText", "0x00FF"}}
            << kWhite << kBlack << kWhite << kWhite << kWhite << kWhite << kWhite;
        QTest::newRow("empty text") << Settings{{"BkgChart", ""}, {"BkgTech2", " "}}
                                    << kWhite << kBlack << kWhite << kWhite << kWhite << kWhite
                                    << kWhite;
        // Taken as they are, -2 would be 0xFFFFFFFE (rgb(254,255,255)) and -16777215
        // 0xFF000001 (rgb(1,0,0)).
        QTest::newRow("negative") << Settings{{"BkgChart", "-2"}, {"BkgRulers", "-16777215"}}
                                  << kWhite << kBlack << kWhite << kWhite << kWhite << kWhite
                                  << kWhite;
        // 16777216 is one above the largest 24-bit colour; the other is beyond 32 bits.
        QTest::newRow("huge") << Settings{{"BkgChart", "16777216"}, {"BkgTech1", "99999999999"}}
                              << kWhite << kBlack << kWhite << kWhite << kWhite << kWhite
                              << kWhite;
        // Whole numbers are read rounding halves to even: 254.5 -> 254, 255.5 -> 256.
        QTest::newRow("fractions") << Settings{{"BkgChart", "254.5"}, {"BkgTech1", "255.5"}}
                                   << Color{254} << kBlack << Color{256} << kWhite << kWhite
                                   << kWhite << kWhite;
    }
    void startUpColours() {
        QFETCH(Settings, settings);
        QFETCH(Color, chart);
        QFETCH(Color, rulers);
        QFETCH(Color, tech1);
        QFETCH(Color, tech2);
        QFETCH(Color, tech3);
        QFETCH(Color, list);
        QFETCH(Color, rulerText);
        const auto w = makeChart(settings, QSize(800, 600), true, true);
        const QStringList calls = w->recordedDrawCalls();

        // The redraw of the first layout paints each surface in its back colour.
        QCOMPARE(firstColor(calls, "Picture1", "Cls"), rgbText(chart));
        for (const char* r : {"PriceRuler", "DateRuler", "TechRuler1", "TechRuler2", "TechRuler3"})
            QCOMPARE(firstColor(calls, r, "Cls"), rgbText(rulers));
        QCOMPARE(firstColor(calls, "Picture2", "Cls"), rgbText(tech1));
        QCOMPARE(firstColor(calls, "Picture3", "Cls"), rgbText(tech2));
        QCOMPARE(firstColor(calls, "Picture4", "Cls"), rgbText(tech3));
        // The rulers print their labels in the text colour.
        for (const char* r : {"PriceRuler", "DateRuler", "TechRuler1"})
            QCOMPARE(firstColor(calls, r, "Print"), rgbText(rulerText));

        auto* caption = w->findChild<QLabel*>("CaptionLabel");
        auto* change = w->findChild<QLabel*>("ChangeLabel");
        QVERIFY(caption && change);
        QCOMPARE(caption->palette().color(QPalette::Window), qcolor(rulers));
        QCOMPARE(change->palette().color(QPalette::Window), qcolor(rulers));
        QCOMPARE(caption->palette().color(QPalette::WindowText), qcolor(rulerText));
        QCOMPARE(w->findChild<QTreeWidget*>("ListView1")->palette().color(QPalette::Base),
                 qcolor(list));
        // What is on screen is the surface's picture.
        const QImage shown = w->findChild<QWidget*>("Picture2")->grab().toImage();
        QCOMPARE(shown.pixelColor(shown.width() / 3, shown.height() / 4), qcolor(tech1));
    }

    void setColors_data() {
        QTest::addColumn<Settings>("settings");
        QTest::addColumn<Color>("chart");
        QTest::addColumn<Color>("panes");
        QTest::addColumn<Color>("list");
        QTest::newRow("empty store") << Settings{} << kPaleYellow << kPaleYellow << kLightGrey;
        QTest::newRow("stored values win")
            << Settings{{"BkgChart", "255"}, {"BkgTech1", "255"}, {"BkgTech2", "255"},
                        {"BkgTech3", "255"}, {"BkgBuySell", "0"}}
            << Color{255} << Color{255} << kBlack;
        QTest::newRow("bad values count as the defaults")
            << Settings{{"BkgChart", "-5"}, {"BkgTech1", "abc"}, {"BkgTech2", ""},
                        {"BkgTech3", "16777216"}, {"BkgBuySell", "1e99"}}
            << kPaleYellow << kPaleYellow << kLightGrey;
    }
    void setColors() {
        QFETCH(Settings, settings);
        QFETCH(Color, chart);
        QFETCH(Color, panes);
        QFETCH(Color, list);
        const auto w = makeChart(settings, QSize(800, 600), true);
        QSignalSpy drawn(w.get(), &TKchart::DrawComplete);
        w->startRecording();
        w->SetColors();
        // SetColors draws nothing and raises no DrawComplete; the surfaces show their new
        // back colour plain until the next drawing.
        QCOMPARE(w->recordedDrawCalls(), QStringList());
        QCOMPARE(drawn.count(), 0);
        const QImage picture1 = w->findChild<QWidget*>("Picture1")->grab().toImage();
        QCOMPARE(picture1.pixelColor(100, 100), qcolor(chart));
        for (const char* p : {"Picture2", "Picture3", "Picture4"}) {
            const QImage pane = w->findChild<QWidget*>(p)->grab().toImage();
            QCOMPARE(pane.pixelColor(5, 30), qcolor(panes));
        }
        const QImage ruler = w->findChild<QWidget*>("PriceRuler")->grab().toImage();
        QCOMPARE(ruler.pixelColor(5, 5), qcolor(kBlack));
        QCOMPARE(w->findChild<QTreeWidget*>("ListView1")->palette().color(QPalette::Base),
                 qcolor(list));
        // The next redraw uses them.
        w->Clear();
        QCOMPARE(firstColor(w->recordedDrawCalls(), "Picture1", "Cls"), rgbText(chart));
    }

    void panesFromSettings_data() {
        QTest::addColumn<Settings>("settings");
        QTest::addColumn<QList<int>>("kinds");
        QTest::addColumn<QList<int>>("chosen"); // list position of Combo_1..3
        QTest::addColumn<Periods>("periods"); // keys whose period is not the default
        QTest::newRow("empty store") << Settings{} << QList<int>{1, 3, 6} << QList<int>{0, 2, 5}
                                     << Periods{};
        QTest::newRow("stored values")
            << Settings{{"Tech1", "2"},          {"Tech2", "5"},
                        {"Tech3", "10"},         {"1RSI_periods", "9"},
                        {"2MACDperiods1", "3"},  {"2MACDperiods3", "300"},
                        {"3MoneyFlowperiods", "20"}, {"3FS_periodsK", "7"}}
            << QList<int>{2, 5, 10} << QList<int>{1, 4, 9}
            << Periods{{"1RSI_periods", 9},
                                  {"2MACDperiods1", 3},
                                  {"2MACDperiods3", 300},
                                  {"3MoneyFlowperiods", 20},
                                  {"3FS_periodsK", 7}};
        QTest::newRow("kind outside the list")
            << Settings{{"Tech2", "12"}} << QList<int>{1, 12, 6} << QList<int>{0, -1, 5}
            << Periods{};
        QTest::newRow("bad values")
            << Settings{{"Tech1", "abc"},        {"Tech3", ""},
                        {"1RSI_periods", "40000"}, {"2RSI_periods", "1e9"},
                        {"3RSI_periods", "x1"},  {"1MACDperiods2", " 30 "}}
            << QList<int>{1, 3, 6} << QList<int>{0, 2, 5}
            << Periods{{"1MACDperiods2", 30}};
        // Negative values fit in 16 bits and are taken as stored.
        QTest::newRow("negative") << Settings{{"Tech1", "-1"}, {"2FS_periodsD", "-5"}}
                                  << QList<int>{-1, 3, 6} << QList<int>{-1, 2, 5}
                                  << Periods{{"2FS_periodsD", -5}};
    }
    void panesFromSettings() {
        QFETCH(Settings, settings);
        QFETCH(QList<int>, kinds);
        QFETCH(QList<int>, chosen);
        QFETCH(Periods, periods);
        TKchart w(settings);
        QCOMPARE(QList<int>({w.TechInd1(), w.TechInd2(), w.TechInd3()}), kinds);
        for (int p = 1; p <= 3; ++p) {
            auto* combo = w.findChild<QComboBox*>(QStringLiteral("Combo_%1").arg(p));
            QVERIFY(combo);
            QCOMPARE(combo->count(), 10);
            QCOMPARE(combo->currentIndex(), chosen[p - 1]);
        }
        // Every period of every pane: the stored value or the key's default.
        const std::pair<const char*, int> defaults[] = {
            {"RSI_periods", 14},      {"FS_periodsD", 5},       {"FS_periodsK", 5},
            {"SS_periodsD", 5},       {"SS_periodsK", 5},       {"ExpMAperiods1", 10},
            {"ExpMAperiods2", 15},    {"MACDperiods1", 12},     {"MACDperiods2", 26},
            {"MACDperiods3", 5},      {"Momentumperiods", 12},  {"Volatilityperiods1", 10},
            {"Volatilityperiods2", 10}, {"MoneyFlowperiods", 10}};
        const ChartState& st = TKchartPrivate::of(w).core.state();
        for (int p = 1; p <= 3; ++p) {
            const IndicatorSettings& s = st.pane(p);
            const int actual[] = {s.rsi_periods,      s.fs_periods_d,        s.fs_periods_k,
                                  s.ss_periods_d,     s.ss_periods_k,        s.exp_ma_periods1,
                                  s.exp_ma_periods2,  s.macd_periods1,       s.macd_periods2,
                                  s.macd_periods3,    s.momentum_periods,    s.volatility_periods1,
                                  s.volatility_periods2, s.money_flow_periods};
            for (size_t i = 0; i < std::size(defaults); ++i) {
                const QString key = QString::number(p) + QLatin1String(defaults[i].first);
                QCOMPARE(std::make_pair(key, actual[i]),
                         std::make_pair(key, periods.value(key, defaults[i].second)));
            }
        }
        // The Indicators tab shows the first period of each chosen indicator.
        if (QTest::currentDataTag() == QByteArray("stored values")) {
            QCOMPARE(w.findChild<QLineEdit*>("Text1_1")->text(), QStringLiteral("9"));
            QCOMPARE(w.findChild<QLineEdit*>("Text1_2")->text(), QStringLiteral("3"));
            QCOMPARE(w.findChild<QLineEdit*>("Text3_2")->text(), QStringLiteral("300"));
            QCOMPARE(w.findChild<QLineEdit*>("Text1_3")->text(), QStringLiteral("20"));
        }
    }

    void startUpState() {
        overlaySettings().custom_ma_periods = 50;
        overlaySettings().bands_width = 3;
        TKchart w(Settings{});
        // A new control resets the overlay settings every control shares.
        QCOMPARE(overlaySettings().custom_ma_periods, std::int16_t(20));
        QCOMPARE(overlaySettings().bands_width, 2.0f);
        QCOMPARE(w.starting_date_local(), qint16(1));
        QCOMPARE(w.ending_date_local(), qint16(200));
        QVERIFY(w.MA10() && w.MA50() && w.MA200() && !w.MACustom());
        QVERIFY(!w.isVerticalLineDisplayed() && !w.isHorizontalLineDisplayed());
        QCOMPARE(w.buy_number(), qint16(0));
        QCOMPARE(w.sell_number(), qint16(0));
        auto* list = w.findChild<QTreeWidget*>("ListView1");
        QCOMPARE(list->selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(list->headerItem()->text(1), QStringLiteral("Price"));
        QCOMPARE(list->headerItem()->text(3), QStringLiteral("%"));
        // Column widths in twips 344, 1191, 1535, 1085 at 15 twips per pixel.
        QCOMPARE(list->columnWidth(0), 23);
        QCOMPARE(list->columnWidth(2), 102);
        auto* tabs = w.findChild<QTabWidget*>("SSTab1");
        QCOMPARE(tabs->tabText(0), QStringLiteral("Indicators"));
        QCOMPARE(tabs->tabText(1), QStringLiteral("Transactions"));
        QCOMPARE(w.findChild<QLabel*>("SumGain")->text(), QStringLiteral("Summarized gain"));
        QCOMPARE(w.findChild<QLabel*>("CumGain")->text(), QStringLiteral("Cumulative gain"));
        QCOMPARE(w.findChild<QLabel*>("TimeBackward")->text(), QStringLiteral("<<"));
        QCOMPARE(w.findChild<QLabel*>("TimeForward")->text(), QStringLiteral(">>"));
        const QFont f = w.findChild<QLabel*>("CaptionLabel")->font();
        QVERIFY(f.bold());
        QCOMPARE(QFontInfo(f).family(), QFontInfo(QFont(QStringLiteral("Arial"))).family());
    }

    void userSettingsStore() {
        QSettings user(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tavik5"),
                       QStringLiteral("Tavik5"));
        if (!user.fileName().contains(QStringLiteral(".qttest")))
            QSKIP("the settings file is not in the test location");
        user.setValue(QStringLiteral("Settings/Tech1"), QStringLiteral("4"));
        user.sync();
        TKchart w;
        user.remove(QStringLiteral("Settings/Tech1"));
        QCOMPARE(w.TechInd1(), qint16(4));
        // useSettings moves the control to a store of its own and reads it again.
        QSignalSpy drawn(&w, &TKchart::DrawComplete);
        w.useSettings(Settings{{"Tech1", "9"}});
        QCOMPARE(w.TechInd1(), qint16(9));
        QCOMPARE(w.findChild<QComboBox*>("Combo_1")->currentIndex(), 8);
    }

    void layout_data() {
        QTest::addColumn<QString>("child");
        QTest::addColumn<QRectF>("twips");
        // 800 x 600 pixels: W = 12000, H = 9000; 2H/3 = 6000, H/9 = 1000, W - 3250 = 8750.
        QTest::newRow("SSTab1") << "SSTab1" << QRectF(9500, 0, 2500, 9000);
        QTest::newRow("ListView1") << "ListView1" << QRectF(30, 345, 2415, 7525);
        QTest::newRow("SumGain") << "SumGain" << QRectF(120, 8100, 2295, 255);
        QTest::newRow("CumGain") << "CumGain" << QRectF(120, 8500, 2295, 255);
        QTest::newRow("Frame2") << "Frame2" << QRectF(100, 400, 2300, 8500);
        // Command1 keeps its designed left edge and size (240, 1815 x 315).
        QTest::newRow("Command1") << "Command1" << QRectF(240, 8000, 1815, 315);
        QTest::newRow("CaptionLabel") << "CaptionLabel" << QRectF(0, 0, 7000, 220);
        QTest::newRow("ChangeLabel") << "ChangeLabel" << QRectF(7000, 0, 2400, 220);
        QTest::newRow("Picture1") << "Picture1" << QRectF(650, 220, 8750, 5480);
        QTest::newRow("Picture2") << "Picture2" << QRectF(650, 6000, 8750, 1000);
        QTest::newRow("Picture3") << "Picture3" << QRectF(650, 7000, 8750, 1000);
        QTest::newRow("Picture4") << "Picture4" << QRectF(650, 8000, 8750, 1000);
        QTest::newRow("PriceRuler") << "PriceRuler" << QRectF(0, 220, 650, 5480);
        QTest::newRow("DateRuler") << "DateRuler" << QRectF(650, 5700, 8750, 300);
        QTest::newRow("TimeForward") << "TimeForward" << QRectF(326, 5700, 320, 300);
        QTest::newRow("TimeBackward") << "TimeBackward" << QRectF(0, 5700, 325, 300);
        QTest::newRow("TechRuler1") << "TechRuler1" << QRectF(0, 6000, 650, 1000);
        QTest::newRow("TechRuler2") << "TechRuler2" << QRectF(0, 7000, 650, 1000);
        QTest::newRow("TechRuler3") << "TechRuler3" << QRectF(0, 8000, 650, 1000);
    }
    void layout() {
        QFETCH(QString, child);
        QFETCH(QRectF, twips);
        const auto w = makeChart({}, QSize(800, 600));
        QCOMPARE(w->childTwipGeometry(child), twips);
    }

    void layoutPixels() {
        const auto w = makeChart({}, QSize(800, 600), true, true);
        // Twips to whole pixels: 650/15 = 43.3 -> 43, 220/15 = 14.7 -> 15, 8750/15 = 583.3
        // -> 583, 5480/15 = 365.3 -> 365.
        QCOMPARE(w->findChild<QWidget*>("Picture1")->geometry(), QRect(43, 15, 583, 365));
        // The surfaces keep their exact twip size: the panes' margin bands span 8750 x 1000
        // and the horizontal grid ends at the chart's width.
        const QStringList calls = w->recordedDrawCalls();
        for (const char* p : {"Picture2", "Picture3", "Picture4"})
            QVERIFY2(calls.contains(QStringLiteral("%1 Box 0 1000 8750 950 color=rgb(0,0,52) "
                                                   "mode=13")
                                        .arg(p)),
                     p);
        QVERIFY(calls.filter(QRegularExpression("^Picture1 Line 0 \\S+ 8750 ")).size() > 0);
        // Children of the tab strip are placed relative to the strip, headers included:
        // Frame2 at 100/15 = 6.7 -> 7, 400/15 = 26.7 -> 27.
        auto* tabs = w->findChild<QTabWidget*>("SSTab1");
        QCOMPARE(tabs->geometry(), QRect(633, 0, 167, 600));
        QCOMPARE(w->findChild<QWidget*>("Frame2")->mapTo(tabs, QPoint(0, 0)), QPoint(7, 27));
        tabs->setCurrentIndex(1);
        QCOMPARE(w->findChild<QWidget*>("ListView1")->mapTo(tabs, QPoint(0, 0)), QPoint(2, 23));
        QCOMPARE(w->findChild<QWidget*>("ListView1")->height(), 502); // 7525 / 15 = 501.7
    }

    void resizeExtremes_data() {
        QTest::addColumn<QSize>("px");
        QTest::addColumn<QString>("child");
        QTest::addColumn<QRectF>("twips");
        // 1 x 1 pixel: W = H = 15. Statements with a negative size are skipped, so those
        // children keep the place of the 800 x 600 layout before.
        QTest::newRow("1x1 SSTab1") << QSize(1, 1) << "SSTab1" << QRectF(-2485, 0, 2500, 15);
        QTest::newRow("1x1 Picture1 kept") << QSize(1, 1) << "Picture1"
                                           << QRectF(650, 220, 8750, 5480);
        QTest::newRow("1x1 ListView1 kept") << QSize(1, 1) << "ListView1"
                                            << QRectF(30, 345, 2415, 7525);
        QTest::newRow("1x1 ChangeLabel") << QSize(1, 1) << "ChangeLabel"
                                         << QRectF(-4985, 0, 2400, 220);
        // 2H/3 - 300 = 10 - 300.
        QTest::newRow("1x1 TimeForward") << QSize(1, 1) << "TimeForward"
                                         << QRectF(326, -290, 320, 300);
        QTest::newRow("1x1 TechRuler3") << QSize(1, 1) << "TechRuler3"
                                        << QRectF(0, 8.0 * 15 / 9, 650, 15.0 / 9);
        // 8000 x 6000 pixels: W = 120000, H = 90000.
        QTest::newRow("8000x6000 Picture1") << QSize(8000, 6000) << "Picture1"
                                            << QRectF(650, 220, 116750, 59480);
        QTest::newRow("8000x6000 SSTab1") << QSize(8000, 6000) << "SSTab1"
                                          << QRectF(117500, 0, 2500, 90000);
    }
    void resizeExtremes() {
        QFETCH(QSize, px);
        QFETCH(QString, child);
        QFETCH(QRectF, twips);
        const auto w = makeChart({}, QSize(800, 600), true);
        QSignalSpy drawn(w.get(), &TKchart::DrawComplete);
        w->resize(px);
        QCOMPARE(w->childTwipGeometry(child), twips);
        // The redraw that follows ran to its end on whatever sizes the surfaces have.
        QCOMPARE(drawn.count(), 1);
        w->resize(800, 600);
        QCOMPARE(w->childTwipGeometry("Picture1"), QRectF(650, 220, 8750, 5480));
    }

    void drawComplete_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("raised");
        QTest::newRow("resize") << "resize" << 1;
        QTest::newRow("DisplayTechnicalIndicators(1, 0, 11)") << "indicators" << 1;
        QTest::newRow("DisplayChart") << "chart" << 0;
        QTest::newRow("SetColors") << "colors" << 0;
        QTest::newRow("useSettings") << "settings" << 1;
        QTest::newRow("first tab click") << "tab" << 0;
    }
    void drawComplete() {
        QFETCH(QString, action);
        QFETCH(int, raised);
        const auto w = makeChart({}, QSize(800, 600), true);
        QSignalSpy drawn(w.get(), &TKchart::DrawComplete);
        if (action == "resize") {
            w->resize(700, 500);
        } else if (action == "indicators") {
            w->DisplayTechnicalIndicators(1, 0, 11);
        } else if (action == "chart") {
            qint16 s = 1, e = 200;
            w->DisplayChart(s, e);
        } else if (action == "colors") {
            w->SetColors();
        } else if (action == "settings") {
            w->useSettings({{"Tech2", "2"}});
        } else {
            QTabBar* bar = w->findChild<QTabWidget*>("SSTab1")->tabBar();
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
        }
        QCOMPARE(drawn.count(), raised);
    }

    void tabClickWidensListsOnce() {
        const auto w = makeChart({}, QSize(800, 600));
        auto* combo = w->findChild<QComboBox*>("Combo_1");
        // The layout's own tab switching is not a click.
        w->resize(810, 610);
        QCOMPARE(combo->maxVisibleItems(), 10);
        QTabBar* bar = w->findChild<QTabWidget*>("SSTab1")->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
        QCOMPARE(w->findChild<QTabWidget*>("SSTab1")->currentIndex(), 1);
        QCOMPARE(combo->maxVisibleItems(), 12);
    }

    void hostPrompts() {
        const auto w = makeChart({{"Tech1", "2"}}, QSize(800, 600));
        RecordingPrompts prompts;
        w->setPrompts(&prompts);
        w->findChild<QLineEdit*>("Text1_1")->setText(QStringLiteral("abc"));
        w->findChild<QPushButton*>("Command1")->click();
        QCOMPARE(prompts.messages, QStringList{QStringLiteral("Numeric expression required")});
    }

    void properties() {
        TKchart w(Settings{});
        w.setMaximumInput(7);
        QCOMPARE(w.MaximumInput(), qint16(0));
        QVERIFY(w.setProperty("MaximumInput", QVariant::fromValue<qint16>(7)));
        QCOMPARE(w.property("MaximumInput").value<qint16>(), qint16(0));
        // No file loaded: no dates.
        QCOMPARE(w.StartingDate(), QString());
        QCOMPARE(w.EndingDate(), QString());
        QCOMPARE(w.property("StartingDate").toString(), QString());
        // Booleans at the interface.
        w.setIsVerticalLineDisplayed(true);
        QCOMPARE(TKchartPrivate::of(w).core.state().isVerticalLineDisplayed, kTrue);
        QVERIFY(w.setProperty("isHorizontalLineDisplayed", true));
        QCOMPARE(TKchartPrivate::of(w).core.state().isHorizontalLineDisplayed, kTrue);
        QVERIFY(w.setProperty("starting_date_local", QVariant::fromValue<qint16>(5)));
        QCOMPARE(w.starting_date_local(), qint16(5));
    }

    void publishedOrder() {
        const QMetaObject* mo = TKchart(Settings{}).metaObject();
        QStringList props;
        for (int i = mo->propertyOffset(); i < mo->propertyCount(); ++i)
            props << QString::fromLatin1(mo->property(i).name());
        QCOMPARE(props, QStringList({"ticker_name", "buy_number", "sell_number",
                                     "starting_date_local", "ending_date_local",
                                     "OldVerticalLineX", "OldHorizontalLineY",
                                     "isVerticalLineDisplayed", "isHorizontalLineDisplayed",
                                     "MaximumPrice", "MinimumPrice", "TechInd1", "TechInd2",
                                     "TechInd3", "StartingDate", "EndingDate", "CompanyName",
                                     "MA10", "MA50", "MA200", "MACustom", "MaximumInput"}));
        QStringList methods;
        for (int i = mo->methodOffset(); i < mo->methodCount(); ++i)
            if (mo->method(i).methodType() == QMetaMethod::Method)
                methods << QString::fromLatin1(mo->method(i).name());
        methods.removeDuplicates();
        QCOMPARE(methods, QStringList({"ReadDataFile", "DrawPriceRuler", "DisplayChart",
                                       "GetMaximumPrice", "GetMinimumPrice", "Clear",
                                       "DrawDateRuler", "DrawBuy", "DrawSell",
                                       "DisplayTechnicalIndicators", "ConvertDateToInteger",
                                       "convert_trading_date", "SetColors"}));
        QCOMPARE(mo->indexOfSignal("DrawComplete()") >= 0, true);
    }

    void readDataFile_data() {
        QTest::addColumn<QString>("ticker");
        QTest::addColumn<QString>("company");
        QTest::newRow("short header") << "ORCL" << "";
        // The third line "Apple Inc. USD" less its last four characters.
        QTest::newRow("long header") << "AAPL_L" << "Apple Inc.";
        QTest::newRow("lower case") << "orcl" << "";
    }
    void readDataFile() {
        QFETCH(QString, ticker);
        QFETCH(QString, company);
        TKchart w(Settings{});
        bool today = true;
        QCOMPARE(w.ReadDataFile(ticker, today), QVariant());
        QCOMPARE(today, false);
        QCOMPARE(w.ticker_name(), ticker);
        QCOMPARE(w.CompanyName(), company);
        QCOMPARE(w.property("CompanyName").toString(), company);
        QVERIFY(!w.StartingDate().isEmpty());
    }

    void hostCalls() {
        const auto w = makeChart({}, QSize(800, 600), true);
        // ORCL's day 1 and day 200 are the file's data lines 1 and 200.
        QCOMPARE(w->StartingDate(), orclDay(1).value(0));
        QCOMPARE(w->EndingDate(), orclDay(200).value(0));
        w->setEnding_date_local(1);
        QCOMPARE(w->MaximumPrice(), orclDay(1).value(2).toFloat());
        QCOMPARE(w->MinimumPrice(), orclDay(1).value(3).toFloat());
        QCOMPARE(w->GetMaximumPrice(1, 1), orclDay(1).value(2).toFloat());
        QCOMPARE(w->ConvertDateToInteger(orclDay(3).value(0)), qint16(3));

        // DisplayChart lowers an ending day beyond the loaded days in the caller's variable:
        // AAPL.csv holds 506 days under its header line.
        w->ReadDataFile(QStringLiteral("AAPL"));
        qint16 s = 1, e = 600;
        w->DisplayChart(s, e);
        QCOMPARE(e, qint16(506));
        QCOMPARE(w->ending_date_local(), qint16(506));
        e = 700;
        QVERIFY(QMetaObject::invokeMethod(w.get(), "DisplayChart", Q_ARG(qint16&, s),
                                          Q_ARG(qint16&, e)));
        QCOMPARE(e, qint16(506));
        QVERIFY(QMetaObject::invokeMethod(w.get(), "DisplayChart", Q_ARG(qint16, 1),
                                          Q_ARG(qint16, 50)));
        QCOMPARE(w->ending_date_local(), qint16(50));
        float high = 0;
        QVERIFY(QMetaObject::invokeMethod(w.get(), "GetMaximumPrice", Q_RETURN_ARG(float, high),
                                          Q_ARG(qint16, 1), Q_ARG(qint16, 1)));
        QCOMPARE(high, 135.90f); // AAPL.csv day 1: High 135.90

        // A failure reaches the host as the control's one exception type.
        try {
            w->GetMaximumPrice(6000, 6000);
            QFAIL("day 6000 lies beyond the 5000 days a series holds");
        } catch (const TKchartError& error) {
            QCOMPARE(error.kind(), TKchartError::Kind::IndexOutOfRange);
        }

        float ignored = 0;
        try {
            QMetaObject::invokeMethod(w.get(), "GetMaximumPrice", Q_RETURN_ARG(float, ignored),
                                      Q_ARG(qint16, 5001), Q_ARG(qint16, 5001));
            QFAIL("day 5001 lies beyond the series");
        } catch (const TKchartError& error) {
            QCOMPARE(error.kind(), TKchartError::Kind::IndexOutOfRange);
        }

        // A ticker without a file loads no day and reports nothing.
        QCOMPARE(w->loadedDays(), qint16(506));
        w->ReadDataFile(QStringLiteral("NO_SUCH_TICKER"));
        QCOMPARE(w->loadedDays(), qint16(0));
        QCOMPARE(w->ticker_name(), QStringLiteral("NO_SUCH_TICKER"));
    }

    void recording() {
        const auto w = makeChart({}, QSize(800, 600), true);
        w->startRecording();
        w->Clear();
        // Clear paints Picture1, the three pane rulers, PriceRuler and DateRuler, in order.
        const QStringList cleared = w->recordedDrawCalls();
        QCOMPARE(cleared.size(), 6);
        QStringList surfaces;
        for (const QString& l : cleared)
            surfaces << l.section(QLatin1Char(' '), 0, 1);
        QCOMPARE(surfaces, QStringList({"Picture1 Cls", "TechRuler1 Cls", "TechRuler2 Cls",
                                        "TechRuler3 Cls", "PriceRuler Cls", "DateRuler Cls"}));
        w->stopRecording();
        w->Clear();
        QCOMPARE(w->recordedDrawCalls().size(), 6);
        w->startRecording();
        QCOMPARE(w->recordedDrawCalls().size(), 0);
    }
};

QTEST_MAIN(TestControl)
#include "tst_control.moc"
