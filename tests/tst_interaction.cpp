// SPDX-License-Identifier: BSD-3-Clause
// The crosshair and its caption, the mouse on the chart and the price ruler, the popup menu,
// the time buttons, navigation, keyboard and wheel: driven as a user and a host drive them.

#include "Fixtures.h"

#include "chart/Crosshair.h"
#include "common/Formats.h"
#include "common/Twips.h"
#include "widget/ClickLabel.h"
#include "widget/PictureBox.h"
#include "widget/TKchartPrivate.h"

#include <tk5chctl/TKchart.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <limits>

using namespace tk5;
using Window = std::pair<int, int>;

namespace {

// A shown 800 x 600 pixel control on an in-memory store, with ORCL loaded unless told not to.
std::unique_ptr<TKchart> makeChart(bool load = true, bool window = false) {
    auto w = std::make_unique<TKchart>(QMap<QString, QString>{});
    if (!window) w->setAttribute(Qt::WA_DontShowOnScreen);
    if (load) w->ReadDataFile(QStringLiteral("ORCL"));
    w->resize(800, 600);
    w->show();
    return w;
}

PictureBox* box(const TKchart& w, const char* name) {
    return w.findChild<PictureBox*>(QString::fromLatin1(name));
}
QString changeText(const TKchart& w) {
    return w.findChild<QLabel*>(QStringLiteral("ChangeLabel"))->text();
}
Window windowOf(const TKchart& w) { return {w.starting_date_local(), w.ending_date_local()}; }
void setWindow(TKchart& w, int s, int e) {
    w.setStarting_date_local(static_cast<qint16>(s));
    w.setEnding_date_local(static_cast<qint16>(e));
}

// The images of the five surfaces the vertical line crosses.
QList<QImage> verticalImages(const TKchart& w) {
    QList<QImage> out;
    for (const char* n : {"Picture1", "Picture2", "Picture3", "Picture4", "DateRuler"})
        out << box(w, n)->surface().image().copy();
    return out;
}

// Runs work as soon as the popup menu is open, then closes the menu if still open.
void whenMenuOpens(const std::function<void(QMenu*)>& work) {
    QTimer::singleShot(0, [work] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        work(menu);
        if (menu->isVisible()) menu->close();
    });
}

// The menu items checked right after start-up, sorted.
const QStringList kStartChecked = {"mnuGridSettingsHorizontal", "mnuGridSettingsVertical",
                                   "mnuPopupHighLowClose",      "mnuPopupMA10Days",
                                   "mnuPopupMA200Days",         "mnuPopupMA50Days"};

// A series whose closes are given, newest first; highs and lows around them.
void loadCloses(ChartState& st, const std::vector<float>& closes) {
    std::vector<test::Day> days;
    for (float c : closes)
        days.push_back({c + 1, c - 1, c});
    test::fillSeries(st.series, days);
}

} // namespace

