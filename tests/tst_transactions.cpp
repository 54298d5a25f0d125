// SPDX-License-Identifier: BSD-3-Clause
// Simulated trading: recording buys and sells at a chart position, their marks and list rows,
// the refusal, the two gains, deleting the last transaction, the report, and the list in the
// real widget.

#include "Fixtures.h"

#include "widget/PictureBox.h"
#include "widget/TKchartPrivate.h"

#include <tk5chctl/TKchart.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include <functional>

using namespace tk5;

namespace {

// 150 loaded days; the closes of some days set by the test. The window shows days 1..100 on a
// chart 10100 twips wide, so day d is centred at x = 10100 - 100 d.
struct Trading {
    test::CoreFixture f;
    ChartCore& core = f.core;
    QStringList warnings;

    explicit Trading(const QMap<int, float>& closes = {}) {
        std::vector<test::Day> days = test::waveDays(150);
        for (auto it = closes.begin(); it != closes.end(); ++it)
            days[static_cast<size_t>(it.key() - 1)] = {it.value() + 1, it.value() - 1, it.value()};
        test::fillSeries(core.state().series, days);
        f.surfaces.Picture1.setSizeTwips(10100, 5475);
        core.state().ending_date_local = 100;
        core.onWarning = [this](const QString& t) { warnings << t; };
        core.FullRedraw();
        f.surfaces.clearLogs();
    }
    static float x(int day) { return static_cast<float>(10100 - 100 * day); }
    // "B 50.00", "S 55.00 10.0", ... for every row.
    QStringList rows() const {
        QStringList out;
        for (const TransactionRow& r : core.transactions().rows)
            out << QStringList{r.kind, r.price, r.gain}.join(' ').trimmed();
        return out;
    }
    QString gains() const {
        return core.transactions().sumGain + " | " + core.transactions().cumGain;
    }
    // The pixel where an arrow drawn since the logs were cleared has its tip: the first one, or
    // the last one (each arrow is six pen lines from its tip).
    QPoint tip(bool last = false) const {
        const auto pens = test::callsOf(f.surfaces.Picture1, DrawCall::Op::PenLine);
        if (pens.size() < 6) return {-1, -1};
        const DrawCall& p = pens[last ? pens.size() - 6 : 0];
        return {int(p.x1), int(p.y1)};
    }
    // Runs "B12 S10 ..." (buy or sell on a day).
    void run(const QString& steps) {
        for (const QString& s : steps.split(' ', Qt::SkipEmptyParts))
            std::invoke(s[0] == 'B' ? &ChartCore::RecordBuy : &ChartCore::RecordSell, core,
                        x(s.mid(1).toInt()));
    }
};

// Runs work on the next popup menu that opens (checking for a while), then closes it.
void whenPopupOpens(const std::function<void(QMenu*)>& work, int tries = 50) {
    QTimer::singleShot(10, [work, tries] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) {
            if (tries > 0) whenPopupOpens(work, tries - 1);
            return;
        }
        work(menu);
        if (menu->isVisible()) menu->close();
    });
}

const QMap<int, float> kPrices = {{30, 50}, {25, 55}, {20, 60}, {15, 66}, {10, 54}};

} // namespace

