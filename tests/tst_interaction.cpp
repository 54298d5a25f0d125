// SPDX-License-Identifier: BSD-3-Clause
// The crosshair and its caption, the mouse on the chart and the price ruler, the popup menu,
// the time buttons, navigation, keyboard and wheel: driven as a user and a host drive them.

#include "Fixtures.h"

#include "chart/Crosshair.h"
#include "common/Formats.h"
#include "widget/ClickLabel.h"
#include "widget/PictureBox.h"
#include "widget/TKchartPrivate.h"

#include <tk5chctl/TKchart.h>

#include <QApplication>
#include <QDialog>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

using namespace tk5;
using Window = std::pair<int, int>;

namespace {

std::unique_ptr<TKchart> makeChart(bool load = true, bool window = false) {
    auto w = std::make_unique<TKchart>(QMap<QString, QString>{});
    if (!window) w->setAttribute(Qt::WA_DontShowOnScreen);
    if (load) w->ReadDataFile(QStringLiteral("ORCL"));
    w->resize(800, 600);
    w->show();
    return w;
}

PictureBox* box(const TKchart& w, const char* n) { return w.findChild<PictureBox*>(n); }
void rows(std::initializer_list<const char*> list) {
    QTest::addColumn<int>("unused");
    for (const char* r : list)
        QTest::newRow(r) << 0;
}
QStringList row(char sep = ' ') { return QString::fromLatin1(QTest::currentDataTag()).split(sep); }
TKchartPrivate& priv(const TKchart& w) { return TKchartPrivate::of(const_cast<TKchart&>(w)); }
Window windowOf(const TKchart& w) { return {w.starting_date_local(), w.ending_date_local()}; }
void setWindow(TKchart& w, int s, int e) { w.setStarting_date_local(s), w.setEnding_date_local(e); }
void moveWith(QWidget* on, QPointF p, Qt::MouseButtons held) {
    QMouseEvent e(QEvent::MouseMove, p, on->mapToGlobal(p), Qt::NoButton, held, Qt::NoModifier);
    QApplication::sendEvent(on, &e);
}

QList<QImage> verticalImages(const TKchart& w) {
    QList<QImage> out;
    for (const char* n : {"Picture1", "Picture2", "Picture3", "Picture4", "DateRuler"})
        out << box(w, n)->surface().image().copy();
    return out;
}

void whenMenuOpens(const std::function<void(QMenu*)>& work) {
    QTimer::singleShot(0, [work] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        work(menu);
        if (menu->isVisible()) menu->close();
    });
}

const QStringList kStartChecked = {"mnuGridSettingsHorizontal", "mnuGridSettingsVertical",
                                   "mnuPopupHighLowClose",      "mnuPopupMA10Days",
                                   "mnuPopupMA200Days",         "mnuPopupMA50Days"};

} // namespace