class TestInteraction : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        test::useEnglishLocale();
        qputenv("TK5CHCTL_HIST_DIR", test::sampleHistDir().toLocal8Bit());
    }

    // Window 1..4 on 3000 twips: five slots of 600, day d centred at 3000 - 600 d.
    void dayUnderPosition_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("day");
        QTest::newRow("right edge: the day after the window") << 3000.0 << 0;
        QTest::newRow("just inside the right half slot") << 2701.0 << 0;
        QTest::newRow("halfway 1.5 rounds to even 2") << 2700.0 << 1;
        QTest::newRow("halfway 2.5 rounds to even 2") << 2100.0 << 1;
        QTest::newRow("halfway 3.5 rounds to even 4") << 1500.0 << 3;
        QTest::newRow("slot centre of day 4") << 600.0 << 4;
        QTest::newRow("left edge: the day before the window") << 0.0 << 5;
    }
    void dayUnderPosition() {
        QFETCH(double, x);
        QFETCH(int, day);
        ChartState st;
        st.starting_date_local = 1;
        st.ending_date_local = 4;
        QCOMPARE(dayUnder(st, 3000, x).value_or(-99), day);
    }

    void captionTexts_data() {
        QTest::addColumn<QList<float>>("closes"); // days 1, 2, 3 of the history
        QTest::addColumn<float>("x"); // window 1..3 on 4000 twips: days at 3000, 2000, 1000
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("green");
        const QList<float> rise = {101.5f, 100, 0.5f};
        QTest::newRow("rise of 1.50 from 100")
            << rise << 3000.0f
            << "Co   High: $102.50   Low: $100.50   Close: $101.50   Date: 31,Dec,2014"
            << "Change +$1.5   +1.5%" << true;
        QTest::newRow("oldest loaded day: no change to tell, a close below 1")
            << rise << 1000.0f << "Co   High: $1.50   Low: $-.50   Close: $.50   Date: 29,Dec,2014"
            << "" << false;
        QTest::newRow("fall of 0.75 from 50")
            << QList<float>{49.25f, 50, 50} << 3000.0f
            << "Co   High: $50.25   Low: $48.25   Close: $49.25   Date: 31,Dec,2014"
            << "Change -$0.75   -1.5%" << false;
        QTest::newRow("no change is red")
            << QList<float>{7, 7, 7} << 2000.0f
            << "Co   High: $8.00   Low: $6.00   Close: $7.00   Date: 30,Dec,2014"
            << "Change -$0   -0%" << false;
        QTest::newRow("two-decimal change, general form")
            << QList<float>{12, 10, 10} << 3000.0f
            << "Co   High: $13.00   Low: $11.00   Close: $12.00   Date: 31,Dec,2014"
            << "Change +$2   +20%" << true;
        // Right of the newest day's slot lies day 0: the caption keeps its text.
        QTest::newRow("day 0 keeps the caption") << rise << 3900.0f << "(old)"
                                                 << "" << false;
        QTest::newRow("beyond the loaded days") << QList<float>{5} << 1000.0f << "(old)"
                                                << "" << false;
    }
    void captionTexts() {
        QFETCH(QList<float>, closes);
        QFETCH(float, x);
        QFETCH(QString, caption);
        QFETCH(QString, change);
        QFETCH(bool, green);
        test::CoreFixture f;
        ChartState& st = f.core.state();
        loadCloses(st, std::vector<float>(closes.begin(), closes.end()));
        st.company_name = QStringLiteral("Co");
        st.starting_date_local = 1;
        st.ending_date_local = 3;
        f.surfaces.Picture1.setSizeTwips(4000, 3000);
        QString shown = QStringLiteral("(old)"), changeShown = QStringLiteral("(old)");
        Color color = 1;
        f.core.onCaptionChanged = [&](const QString& t) { shown = t; };
        f.core.onChangeTextChanged = [&](const QString& t, Color c) {
            changeShown = t;
            color = c;
        };
        f.core.UpdateCaption(x);
        QCOMPARE(shown, caption);
        QCOMPARE(changeShown, change);
        QCOMPARE(color, green ? kRiseColor : kFallColor);
    }

    // The window after each operation, from a history of 500 days.
    void navigation_data() {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<Window>("from");
        QTest::addColumn<Window>("to");
        QTest::newRow("back") << "GoBackward" << Window{1, 200} << Window{200, 399};
        QTest::newRow("back, clamped, width kept")
            << "GoBackward" << Window{200, 399} << Window{301, 500};
        QTest::newRow("forward") << "GoForward" << Window{301, 500} << Window{102, 301};
        QTest::newRow("forward at the newest") << "GoForward" << Window{1, 200} << Window{1, 200};
        QTest::newRow("zoom in 59.7 -> 60") << "ZoomIn" << Window{1, 200} << Window{1, 140};
        QTest::newRow("zoom in 3") << "ZoomIn" << Window{10, 20} << Window{10, 17};
        QTest::newRow("zoom in 0.6 -> 1") << "ZoomIn" << Window{10, 12} << Window{10, 11};
        QTest::newRow("zoom in 0.3 -> 0") << "ZoomIn" << Window{10, 11} << Window{10, 11};
        QTest::newRow("zoom in a turned window") << "ZoomIn" << Window{20, 10} << Window{20, 23};
        QTest::newRow("zoom out, cut at day 1") << "ZoomOut" << Window{100, 200} << Window{1, 300};
        QTest::newRow("zoom out, cut at the oldest")
            << "ZoomOut" << Window{300, 450} << Window{150, 500};
        QTest::newRow("zoom out one day") << "ZoomOut" << Window{50, 50} << Window{50, 51};
        // 500..501, brought back to the oldest loaded day by the chart's drawing.
        QTest::newRow("zoom out one day at the oldest")
            << "ZoomOut" << Window{500, 500} << Window{500, 500};
        QTest::newRow("<< refused 3 days short")
            << "stepBackward" << Window{300, 497} << Window{300, 497};
        QTest::newRow("<< onto the oldest")
            << "stepBackward" << Window{300, 495} << Window{305, 500};
        QTest::newRow(">> refused at 5") << "stepForward" << Window{5, 100} << Window{5, 100};
        QTest::newRow(">> to day 1") << "stepForward" << Window{6, 100} << Window{1, 95};
        QTest::newRow("newest, same width") << "goNewest" << Window{300, 350} << Window{1, 51};
        QTest::newRow("oldest, same width") << "goOldest" << Window{3, 53} << Window{450, 500};
        QTest::newRow("oldest of a wide window") << "goOldest" << Window{1, 900} << Window{1, 500};
    }
    void navigation() {
        QFETCH(QString, operation);
        QFETCH(Window, from);
        QFETCH(Window, to);
        test::CoreFixture f;
        test::fillSeries(f.core.state().series, test::waveDays(500));
        f.core.state().starting_date_local = static_cast<std::int16_t>(from.first);
        f.core.state().ending_date_local = static_cast<std::int16_t>(from.second);
        int redraws = 0;
        f.core.onDrawComplete = [&] { ++redraws; };
        const std::map<QString, std::function<void()>> ops = {
            {"GoBackward", [&] { f.core.GoBackward(); }},
            {"GoForward", [&] { f.core.GoForward(); }},
            {"ZoomIn", [&] { f.core.ZoomIn(); }},
            {"ZoomOut", [&] { f.core.ZoomOut(); }},
            {"stepBackward", [&] { f.core.stepBackward(); }},
            {"stepForward", [&] { f.core.stepForward(); }},
            {"goNewest", [&] { f.core.goNewest(); }},
            {"goOldest", [&] { f.core.goOldest(); }}};
        try {
            ops.at(operation)();
        } catch (const ChartError&) {
            // A window past the oldest day ends its redraw early; the window is stored first.
        }
        const Window got{f.core.state().starting_date_local, f.core.state().ending_date_local};
        QCOMPARE(got, to);
        // A refused time-button step draws nothing; every other operation redraws.
        QCOMPARE(redraws, operation.startsWith("step") && from == to ? 0 : 1);
    }

    // 16-bit arithmetic: a doubled index that leaves 16 bits is an error for the host and
    // leaves the window as it was.
    void navigationOverflow() {
        auto w = makeChart();
        setWindow(*w, 20000, 30000);
        try {
            w->GoBackward();
            QFAIL("no error");
        } catch (const TKchartError& e) {
            QCOMPARE(e.kind(), TKchartError::Kind::Overflow);
            QCOMPARE(QString(e.what()), "The window of days 20000 to 30000 cannot be moved or "
                                        "resized: a day index would leave the range -32768 to "
                                        "32767");
        }
        QVERIFY_THROWS_EXCEPTION(TKchartError, w->ZoomOut());
        QCOMPARE(windowOf(*w), Window(20000, 30000));
        setWindow(*w, -32768, 32767);
        QVERIFY_THROWS_EXCEPTION(TKchartError, w->ZoomIn());
    }

    void clickDrawsTheLineAndCaption() {
        auto w = makeChart();
        PictureBox* p1 = box(*w, "Picture1");
        const QList<QImage> before = verticalImages(*w);
        w->startRecording();
        QTest::mouseClick(p1, Qt::LeftButton, {}, QPoint(300, 100));
        // The line is drawn by inverting, on the five surfaces, and appears in the record.
        const QStringList lines = w->recordedDrawCalls();
        QCOMPARE(lines.size(), 5);
        for (const QString& l : lines)
            QVERIFY2(l.contains(" Line 4500 0 4500 ") && l.contains("mode=6"), qPrintable(l));
        QCOMPARE(w->OldVerticalLineX(), 4500.0f);
        QVERIFY(w->isVerticalLineDisplayed());
        QCOMPARE(p1->surface().pixel(300, 50), 0xFFFFFF ^ (before[0].pixel(300, 50) & 0xFFFFFF));
        // The caption shows the day under the click (a 200-day window, 1 slot ~ 3.6 px).
        const std::optional<std::int16_t> day =
            dayUnder(TKchartPrivate::of(*w).core.state(), p1->surface().Width(), 4500);
        QVERIFY(day && *day > 1 && *day < 200);
        const QString date = TKchartPrivate::of(*w).core.state().series.price_date[*day];
        QVERIFY2(w->CompanyName().endsWith(
                     "   Date: " + formatDate(*readDate(date), QStringLiteral("dd,mmm,yyyy"))),
                 qPrintable(w->CompanyName()));
        // The change label is green for a rise, red otherwise.
        const QColor changeColor = w->findChild<QLabel*>(QStringLiteral("ChangeLabel"))
                                       ->palette()
                                       .color(QPalette::WindowText);
        QVERIFY2(changeText(*w).startsWith("Change +")
                     ? changeColor == QColor(0, 255, 0)
                     : changeText(*w).startsWith("Change -") && changeColor == QColor(255, 0, 0),
                 qPrintable(changeText(*w)));
        // Only the column under the click changed, on each surface.
        const QList<QImage> one = verticalImages(*w);
        for (int i = 0; i < one.size(); ++i) {
            int changed = 0;
            for (int y = 0; y < one[i].height(); ++y)
                for (int x = 0; x < one[i].width(); ++x)
                    changed +=
                        one[i].pixel(x, y) != before[i].pixel(x, y) ? (x == 300 ? 1 : 1000) : 0;
            QCOMPARE(changed, one[i].height());
        }
        // A click elsewhere removes that line, and clicking back restores the picture exactly.
        QTest::mouseClick(p1, Qt::LeftButton, {}, QPoint(500, 100));
        QTest::mouseClick(p1, Qt::LeftButton, {}, QPoint(300, 100));
        QCOMPARE(verticalImages(*w), one);
    }

    // Dragging with the left button moves one line and the caption; a move with two buttons
    // held moves nothing but the remembered pointer.
    void dragAndTwoButtons() {
        auto w = makeChart();
        PictureBox* p1 = box(*w, "Picture1");
        QTest::mousePress(p1, Qt::LeftButton, {}, QPoint(100, 50));
        QMouseEvent drag(QEvent::MouseMove, QPointF(120, 60), p1->mapToGlobal(QPointF(120, 60)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(p1, &drag);
        QCOMPARE(w->OldVerticalLineX(), 1800.0f);
        const QString caption = w->CompanyName();
        QMouseEvent both(QEvent::MouseMove, QPointF(400, 70), p1->mapToGlobal(QPointF(400, 70)),
                         Qt::NoButton, Qt::LeftButton | Qt::RightButton, Qt::NoModifier);
        QApplication::sendEvent(p1, &both);
        QCOMPARE(w->OldVerticalLineX(), 1800.0f);
        QCOMPARE(w->CompanyName(), caption);
        QCOMPARE(TKchartPrivate::of(*w).mouse_x, 6000.0f);
        QCOMPARE(TKchartPrivate::of(*w).mouse_y, 1050.0f);
    }

    void priceRulerDrag() {
        auto w = makeChart();
        PictureBox* ruler = box(*w, "PriceRuler");
        PictureBox* p1 = box(*w, "Picture1");
        const QImage before = p1->surface().image().copy();
        w->startRecording();
        QTest::mousePress(ruler, Qt::LeftButton, {}, QPoint(10, 40));
        QMouseEvent drag(QEvent::MouseMove, QPointF(10, 80), ruler->mapToGlobal(QPointF(10, 80)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(ruler, &drag);
        QTest::mouseRelease(ruler, Qt::LeftButton, {}, QPoint(10, 80));
        const QStringList lines = w->recordedDrawCalls();
        QCOMPARE(lines.size(), 3); // drawn at 40, removed at 40, drawn at 80
        QVERIFY2(lines[2].startsWith("Picture1 Line 0 1200 ") && lines[2].contains("style=1") &&
                     lines[2].contains("mode=6"),
                 qPrintable(lines[2]));
        QCOMPARE(w->OldHorizontalLineY(), 1200.0f);
        QCOMPARE(p1->surface().DrawStyle, kSolid);
        QCOMPARE(p1->surface().DrawMode, kDrawCopy);
        // Dashed: 18 pixels inverted, 6 left alone.
        const QImage& img = p1->surface().image();
        QVERIFY(img.pixel(17, 80) != before.pixel(17, 80));
        QCOMPARE(img.pixel(20, 80), before.pixel(20, 80));
        // Clearing wipes it; the next drag draws without removing anything first.
        w->Clear();
        QVERIFY(!w->isHorizontalLineDisplayed());
        w->startRecording();
        QTest::mousePress(ruler, Qt::LeftButton, {}, QPoint(10, 40));
        QCOMPARE(w->recordedDrawCalls().size(), 1);
    }

    // A vertical line at x = 0 is never removed by a move; a host that says no line is shown
    // keeps the old one standing.
    void linesThatStay_data() {
        QTest::addColumn<float>("first");
        QTest::addColumn<bool>("hostHides");
        QTest::newRow("line at 0") << 0.0f << false;
        QTest::newRow("host says hidden") << 3000.0f << true;
    }
    void linesThatStay() {
        QFETCH(float, first);
        QFETCH(bool, hostHides);
        auto w = makeChart();
        w->redraw();
        TKchartPrivate::of(*w).core.moveVerticalLine(first);
        if (hostHides) w->setIsVerticalLineDisplayed(false);
        w->startRecording();
        TKchartPrivate::of(*w).core.moveVerticalLine(6000);
        QCOMPARE(w->recordedDrawCalls().size(), 5);
    }

    void rightClickMenu() {
        auto w = makeChart();
        PictureBox* p1 = box(*w, "Picture1");
        QStringList checked, unchecked, hidden;
        QString captions;
        whenMenuOpens([&](QMenu* menu) {
            for (QAction* a : menu->findChildren<QAction*>()) {
                if (a->objectName().isEmpty() || a->isSeparator()) continue;
                if (!a->isVisible()) hidden << a->objectName();
                if (a->isCheckable()) (a->isChecked() ? checked : unchecked) << a->objectName();
            }
            for (QAction* a : menu->actions())
                captions += (a->isSeparator() ? QStringLiteral("-") : a->text()) + '|';
            // The right button chooses an item too.
            QAction* bars = menu->findChild<QAction*>(QStringLiteral("mnuPopupHighLowClose"));
            QTest::mouseClick(menu, Qt::RightButton, {}, menu->actionGeometry(bars).center());
        });
        QTest::mouseClick(p1, Qt::RightButton, {}, QPoint(200, 100));
        checked.sort();
        unchecked.sort();
        QCOMPARE(checked, kStartChecked);
        QCOMPARE(unchecked,
                 QStringList({"mnuPopupHideChart", "mnuPopupMACustom", "mnuPriceIndicatorsBands",
                              "mnuPriceIndicatorsEnvelopes"}));
        QCOMPARE(hidden, QStringList{"mnuPopupHideChart"});
        QCOMPARE(captions, QStringLiteral("Moving  Averages|Price Indicators|High-Low-Close|-|Grid "
                                          "Settings|-|Time Range|-|Record &Buy|Record &Sell|Hide "
                                          "Chart|"));
        QCOMPARE(TKchartPrivate::of(*w).core.state().show_high_low_close, kFalse);
        // The right click moved the vertical line to the click (the redraw then wiped it).
        QCOMPARE(w->OldVerticalLineX(), 3000.0f);
    }

    // Each item toggles its flag and redraws, and the menu's check mark follows; choosing it
    // again restores the picture.
    void menuToggles_data() {
        QTest::addColumn<QString>("item");
        for (const char* item :
             {"mnuPopupMA10Days", "mnuPopupMA50Days", "mnuPopupMA200Days",
              "mnuPriceIndicatorsBands", "mnuPopupHighLowClose", "mnuGridSettingsVertical",
              "mnuGridSettingsHorizontal", "mnuPopupHideChart"})
            QTest::newRow(item) << QString::fromLatin1(item);
    }
    void menuToggles() {
        QFETCH(QString, item);
        auto w = makeChart();
        TKchartPrivate& d = TKchartPrivate::of(*w);
        QSignalSpy redraws(w.get(), &TKchart::DrawComplete);
        w->startRecording();
        w->redraw();
        const QStringList base = w->recordedDrawCalls();
        QAction* action = d.mnuPopup->findChild<QAction*>(item);
        w->startRecording();
        action->trigger();
        QVERIFY(w->recordedDrawCalls() != base);
        // The next right click shows this item's check mark changed, and only this one.
        QStringList changed;
        whenMenuOpens([&](QMenu* menu) {
            for (QAction* a : menu->findChildren<QAction*>())
                if (a->isCheckable() && a->isChecked() != kStartChecked.contains(a->objectName()))
                    changed << a->objectName();
        });
        QTest::mouseClick(box(*w, "Picture1"), Qt::RightButton, {}, QPoint(200, 100));
        QCOMPARE(changed, QStringList{item});
        w->startRecording();
        action->trigger();
        QCOMPARE(w->recordedDrawCalls(), base);
        QCOMPARE(redraws.size(), 3);
    }

    // Custom and Envelopes open their dialog when switching on, never when switching off.
    void overlayDialogs_data() {
        // The menu item, the periods typed, the button, then the custom periods, envelope
        // periods and percentage afterwards (18, 18, 9 before).
        QTest::addColumn<QStringList>("run");
        QTest::newRow("custom 30, OK")
            << QStringList{"mnuPopupMACustom", "30", "OKButton", "30 18 9"};
        QTest::newRow("custom, Cancel")
            << QStringList{"mnuPopupMACustom", "30", "CancelButton", "18 18 9"};
        // The percentage box's 5 is stored with the periods.
        QTest::newRow("envelopes 15, OK")
            << QStringList{"mnuPriceIndicatorsEnvelopes", "15", "OKButton", "18 15 5"};
        QTest::newRow("envelopes, Cancel")
            << QStringList{"mnuPriceIndicatorsEnvelopes", "15", "CancelButton", "18 18 9"};
    }
    void overlayDialogs() {
        QFETCH(QStringList, run);
        const QString item = run[0], entered = run[1], button = run[2], settings = run[3];
        auto w = makeChart();
        TKchartPrivate& d = TKchartPrivate::of(*w);
        int dialogs = 0;
        bool modalOverChart = false;
        QString opened; // the boxes' texts as the dialog opened
        auto answer = [&] {
            QTimer::singleShot(0, [&] {
                auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                if (!dialog) return;
                ++dialogs;
                modalOverChart = dialog->isModal() && dialog->parentWidget() == w.get();
                auto* text1 = dialog->findChild<QLineEdit*>(QStringLiteral("Text1"));
                auto* text2 = dialog->findChild<QLineEdit*>(QStringLiteral("Text2"));
                opened = text1->text() + (text2 ? ' ' + text2->text() : QString());
                text1->setText(entered);
                dialog->findChild<QPushButton*>(button)->click();
            });
        };
        sharedOverlaySettings() = {18, 18, 9};
        answer();
        QAction* action = d.mnuPopup->findChild<QAction*>(item);
        action->trigger();
        auto overlays = [] {
            const OverlaySettings& o = sharedOverlaySettings();
            return QStringLiteral("%1 %2 %3")
                .arg(o.custom_ma_periods)
                .arg(o.envelope_periods)
                .arg(o.envelope_percent);
        };
        QCOMPARE(overlays(), settings);
        QVERIFY(modalOverChart);
        // The boxes open at the periods held; the percentage box always at 5.
        QCOMPARE(opened,
                 item == "mnuPopupMACustom" ? QStringLiteral("18") : QStringLiteral("18 5"));
        const bool custom = item == "mnuPopupMACustom";
        QCOMPARE(custom ? w->MACustom() : d.core.state().show_envelopes != 0, true);
        action->trigger(); // switching off: no dialog
        QCOMPARE(dialogs, 1);
        QCOMPARE(custom ? w->MACustom() : d.core.state().show_envelopes != 0, false);
        // Every control's start-up resets the shared settings.
        TKchart other(QMap<QString, QString>{});
        QCOMPARE(overlays(), QStringLiteral("20 20 5"));
    }

    void timeRangePostsCtrlT() {
        auto w = makeChart();
        QLineEdit focused;
        focused.show();
        QApplication::setActiveWindow(&focused);
        focused.setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), &focused);
        struct Catch : QObject {
            QString got;
            bool eventFilter(QObject*, QEvent* e) override {
                if (e->type() == QEvent::KeyPress) {
                    auto* k = static_cast<QKeyEvent*>(e);
                    got += QKeySequence(k->keyCombination()).toString();
                }
                return false;
            }
        } catcher;
        focused.installEventFilter(&catcher);
        TKchartPrivate::of(*w).mnuPopup->findChild<QAction*>("mnuPopupTimeRange")->trigger();
        QCOMPARE(catcher.got, QString()); // posted, not sent
        QCoreApplication::processEvents();
        QCOMPARE(catcher.got, QStringLiteral("Ctrl+T"));
    }

    void timeButtons() {
        auto w = makeChart();
        TKchartPrivate& d = TKchartPrivate::of(*w);
        QCOMPARE(d.TimeForward->font().pixelSize(), 16);
        QVERIFY(!d.TimeForward->font().bold());
        setWindow(*w, 100, 130); // a short window redraws fast, so the repeats keep time
        QTest::mouseClick(d.TimeForward, Qt::LeftButton);
        QTest::mouseClick(d.TimeBackward, Qt::LeftButton);
        QTest::mouseClick(d.TimeBackward, Qt::LeftButton);
        QCOMPARE(windowOf(*w), Window(105, 135));
        // Held for about a second: three repeats and the final click's step.
        QTest::mousePress(d.TimeForward, Qt::LeftButton);
        QCOMPARE(d.TimeForward->palette().color(QPalette::Window), QColor(35, 35, 35));
        QCOMPARE(d.TimeForward->palette().color(QPalette::WindowText), QColor(Qt::white));
        QTest::qWait(1050);
        QTest::mouseRelease(d.TimeForward, Qt::LeftButton);
        QCOMPARE(windowOf(*w), Window(85, 115));
        QCOMPARE(d.TimeForward->palette().color(QPalette::Window), QColor(Qt::white));
        QCOMPARE(d.TimeForward->palette().color(QPalette::WindowText), QColor(35, 35, 35));
        QVERIFY(!d.Timer1->isActive());
        // The end of the history refuses a step whole.
        const int last = w->loadedDays();
        setWindow(*w, last - 100, last - 3);
        QTest::mouseClick(d.TimeBackward, Qt::LeftButton);
        QCOMPARE(windowOf(*w), Window(last - 100, last - 3));
    }

    void keyboardAndWheel() {
        auto w = makeChart(true, true);
        PictureBox* p1 = box(*w, "Picture1");
        setWindow(*w, 1, 200);
        w->redraw();
        QApplication::setActiveWindow(w.get());
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QTest::mouseClick(p1, Qt::LeftButton, {}, QPoint(300, 100));
        QVERIFY(p1->hasFocus());
        // On screen the focused chart has a frame; its picture does not.
        const QColor frame = p1->palette().color(QPalette::Highlight);
        auto framed = [&](const QImage& img) {
            int n = 0;
            for (int x = 0; x < img.width(); ++x)
                n += QColor(img.pixel(x, 0)) == frame ? 1 : 0;
            return n;
        };
        QVERIFY2(framed(p1->grab().toImage()) > p1->width() / 4,
                 qPrintable(QString::number(framed(p1->grab().toImage()))));
        QCOMPARE(framed(p1->surface().image()), 0);
        const ChartState& st = TKchartPrivate::of(*w).core.state();
        auto dayOfLine = [&] {
            return *dayUnder(st, p1->surface().Width(), w->OldVerticalLineX());
        };
        const int day = dayOfLine();
        QTest::keyClick(p1, Qt::Key_Left);
        QCOMPARE(dayOfLine(), day + 1);
        QTest::keyClick(p1, Qt::Key_Right);
        QTest::keyClick(p1, Qt::Key_Right);
        QCOMPARE(dayOfLine(), day - 1);
        const QList<std::pair<Qt::Key, Window>> steps = {
            {Qt::Key_PageUp, {200, 399}},
            {Qt::Key_PageDown, {1, 200}},
            {Qt::Key_Minus, {1, 399}},
            {Qt::Key_Plus, {1, 280}},
            {Qt::Key_End, {w->loadedDays() - 279, w->loadedDays()}},
            {Qt::Key_Home, {1, 280}}};
        for (const auto& [key, window] : steps) {
            QTest::keyClick(p1, key);
            QCOMPARE(windowOf(*w), window);
        }
        auto wheel = [&](int delta) {
            QWheelEvent e(QPointF(50, 50), p1->mapToGlobal(QPointF(50, 50)), {}, {0, delta},
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(p1, &e);
        };
        wheel(60);
        QCOMPARE(windowOf(*w), Window(1, 280)); // half a notch: nothing yet
        wheel(60);
        QCOMPARE(windowOf(*w), Window(1, 196));
        wheel(-120);
        QCOMPARE(windowOf(*w), Window(1, 391));
    }

    // Wild positions, a nonsense window and no history: nothing crashes, the caption keeps
    // its text unless the position selects a loaded day, and a second move to the same place
    // leaves exactly one line there.
    void badInput_data() {
        QTest::addColumn<bool>("load");
        QTest::addColumn<Window>("window");
        QTest::addColumn<float>("x");
        QTest::addColumn<bool>("captionKept");
        const float nan = std::numeric_limits<float>::quiet_NaN();
        QTest::newRow("far left") << true << Window{1, 200} << -1e9f << true;
        QTest::newRow("far right") << true << Window{1, 200} << 1e9f << true;
        QTest::newRow("not a number") << true << Window{1, 200} << nan << true;
        // A turned window still selects a day by the same rule.
        QTest::newRow("turned window") << true << Window{300, 100} << 3000.0f << false;
        QTest::newRow("window from day 0") << true << Window{0, 100} << 3000.0f << false;
        QTest::newRow("window past the history") << true << Window{4000, 9000} << 3000.0f << true;
        QTest::newRow("extreme window") << true << Window{-32768, 32767} << 3000.0f << true;
        QTest::newRow("no history") << false << Window{1, 200} << 3000.0f << true;
    }
    void badInput() {
        QFETCH(bool, load);
        QFETCH(Window, window);
        QFETCH(float, x);
        QFETCH(bool, captionKept);
        auto w = makeChart(load);
        setWindow(*w, window.first, window.second);
        const QString caption = w->CompanyName();
        w->UpdateCaption(x);
        QCOMPARE(w->CompanyName() == caption, captionKept);
        TKchartPrivate::of(*w).core.moveVerticalLine(x);
        const QList<QImage> once = verticalImages(*w);
        TKchartPrivate::of(*w).core.moveVerticalLine(x);
        QCOMPARE(verticalImages(*w), once);
        PictureBox* p1 = box(*w, "Picture1");
        QTest::mouseClick(p1, Qt::LeftButton, {}, QPoint(5, 5));
        whenMenuOpens([](QMenu*) {});
        QTest::mouseClick(p1, Qt::RightButton, {}, QPoint(5, 5));
        QCOMPARE(w->OldVerticalLineX(), 75.0f);
        for (Qt::Key k : {Qt::Key_Left, Qt::Key_PageUp, Qt::Key_Plus, Qt::Key_End})
            QTest::keyClick(p1, k);
    }
};

QTEST_MAIN(TestInteraction)
#include "tst_interaction.moc"