class TestTransactions : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        test::useEnglishLocale();
        qputenv("TK5CHCTL_HIST_DIR", test::sampleHistDir().toLocal8Bit());
    }

    // A buy's arrow tip lies 50 twips under the day's bar, a sell's 50 twips over it; a
    // redraw puts it at the same place; around the mark the line at x is inverted twice.
    void marksAtTheBars_data() {
        QTest::addColumn<bool>("buy");
        QTest::newRow("buy") << true;
        QTest::newRow("sell") << false;
    }
    void marksAtTheBars() {
        QFETCH(bool, buy);
        Trading t;
        if (!buy) t.run("B20");
        t.f.surfaces.clearLogs();
        t.run(buy ? "B12" : "S12");
        const std::vector<DrawCall> lines =
            test::callsOf(t.f.surfaces.Picture1, DrawCall::Op::Line);
        QCOMPARE(lines.size(), size_t(2));
        for (const DrawCall& l : lines)
            QVERIFY(l.mode == kDrawInvert && l.x1 == 8900 && l.x2 == 8900 && l.y1 == 0 &&
                    l.y2 == 5475);
        const QPoint recorded = t.tip();
        // The bar of day 12 as the chart draws it (a two-pixel box in a 100-day window).
        t.f.surfaces.clearLogs();
        t.core.FullRedraw();
        DrawCall bar;
        for (const DrawCall& b : test::callsOf(t.f.surfaces.Picture1, DrawCall::Op::Box))
            if (b.x1 == 8885 && b.x2 == 8900 && bar.y1 == 0) bar = b; // the bar, then its flag
        QVERIFY(bar.y1 > 0);
        const float end = buy ? std::max(bar.y1, bar.y2) + 50 : std::min(bar.y1, bar.y2) - 50;
        QCOMPARE(recorded, QPoint(593, qRound(end / 15)));
        QCOMPARE(t.tip(true), recorded);
    }

    // While the chart is hidden a recorded buy sits 200 twips and a sell 30 twips above the
    // bottom edge.
    void marksOfAHiddenChart() {
        Trading t;
        t.core.state().chart_hidden = kTrue;
        t.run("B12");
        QCOMPARE(t.tip().y(), qRound((5475 - 200) / 15.0));
        t.f.surfaces.clearLogs();
        t.run("S12");
        QCOMPARE(t.tip().y(), qRound((5475 - 30) / 15.0));
    }

    void recordsAndGains_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("gains");
        QTest::addColumn<int>("warnings");
        QTest::newRow("two pairs")
            << "B30 S25 B20 S15"
            << QStringList{"B 50.00", "S 55.00 10.0", "B 60.00", "S 66.00 10.0"}
            << "Summarized gain: 20.0 % | Cumulative gain: 21.0 %" << 0;
        QTest::newRow("a loss") << "B20 S10" << QStringList{"B 60.00", "S 54.00 -10.0"}
                                << "Summarized gain: -10.0 % | Cumulative gain: -10.0 %" << 0;
        QTest::newRow("an open buy counts for nothing")
            << "B30 S25 B20" << QStringList{"B 50.00", "S 55.00 10.0", "B 60.00"}
            << "Summarized gain: 10.0 % | Cumulative gain: 10.0 %" << 0;
        // The sell's gain is taken against the newest buy; the sums pair the rows as listed.
        QTest::newRow("two buys, one sell")
            << "B30 B20 S15" << QStringList{"B 50.00", "B 60.00", "S 66.00 10.0"}
            << "Summarized gain: 20.0 % | Cumulative gain: 20.0 %" << 0;
        QTest::newRow("same day") << "B20 S20" << QStringList{"B 60.00", "S 60.00 0.0"}
                                  << "Summarized gain: 0.0 % | Cumulative gain: 0.0 %" << 0;
        // Refused sells record nothing and still compute the gains.
        QTest::newRow("sell before the buy")
            << "B20 S25" << QStringList{"B 60.00"}
            << "Summarized gain: 0.0 % | Cumulative gain: 0.0 %" << 1;
        QTest::newRow("sell without a buy")
            << "S25" << QStringList{} << "Summarized gain: 0.0 % | Cumulative gain: 0.0 %" << 1;
        // Positions on no loaded day are ignored: day 0 right of the window, day 151.
        QTest::newRow("no day") << "B0 S0" << QStringList{} << "Summarized gain | Cumulative gain"
                                << 0;
        QTest::newRow("a buy alone")
            << "B30" << QStringList{"B 50.00"} << "Summarized gain | Cumulative gain" << 0;
    }
    void recordsAndGains() {
        QFETCH(QString, steps);
        QFETCH(QStringList, rows);
        QFETCH(QString, gains);
        QFETCH(int, warnings);
        Trading t(kPrices);
        t.run(steps);
        QCOMPARE(t.rows(), rows);
        QCOMPARE(t.gains(), gains);
        QCOMPARE(t.warnings.size(), warnings);
        if (warnings) QCOMPARE(t.warnings[0], "You can't sell the security before you bought it");
        QCOMPARE(t.core.state().buy_number + t.core.state().sell_number, rows.size());
        // Rows carry the day's date text as loaded.
        if (!rows.isEmpty())
            QCOMPARE(t.core.transactions().rows[0].date,
                     t.core.state().series.price_date[t.core.state().buy_day[1]]);
    }

    // Only the last row can be deleted: a sell with its buy, then an open buy left at the end.
    void deleting_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<int>("row"); // -1: cancelled
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("gains");
        QTest::addColumn<int>("redraws");
        const QString pairs = "B30 S25 B20 S15";
        QTest::newRow("last pair") << pairs << 3 << QStringList{"B 50.00", "S 55.00 10.0"}
                                   << "Summarized gain: 10.0 % | Cumulative gain: 10.0 %" << 1;
        QTest::newRow("not the last row")
            << pairs << 2 << QStringList{"B 50.00", "S 55.00 10.0", "B 60.00", "S 66.00 10.0"}
            << "Summarized gain: 20.0 % | Cumulative gain: 21.0 %" << 0;
        QTest::newRow("cancelled") << "B30 B20" << -1 << QStringList{"B 50.00", "B 60.00"}
                                   << "Summarized gain: 0.0 % | Cumulative gain: 0.0 %" << 0;
        QTest::newRow("the only pair") << "B20 S10" << 1 << QStringList{}
                                       << "Summarized gain: 0.0 % | Cumulative gain: 0.0 %" << 1;
        QTest::newRow("an open buy") << "B30 S25 B20" << 2 << QStringList{"B 50.00", "S 55.00 10.0"}
                                     << "Summarized gain: 10.0 % | Cumulative gain: 10.0 %" << 1;
        // After the pair goes, the open buy before it is now last and goes too.
        QTest::newRow("a pair after an open buy")
            << "B30 B20 S15" << 2 << QStringList{}
            << "Summarized gain: 0.0 % | Cumulative gain: 0.0 %" << 2;
    }
    void deleting() {
        QFETCH(QString, steps);
        QFETCH(int, row);
        QFETCH(QStringList, rows);
        QFETCH(QString, gains);
        QFETCH(int, redraws);
        Trading t(kPrices);
        t.run(steps);
        int drawn = 0;
        t.core.onDrawComplete = [&] { ++drawn; };
        if (row < 0)
            t.core.calculateGains();
        else
            t.core.deleteTransaction(row);
        QCOMPARE(t.rows(), rows);
        QCOMPARE(t.gains(), gains);
        QCOMPARE(drawn, redraws);
        QCOMPARE(t.core.state().buy_number + t.core.state().sell_number, rows.size());
    }

    void report() {
        Trading t(kPrices);
        t.core.state().company_name = "Oracle Corp";
        t.run("B20 S15 B10");
        const ChartState& st = t.core.state();
        QCOMPARE(t.core.PrintTransactionsReport(),
                 "Oracle Corp\nBought on:   " + st.series.price_date[20] + "\t\t at: $60.00\n" +
                     "Sold on:     " + st.series.price_date[15] + "\t\t at: $66.00\t Gain:10.0%\n" +
                     "Bought on:   " + st.series.price_date[10] + "\t\t at: $54.00\n\n" +
                     "Summarized gain: 10.0 %\nCumulative gain: 10.0 %\n");
    }

    // The list rebuilt from the records pairs the k-th sell with the k-th buy, and appends.
    void fillAndClear() {
        Trading t(kPrices);
        t.run("B30 S25 B20");
        t.core.FillListView();
        QCOMPARE(t.rows().size(), 6);
        QCOMPARE(t.rows().mid(3), t.rows().mid(0, 3));
        t.f.surfaces.clearLogs();
        int drawn = 0;
        t.core.onDrawComplete = [&] { ++drawn; };
        t.core.ClearBuysSells();
        QCOMPARE(t.rows(), QStringList{});
        QCOMPARE(t.gains(), "Summarized gain | Cumulative gain");
        QCOMPARE(drawn, 1);
        QCOMPARE(t.core.state().buy_number + t.core.state().sell_number, 0);
        // The marks are gone from the redrawn chart.
        QVERIFY(test::callsOf(t.f.surfaces.Picture1, DrawCall::Op::PenLine).empty());
    }

    // 250 buys fill the list; the next is refused without a mark or a row.
    void capacity() {
        Trading t;
        for (int i = 0; i < 250; ++i)
            t.run("B5");
        t.f.surfaces.clearLogs();
        t.run("B5");
        QCOMPARE(t.core.state().buy_number, std::int16_t(250));
        QCOMPARE(t.core.transactions().rows.size(), size_t(250));
        QVERIFY(t.f.surfaces.Picture1.calls().calls().empty());
        QCOMPARE(t.warnings, QStringList{"No more than 250 buys can be recorded."});
    }

    // A chart saved by one control opens in another: the ticker, a pane's indicator and
    // periods (shown on the Indicators tab), the window and the records; a file that fails
    // changes nothing.
    void chartFilesInTheControl() {
        QTemporaryDir dir;
        const QString path = dir.filePath("chart.tkc");
        TKchart saved(QMap<QString, QString>{});
        saved.setAttribute(Qt::WA_DontShowOnScreen);
        saved.ReadDataFile("AAPL");
        saved.resize(800, 600);
        saved.show();
        ChartState& st = TKchartPrivate::of(saved).core.state();
        st.pane(2).kind = SlowStochastic;
        st.pane(2).ss_periods_k = 9;
        saved.setEnding_date_local(120);
        saved.redraw();
        saved.RecordBuy(6000);
        saved.RecordSell(7000);
        saved.SaveChartInFile(path);

        TKchart opened(QMap<QString, QString>{});
        opened.OpenChartFromFile(path);
        QCOMPARE(opened.ticker_name(), "AAPL");
        QCOMPARE(opened.TechInd2(), qint16(SlowStochastic));
        QCOMPARE(opened.ending_date_local(), qint16(120));
        QCOMPARE(opened.buy_number() + opened.sell_number(), 2);
        QStringList shown;
        for (QLineEdit* box : TKchartPrivate::of(opened).Frame2->findChildren<QLineEdit*>())
            if (!box->isHidden()) shown << box->text();
        QVERIFY2(shown.contains("9"), qPrintable(shown.join(',')));
        // The records are listed only when the host asks.
        QCOMPARE(TKchartPrivate::of(opened).ListView1->topLevelItemCount(), 0);

        QFile bad(path);
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("MSFT\r\nStatus:abc\r\n");
        bad.close();
        QVERIFY_THROWS_EXCEPTION(TKchartError, opened.OpenChartFromFile(path));
        QCOMPARE(opened.ticker_name(), "AAPL");
        QCOMPARE(opened.buy_number() + opened.sell_number(), 2);
    }

    // In the widget: Record Buy and Sell from the chart's menu at the clicked day, the list's
    // rows and colours, the labels, and the list's menu on the last row only.
    void inTheWidget() {
        TKchart w(QMap<QString, QString>{});
        w.setAttribute(Qt::WA_DontShowOnScreen);
        w.ReadDataFile("ORCL");
        w.resize(800, 600);
        w.show();
        TKchartPrivate& d = TKchartPrivate::of(w);
        // Messages and questions are answered here, never by a modal box.
        struct Asked : Prompts {
            QString asked;
            void message(const QString&, MessageIcon) override {}
            bool confirm(const QString& text, const QString& title, MessageIcon icon) override {
                asked = title + ": " + text + (icon == MessageIcon::Exclamation ? " (!)" : "");
                return true;
            }
        } prompts;
        w.setPrompts(&prompts);
        auto choose = [&](const char* item, int px) {
            whenPopupOpens([item](QMenu* menu) { menu->findChild<QAction*>(item)->trigger(); });
            QTest::mouseClick(d.Picture1, Qt::RightButton, {}, QPoint(px, 100));
        };
        choose("mnuPopupRecordBuy", 200);
        choose("mnuPopupRecordSell", 400);
        QCOMPARE(d.ListView1->topLevelItemCount(), 2);
        QTreeWidgetItem* buy = d.ListView1->topLevelItem(0);
        QTreeWidgetItem* sell = d.ListView1->topLevelItem(1);
        QCOMPARE(buy->text(0) + sell->text(0), "BS");
        QCOMPARE(buy->foreground(0).color(), QColor(0, 200, 0));
        QCOMPARE(sell->foreground(0).color(), QColor(200, 0, 0));
        QCOMPARE(sell->text(3), d.core.transactions().rows[1].gain);
        QVERIFY(d.SumGain->text().startsWith("Summarized gain: "));
        QVERIFY(d.CumGain->text().endsWith(" %"));
        // The list's menu: not over the first row, then over the selected last row.
        d.SSTab1->setCurrentIndex(1);
        bool offered = false;
        for (int row : {0, 1}) {
            d.ListView1->setCurrentItem(d.ListView1->topLevelItem(row));
            whenPopupOpens([&](QMenu* menu) {
                offered = true;
                menu->findChild<QAction*>("mnuPopupListViewDelete")->trigger();
            });
            d.listMenuAt(d.ListView1->visualItemRect(d.ListView1->topLevelItem(row)).center());
            QCOMPARE(offered, row == 1);
        }
        QCOMPARE(prompts.asked, "Confirmation: Delete transaction?\n(corresponding Buys or Sells "
                                "will also be deleted) (!)");
        QCOMPARE(d.ListView1->topLevelItemCount(), 0);
        QCOMPARE(d.SumGain->text(), "Summarized gain: 0.0 %");
        w.setPrompts(nullptr);
    }
};

QTEST_MAIN(TestTransactions)
#include "tst_transactions.moc"