class TestInteraction : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        test::useEnglishLocale();
        qputenv("TK5CHCTL_HIST_DIR", test::sampleHistDir().toLocal8Bit());
    }

    // Window 1..4 on 3000 twips: day d centred at 3000 - 600 d; halves 1.5 2.5 3.5 to even.
    void dayUnderPosition() {
        ChartState st;
        st.starting_date_local = 1, st.ending_date_local = 4;
        const int xDay[] = {3000, 0, 2701, 0, 2700, 1, 2100, 1, 1500, 3, 600, 4, 0, 5};
        for (int i = 0; i < 14; i += 2)
            QCOMPARE(dayUnder(st, 3000, xDay[i]).value_or(-99), xDay[i + 1]);
    }

    // Closes of days 1, 2, 3 (newest first) | x (window 1..3 on 4000 twips: days at 3000, 2000,
    // 1000) | high, low, close, day of December in the caption (empty: kept) | change text.
    void captionTexts_data() {
        rows({"101.5 100 0.5|3000|102.50 100.50 101.50 31|Change +$1.5   +1.5%",
              "101.5 100 0.5|1000|1.50 -.50 .50 29|",
              "49.25 50 50|3000|50.25 48.25 49.25 31|Change -$0.75   -1.5%",
              "7 7 7|2000|8.00 6.00 7.00 30|Change -$0   -0%",
              "12 10 10|3000|13.00 11.00 12.00 31|Change +$2   +20%", "101.5 100 0.5|3900||",
              "5|1000||"});
    }
    void captionTexts() {
        const QStringList r = row('|'), c = r[2].split(' ');
        test::CoreFixture f;
        ChartState& st = f.core.state();
        std::vector<test::Day> days;
        for (const QString& close : r[0].split(' '))
            days.push_back({close.toFloat() + 1, close.toFloat() - 1, close.toFloat()});
        test::fillSeries(st.series, days);
        st.company_name = QStringLiteral("Co");
        st.starting_date_local = 1, st.ending_date_local = 3;
        f.surfaces.Picture1.setSizeTwips(4000, 3000);
        QString shown = QStringLiteral("(old)"), changeShown = shown;
        Color color = 1;
        f.core.onCaptionChanged = [&](const QString& t) { shown = t; };
        f.core.onChangeTextChanged = [&](const QString& t, Color k) { changeShown = t, color = k; };
        f.core.UpdateCaption(r[1].toFloat());
        const QString want("Co   High: $%1   Low: $%2   Close: $%3   Date: %4,Dec,2014");
        QCOMPARE(shown, r[2].isEmpty() ? QString("(old)") : want.arg(c[0], c[1], c[2], c[3]));
        QCOMPARE(changeShown, r[3]);
        QCOMPARE(color, r[3].startsWith("Change +") ? kRiseColor : kFallColor);
    }

    // Window after each operation on 500 days: op from to (back/fwd, in/out, <</>>, new/old).
    void navigation_data() {
        rows({"back 1 200 200 399",  "back 200 399 301 500", "fwd 301 500 102 301",
              "fwd 1 200 1 200",     "in 1 200 1 140",       "in 10 20 10 17",
              "in 10 12 10 11",      "in 10 11 10 11",       "in 20 10 20 23",
              "out 100 200 1 300",   "out 300 450 150 500",  "out 50 50 50 51",
              "out 500 500 500 500", "<< 300 497 300 497",   "<< 300 495 305 500",
              ">> 5 100 5 100",      ">> 6 100 1 95",        "new 300 350 1 51",
              "old 3 53 450 500",    "old 1 900 1 500"});
    }

    void navigation() {
        const QStringList r = row();
        test::CoreFixture f;
        ChartState& st = f.core.state();
        test::fillSeries(st.series, test::waveDays(500));
        st.starting_date_local = static_cast<std::int16_t>(r[1].toInt());
        st.ending_date_local = static_cast<std::int16_t>(r[2].toInt());
        int redraws = 0;
        f.core.onDrawComplete = [&] { ++redraws; };
        ChartCore& c = f.core;
        const QStringList names = {"back", "fwd", "in", "out", "<<", ">>", "new", "old"};
        const std::function<void()> ops[] = {[&] { c.GoBackward(); },   [&] { c.GoForward(); },
                                             [&] { c.ZoomIn(); },       [&] { c.ZoomOut(); },
                                             [&] { c.stepBackward(); }, [&] { c.stepForward(); },
                                             [&] { c.goNewest(); },     [&] { c.goOldest(); }};
        try {
            ops[names.indexOf(r[0])]();
        } catch (const ChartError&) { // past the oldest day: stored, then the redraw stops
        }
        QCOMPARE(QStringLiteral("%1 %2").arg(st.starting_date_local).arg(st.ending_date_local),
                 r[3] + ' ' + r[4]);
        QCOMPARE(redraws, (r[0] == "<<" || r[0] == ">>") && r[1] == r[3] && r[2] == r[4] ? 0 : 1);
    }

    void mouseOnChart() {
        auto w = makeChart();
        PictureBox* p1 = box(*w, "Picture1");
        const QList<QImage> before = verticalImages(*w);
        w->startRecording();
        QTest::mouseClick(p1, Qt::LeftButton, {}, QPoint(300, 100));
        QStringList lines = w->recordedDrawCalls();
        QCOMPARE(lines.size(), 5);
        for (const QString& l : lines)
            QVERIFY2(l.contains(" Line 4500 0 4500 ") && l.contains("mode=6"), qPrintable(l));
        QCOMPARE(w->OldVerticalLineX(), 4500.0f);
        QVERIFY(w->isVerticalLineDisplayed());
        QCOMPARE(p1->surface().pixel(300, 50), 0xFFFFFF ^ (before[0].pixel(300, 50) & 0xFFFFFF));
        const ChartState& st = priv(*w).core.state();
        const std::optional<std::int16_t> day = dayUnder(st, p1->surface().Width(), 4500);
        QVERIFY(day && *day > 1 && *day < 200);
        const QString date = formatDate(*readDate(st.series.price_date[*day]), "dd,mmm,yyyy");
        QVERIFY2(w->CompanyName().endsWith("   Date: " + date), qPrintable(w->CompanyName()));
        const auto* label = w->findChild<QLabel*>(QStringLiteral("ChangeLabel"));
        const bool rise = label->text().startsWith("Change +");
        QVERIFY2(rise || label->text().startsWith("Change -"), qPrintable(label->text()));
        QCOMPARE(label->palette().color(QPalette::WindowText),
                 QColor(rise ? 0 : 255, rise ? 255 : 0, 0));
        const QList<QImage> one = verticalImages(*w);
        for (int i = 0; i < one.size(); ++i) {
            int n = 0; // changed pixels; only column 300 may change
            for (int y = 0; y < one[i].height(); ++y)
                for (int x = 0; x < one[i].width(); ++x)
                    n += one[i].pixel(x, y) != before[i].pixel(x, y) ? (x == 300 ? 1 : 1000) : 0;
            QCOMPARE(n, one[i].height());
        }
        // A click elsewhere removes that line; clicking back restores the picture exactly.
        QTest::mouseClick(p1, Qt::LeftButton, {}, QPoint(500, 100));
        QTest::mouseClick(p1, Qt::LeftButton, {}, QPoint(300, 100));
        QCOMPARE(verticalImages(*w), one);
        // A left drag moves the line; a move with two buttons held only remembers the pointer.
        QTest::mousePress(p1, Qt::LeftButton, {}, QPoint(100, 50));
        moveWith(p1, {120, 60}, Qt::LeftButton);
        QCOMPARE(w->OldVerticalLineX(), 1800.0f);
        const QString caption = w->CompanyName();
        moveWith(p1, {400, 70}, Qt::LeftButton | Qt::RightButton);
        QCOMPARE(w->OldVerticalLineX(), 1800.0f);
        QCOMPARE(w->CompanyName(), caption);
        QCOMPARE(QPointF(priv(*w).mouse_x, priv(*w).mouse_y), QPointF(6000, 1050));
        // The price ruler's line is dashed (18 pixels inverted, 6 not); Clear wipes it.
        PictureBox* ruler = box(*w, "PriceRuler");
        const QImage plain = p1->surface().image().copy();
        w->startRecording();
        QTest::mousePress(ruler, Qt::LeftButton, {}, QPoint(10, 40));
        moveWith(ruler, {10, 80}, Qt::LeftButton);
        QTest::mouseRelease(ruler, Qt::LeftButton, {}, QPoint(10, 80));
        lines = w->recordedDrawCalls();
        QCOMPARE(lines.size(), 3); // drawn at 40, removed at 40, drawn at 80
        QVERIFY2(lines[2].startsWith("Picture1 Line 0 1200 ") && lines[2].contains("style=1") &&
                     lines[2].contains("mode=6"),
                 qPrintable(lines[2]));
        QCOMPARE(w->OldHorizontalLineY(), 1200.0f);
        QCOMPARE(p1->surface().DrawStyle, kSolid);
        QCOMPARE(p1->surface().DrawMode, kDrawCopy);
        QVERIFY(p1->surface().image().pixel(17, 80) != plain.pixel(17, 80));
        QCOMPARE(p1->surface().image().pixel(20, 80), plain.pixel(20, 80));
        w->Clear();
        QVERIFY(!w->isHorizontalLineDisplayed());
        w->startRecording();
        QTest::mousePress(ruler, Qt::LeftButton, {}, QPoint(10, 40));
        QCOMPARE(w->recordedDrawCalls().size(), 1);
        // A vertical line at x = 0 is never removed by a move, nor one the host says is hidden.
        for (auto [first, hostHides] : {std::pair{0.0f, false}, {3000.0f, true}}) {
            w->redraw();
            priv(*w).core.moveVerticalLine(first);
            if (hostHides) w->setIsVerticalLineDisplayed(false);
            w->startRecording();
            priv(*w).core.moveVerticalLine(6000);
            QCOMPARE(w->recordedDrawCalls().size(), 5);
        }
        // The popup menu at start-up; the right button chooses an item too.
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
            QAction* bars = menu->findChild<QAction*>(QStringLiteral("mnuPopupHighLowClose"));
            QTest::mouseClick(menu, Qt::RightButton, {}, menu->actionGeometry(bars).center());
        });
        QTest::mouseClick(box(*w, "Picture1"), Qt::RightButton, {}, QPoint(200, 100));
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
        QCOMPARE(priv(*w).core.state().show_high_low_close, kFalse);
        QCOMPARE(w->OldVerticalLineX(), 3000.0f);
        // Time Range posts Ctrl+T to the focused widget.
        QKeySequenceEdit focused; // records the key presses it receives
        focused.show();
        QApplication::setActiveWindow(&focused);
        focused.setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), &focused);
        priv(*w).mnuPopup->findChild<QAction*>("mnuPopupTimeRange")->trigger();
        QCOMPARE(focused.keySequence(), QKeySequence()); // posted, not sent
        QCoreApplication::processEvents();
        QCOMPARE(focused.keySequence(), QKeySequence("Ctrl+T"));
    }

    // Each item toggles and redraws, only its check mark follows; again restores the picture.
    void menuToggles_data() {
        rows({"mnuPopupMA10Days", "mnuPopupMA50Days", "mnuPopupMA200Days",
              "mnuPriceIndicatorsBands", "mnuPopupHighLowClose", "mnuGridSettingsVertical",
              "mnuGridSettingsHorizontal", "mnuPopupHideChart"});
    }
    void menuToggles() {
        const QString item = row()[0];
        auto w = makeChart();
        QSignalSpy redraws(w.get(), &TKchart::DrawComplete);
        w->startRecording();
        w->redraw();
        const QStringList base = w->recordedDrawCalls();
        QAction* action = priv(*w).mnuPopup->findChild<QAction*>(item);
        w->startRecording();
        action->trigger();
        QVERIFY(w->recordedDrawCalls() != base);
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

    // On: a dialog (item typed button, then custom, envelope periods, percent; 18 18 9 before).
    void overlayDialogs_data() {
        rows({"mnuPopupMACustom 30 OKButton 30 18 9", "mnuPopupMACustom 30 CancelButton 18 18 9",
              "mnuPriceIndicatorsEnvelopes 15 OKButton 18 15 5",
              "mnuPriceIndicatorsEnvelopes 15 CancelButton 18 18 9"});
    }
    void overlayDialogs() {
        const QStringList r = row();
        const bool custom = r[0] == "mnuPopupMACustom";
        auto w = makeChart();
        TKchartPrivate& d = priv(*w);
        int dialogs = 0; // modal over the chart
        QString opened;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            dialogs += dialog->isModal() && dialog->parentWidget() == w.get() ? 1 : 100;
            auto* text1 = dialog->findChild<QLineEdit*>(QStringLiteral("Text1"));
            auto* text2 = dialog->findChild<QLineEdit*>(QStringLiteral("Text2"));
            opened = text1->text() + (text2 ? ' ' + text2->text() : QString());
            text1->setText(r[1]);
            dialog->findChild<QPushButton*>(r[2])->click();
        });
        sharedOverlaySettings() = {18, 18, 9};
        QAction* action = d.mnuPopup->findChild<QAction*>(r[0]);
        action->trigger();
        const OverlaySettings& o = sharedOverlaySettings();
        auto overlays = [&] {
            return QList<int>{o.custom_ma_periods, o.envelope_periods, o.envelope_percent};
        };
        QCOMPARE(overlays(), (QList<int>{r[3].toInt(), r[4].toInt(), r[5].toInt()}));
        QCOMPARE(dialogs, 1);
        QCOMPARE(opened, custom ? QStringLiteral("18") : QStringLiteral("18 5"));
        QCOMPARE(custom ? w->MACustom() : d.core.state().show_envelopes != 0, true);
        action->trigger(); // switching off: no dialog
        QCOMPARE(dialogs, 1);
        QCOMPARE(custom ? w->MACustom() : d.core.state().show_envelopes != 0, false);
        TKchart other(QMap<QString, QString>{});
        QCOMPARE(overlays(), (QList<int>{20, 20, 5}));
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
        const QImage shot = p1->grab().toImage(), pic = p1->surface().image();
        int shown = 0, drawn = 0; // the focus frame is on screen, not in the picture
        for (int x = 0; x < p1->width(); ++x)
            shown += shot.pixel(x, 0) == p1->palette().color(QPalette::Highlight).rgb(),
                drawn += pic.pixel(x, 0) == p1->palette().color(QPalette::Highlight).rgb();
        QVERIFY(shown > p1->width() / 4);
        QCOMPARE(drawn, 0);
        auto dayOfLine = [&] {
            return *dayUnder(priv(*w).core.state(), p1->surface().Width(), w->OldVerticalLineX());
        };
        const int day = dayOfLine();
        QTest::keyClick(p1, Qt::Key_Left);
        QCOMPARE(dayOfLine(), day + 1);
        QTest::keyClick(p1, Qt::Key_Right);
        QTest::keyClick(p1, Qt::Key_Right);
        QCOMPARE(dayOfLine(), day - 1);
        const int n = w->loadedDays();
        const int steps[] = {Qt::Key_PageUp, 200,     399, Qt::Key_PageDown, 1, 200,
                             Qt::Key_Minus,  1,       399, Qt::Key_Plus,     1, 280,
                             Qt::Key_End,    n - 279, n,   Qt::Key_Home,     1, 280};
        for (int i = 0; i < 18; i += 3) {
            QTest::keyClick(p1, Qt::Key(steps[i]));
            QCOMPARE(windowOf(*w), Window(steps[i + 1], steps[i + 2]));
        }
        const int wheel[] = {60, 280, 60, 196, -120, 391}; // half a notch does nothing yet
        for (int i = 0; i < 6; i += 2) {
            QWheelEvent e(QPointF(50, 50), p1->mapToGlobal(QPointF(50, 50)), {}, {0, wheel[i]},
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(p1, &e);
            QCOMPARE(windowOf(*w), Window(1, wheel[i + 1]));
        }
        TKchartPrivate& d = priv(*w);
        QCOMPARE(d.TimeForward->font().pixelSize(), 16);
        QVERIFY(!d.TimeForward->font().bold());
        auto look = [&] {
            return d.TimeForward->palette().color(QPalette::Window).name() +
                   d.TimeForward->palette().color(QPalette::WindowText).name();
        };
        setWindow(*w, 100, 130); // a short window redraws fast, so the repeats keep time
        QTest::mouseClick(d.TimeForward, Qt::LeftButton);
        QTest::mouseClick(d.TimeBackward, Qt::LeftButton);
        QTest::mouseClick(d.TimeBackward, Qt::LeftButton);
        QCOMPARE(windowOf(*w), Window(105, 135));
        // Held a second: three repeats and the final click's step.
        QTest::mousePress(d.TimeForward, Qt::LeftButton);
        QCOMPARE(look(), "#232323#ffffff");
        QTest::qWait(1050);
        QTest::mouseRelease(d.TimeForward, Qt::LeftButton);
        QCOMPARE(windowOf(*w), Window(85, 115));
        QCOMPARE(look(), "#ffffff#232323");
        QVERIFY(!d.Timer1->isActive());
        setWindow(*w, n - 100, n - 3);
        QTest::mouseClick(d.TimeBackward, Qt::LeftButton);
        QCOMPARE(windowOf(*w), Window(n - 100, n - 3));
        // A doubled index that leaves 16 bits is an error for the host and keeps the window.
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

    // Loaded, window, x, caption kept; a second move to the same place leaves one line.
    void badInput_data() {
        rows({"1 1 200 -1e9 1", "1 1 200 1e9 1", "1 1 200 nan 1", "1 300 100 3000 0",
              "1 0 100 3000 0", "1 4000 9000 3000 1", "1 -32768 32767 3000 1", "0 1 200 3000 1"});
    }
    void badInput() {
        const QStringList r = row();
        const float x = r[3] == "nan" ? qQNaN() : r[3].toFloat();
        auto w = makeChart(r[0] == "1");
        setWindow(*w, r[1].toInt(), r[2].toInt());
        const QString caption = w->CompanyName();
        w->UpdateCaption(x);
        QCOMPARE(w->CompanyName() == caption, r[4] == "1");
        priv(*w).core.moveVerticalLine(x);
        const QList<QImage> once = verticalImages(*w);
        priv(*w).core.moveVerticalLine(x);
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
