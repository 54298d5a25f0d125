// SPDX-License-Identifier: BSD-3-Clause
// Random user and host actions (TK5_SOAK_STEPS/SEED): only TKchartError escapes, counts agree.

#include "Fixtures.h"

#include "widget/ClickLabel.h"
#include "widget/PictureBox.h"
#include "widget/TKchartPrivate.h"

#include <tk5chctl/TKchart.h>

#include <QApplication>
#include <QMenu>
#include <QTreeWidget>
#include <QtTest>

#include <random>

using namespace tk5;

struct QuietPrompts : Prompts {
    void message(const QString&, MessageIcon) override {}
    bool confirm(const QString&, const QString&, MessageIcon) override { return true; }
};

class TestSoak : public QObject {
    Q_OBJECT
private Q_SLOTS:

    void randomSession() {
        test::useEnglishLocale();
        qputenv("TK5CHCTL_HIST_DIR", test::sampleHistDir().toLocal8Bit());
        const int steps = qEnvironmentVariable("TK5_SOAK_STEPS", "10000").toInt();
        std::mt19937 rng(qEnvironmentVariable("TK5_SOAK_SEED", "20261206").toUInt());
        auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
        auto any16 = [&] { return static_cast<qint16>(pick(65536) - 32768); };

        QTemporaryDir dir;
        const QString chartFile = dir.filePath("soak.tkc"), garbage = dir.filePath("garbage.tkc");
        QFile g(garbage);
        QVERIFY(g.open(QIODevice::WriteOnly) &&
                g.write(QByteArray("\0\1\2Buy #1:5\r\n", 12).repeated(50)) && g.flush());

        TKchart w(QMap<QString, QString>{});
        QuietPrompts prompts;
        w.setPrompts(&prompts);
        w.setAttribute(Qt::WA_DontShowOnScreen);
        w.ReadDataFile("ORCL");
        w.resize(640, 480);
        w.show();
        TKchartPrivate& d = TKchartPrivate::of(w);
        const QStringList tickers = {"ORCL", "AAPL", "GOOG_L", "AAPL_L", "NOPE", "../etc/passwd"};
        QList<QAction*> toggles = d.mnuPopup->findChildren<QAction*>(); // Custom, Envelopes ask
        toggles.removeIf([](QAction* a) {
            return !a->isCheckable() || a->objectName().contains(QRegularExpression("Custom|Env"));
        });
        const Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_PageUp, Qt::Key_PageDown,
                                Qt::Key_Plus, Qt::Key_Minus, Qt::Key_Home,   Qt::Key_End};
        const int sizes[] = {1, 90, 200, 480, 1300, 3000};
        auto anyX = [&] { return float(pick(20000) - 2000); };
        auto point = [&](QWidget* on) {
            const int spread = pick(10) == 0 ? 5000 : 0;
            return QPoint(pick(on->width() + 1 + 2 * spread) - spread,
                          pick(on->height() + 1 + 2 * spread) - spread);
        };
        auto move = [&](QWidget* on, Qt::MouseButtons b) {
            const QPointF p = point(on);
            QMouseEvent e(QEvent::MouseMove, p, on->mapToGlobal(p), {}, b, {});
            QApplication::sendEvent(on, &e);
        };

        const std::vector<std::function<void()>> actions = {
            [&] { move(d.Picture1, Qt::MouseButtons::fromInt(pick(4))); },
            [&] { QTest::mouseClick(d.Picture1, Qt::LeftButton, {}, point(d.Picture1)); },
            [&] {
                QTest::mousePress(d.PriceRuler, Qt::LeftButton, {}, point(d.PriceRuler));
                move(d.PriceRuler, Qt::LeftButton);
                QTest::mouseRelease(d.PriceRuler, Qt::LeftButton, {}, point(d.PriceRuler));
            },
            [&] { QTest::keyClick(d.Picture1, keys[pick(8)]); },
            [&] {
                QWheelEvent e({5, 5}, d.Picture1->mapToGlobal(QPointF(5, 5)), {},
                              {0, pick(2) ? 120 : -120}, {}, {}, Qt::NoScrollPhase, false);
                QApplication::sendEvent(d.Picture1, &e);
            },
            [&] { QTest::mouseClick(pick(2) ? d.TimeForward : d.TimeBackward, Qt::LeftButton); },
            [&] { toggles[pick(int(toggles.size()))]->trigger(); },
            [&] { pick(2) ? w.RecordBuy(anyX()) : w.RecordSell(anyX()); },
            [&] {
                const int rows = d.ListView1->topLevelItemCount();
                d.ListView1->setCurrentItem(rows ? d.ListView1->topLevelItem(pick(rows)) : nullptr);
                d.deleteSelectedTransaction();
            },
            [&] { w.resize(sizes[pick(6)], sizes[pick(6)]); },
            [&] { w.ReadDataFile(tickers[pick(tickers.size())]); },
            [&] {
                w.setStarting_date_local(pick(3) ? static_cast<qint16>(pick(400) + 1) : any16());
                w.setEnding_date_local(pick(3) ? static_cast<qint16>(pick(3000) + 1) : any16());
                w.redraw();
            },
            [&] {
                const float wild[] = {0, -1e9f, 1e9f, float(qQNaN()), float(pick(9000))};
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
                if (!pick(3)) w.ClearBuysSells();
            },
            [&] { // now and then a printed page, to a PDF file or a missing folder
                if (pick(4)) return;
                w.setPrintTarget(dir.filePath(pick(5) ? "soak.pdf" : "none/soak.pdf"));
                w.PrintEntireChart();
            },
        };

        for (int step = 0; step < steps; ++step) {
            const int a = pick(static_cast<int>(actions.size()));
            try {
                actions[static_cast<size_t>(a)]();
            } catch (const TKchartError&) { // a member may refuse
            } catch (const std::exception& e) {
                QFAIL(qPrintable(QString("step %1/%2: %3").arg(step).arg(a).arg(e.what())));
            }
            const ChartState& st = d.core.state();
            const auto in = [](int v, int hi) { return v >= 0 && v <= hi; };
            QVERIFY2(in(st.buy_number, 250) && in(st.sell_number, 250) &&
                         in(st.series.day_count, 5000) &&
                         size_t(d.ListView1->topLevelItemCount()) ==
                             d.core.transactions().rows.size() &&
                         !QApplication::activePopupWidget() && !QApplication::activeModalWidget(),
                     qPrintable(QString::asprintf("step %d, action %d: buys %d, sells %d, "
                                                  "days %d, rows %d",
                                                  step, a, st.buy_number, st.sell_number,
                                                  st.series.day_count,
                                                  d.ListView1->topLevelItemCount())));
        }
    }
};

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
