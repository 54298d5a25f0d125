// SPDX-License-Identifier: BSD-3-Clause
// A long random session on the real widget: mouse, keys, wheel, time buttons, menu items,
// records and deletions, resizes, loads of good and bad tickers, host writes of any window and
// crosshair position, chart files saved and opened. After every step the control must still
// be whole: no failure other than TKchartError reached the caller, the counts and the list
// agree with what the control holds. TK5_SOAK_STEPS and TK5_SOAK_SEED choose the run.

#include "Fixtures.h"

#include "widget/ClickLabel.h"
#include "widget/PictureBox.h"
#include "widget/TKchartPrivate.h"

#include <tk5chctl/TKchart.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include <functional>
#include <limits>
#include <random>

using namespace tk5;

namespace {

// Answers every message and question without a modal box.
struct QuietPrompts : Prompts {
    int messages = 0;
    void message(const QString&, MessageIcon) override { ++messages; }
    bool confirm(const QString&, const QString&, MessageIcon) override { return true; }
};

int envNumber(const char* name, int fallback) {
    bool ok = false;
    const int v = qEnvironmentVariableIntValue(name, &ok);
    return ok ? v : fallback;
}

} // namespace

class TestSoak : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        test::useEnglishLocale();
        qputenv("TK5CHCTL_HIST_DIR", test::sampleHistDir().toLocal8Bit());
    }

    void randomSession() {
        const int steps = envNumber("TK5_SOAK_STEPS", 10000);
        const auto seed = static_cast<std::uint32_t>(envNumber("TK5_SOAK_SEED", 20261206));
        std::mt19937 rng(seed);
        auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
        auto any16 = [&] { return static_cast<qint16>(pick(65536) - 32768); };

        QTemporaryDir dir;
        const QString chartFile = dir.filePath("soak.tkc");
        const QString garbage = dir.filePath("garbage.tkc");
        {
            QFile g(garbage);
            QVERIFY(g.open(QIODevice::WriteOnly));
            g.write(QByteArray("\0\1\2Buy #1:5\r\n", 12).repeated(50));
        }

        TKchart w(QMap<QString, QString>{});
        QuietPrompts prompts;
        w.setPrompts(&prompts);
        w.setAttribute(Qt::WA_DontShowOnScreen);
        w.ReadDataFile("ORCL");
        w.resize(640, 480);
        w.show();
        TKchartPrivate& d = TKchartPrivate::of(w);
        const QStringList tickers = {"ORCL", "AAPL", "GOOG_L", "AAPL_L", "NOPE", "../etc/passwd"};
        const char* toggles[] = {"mnuPopupMA10Days",          "mnuPopupMA50Days",
                                 "mnuPopupMA200Days",         "mnuPriceIndicatorsBands",
                                 "mnuPopupHighLowClose",      "mnuGridSettingsVertical",
                                 "mnuGridSettingsHorizontal", "mnuPopupHideChart"};
        const Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_PageUp, Qt::Key_PageDown,
                                Qt::Key_Plus, Qt::Key_Minus, Qt::Key_Home,   Qt::Key_End};
        auto point = [&](QWidget* on) {
            // Mostly inside, sometimes far outside the widget.
            const int spread = pick(10) == 0 ? 5000 : 0;
            return QPoint(pick(on->width() + 1 + 2 * spread) - spread,
                          pick(on->height() + 1 + 2 * spread) - spread);
        };
        auto move = [&](QWidget* on, Qt::MouseButtons held) {
            const QPointF p = point(on);
            QMouseEvent e(QEvent::MouseMove, p, on->mapToGlobal(p), Qt::NoButton, held,
                          Qt::NoModifier);
            QApplication::sendEvent(on, &e);
        };

        const std::vector<std::function<void()>> actions = {
            [&] {
                move(d.Picture1, pick(3) == 0 ? Qt::LeftButton | Qt::RightButton
                                              : Qt::MouseButtons(Qt::LeftButton));
            },
            [&] { move(d.Picture1, Qt::NoButton); },
            [&] { QTest::mouseClick(d.Picture1, Qt::LeftButton, {}, point(d.Picture1)); },
            [&] {
                QTest::mousePress(d.PriceRuler, Qt::LeftButton, {}, point(d.PriceRuler));
                move(d.PriceRuler, Qt::LeftButton);
                QTest::mouseRelease(d.PriceRuler, Qt::LeftButton, {}, point(d.PriceRuler));
            },
            [&] { QTest::keyClick(d.Picture1, keys[pick(8)]); },
            [&] {
                QWheelEvent e(QPointF(5, 5), d.Picture1->mapToGlobal(QPointF(5, 5)), {},
                              {0, pick(2) ? 120 : -120}, Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
                QApplication::sendEvent(d.Picture1, &e);
            },
            [&] { QTest::mouseClick(pick(2) ? d.TimeForward : d.TimeBackward, Qt::LeftButton); },
            [&] { d.mnuPopup->findChild<QAction*>(toggles[pick(8)])->trigger(); },
            [&] {
                const float x = static_cast<float>(pick(20000) - 2000);
                pick(2) ? w.RecordBuy(x) : w.RecordSell(x);
            },
            [&] {
                const int rows = d.ListView1->topLevelItemCount();
                d.ListView1->setCurrentItem(rows ? d.ListView1->topLevelItem(pick(rows)) : nullptr);
                d.deleteSelectedTransaction();
            },
            [&] {
                static const QSize sizes[] = {{1, 1},      {200, 150},   {640, 480},
                                              {1300, 900}, {2400, 1600}, {90, 3000}};
                w.resize(sizes[pick(6)]);
            },
            [&] { w.ReadDataFile(tickers[pick(tickers.size())]); },
            [&] {
                w.setStarting_date_local(pick(3) ? static_cast<qint16>(pick(400) + 1) : any16());
                w.setEnding_date_local(pick(3) ? static_cast<qint16>(pick(3000) + 1) : any16());
                w.redraw();
            },
            [&] {
                const float wild[] = {0.0f, -1e9f, 1e9f, std::numeric_limits<float>::quiet_NaN(),
                                      static_cast<float>(pick(9000))};
                w.setOldVerticalLineX(wild[pick(5)]);
                w.setIsVerticalLineDisplayed(pick(2) == 0);
                w.UpdateCaption(wild[pick(5)]);
            },
            [&] {
                w.SaveChartInFile(chartFile);
                w.OpenChartFromFile(pick(4) ? chartFile : garbage);
                w.clearTransactionList();
                w.FillListView();
                w.CalculateSumGain();
                w.CalculateCumGain();
            },
            [&] { w.ClearBuysSells(); },
        };

        for (int step = 0; step < steps; ++step) {
            const int a = pick(static_cast<int>(actions.size()));
            try {
                actions[static_cast<size_t>(a)]();
            } catch (const TKchartError&) {
                // A member may refuse; the control must stay whole.
            } catch (const std::exception& e) {
                QFAIL(qPrintable(
                    QStringLiteral("step %1 (action %2): %3").arg(step).arg(a).arg(e.what())));
            }
            const ChartState& st = d.core.state();
            const QString where = QStringLiteral("step %1, action %2").arg(step).arg(a);
            QVERIFY2(st.buy_number >= 0 && st.buy_number <= 250, qPrintable(where));
            QVERIFY2(st.sell_number >= 0 && st.sell_number <= 250, qPrintable(where));
            QVERIFY2(st.series.day_count >= 0 && st.series.day_count <= 5000, qPrintable(where));
            QVERIFY2(static_cast<size_t>(d.ListView1->topLevelItemCount()) ==
                         d.core.transactions().rows.size(),
                     qPrintable(where));
            QVERIFY2(!QApplication::activePopupWidget() && !QApplication::activeModalWidget(),
                     qPrintable(where));
        }
    }
};

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
