// SPDX-License-Identifier: BSD-3-Clause
// Simulated trading: marks, rows, gains, deleting, the report, chart files, the widget's list.

#include "Fixtures.h"

#include "widget/PictureBox.h"
#include "widget/TKchartPrivate.h"

#include <tk5chctl/TKchart.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

using namespace tk5;

namespace {

// 150 days shown 1..100 on a chart 10100 twips wide: day d is centred at x = 10100 - 100 d.
struct Trading {
    test::CoreFixture f;
    ChartCore& core = f.core;
    QStringList warnings;
    int drawn = -1; // redraws since the first delete / gains step

    Trading() {
        std::vector<test::Day> days = test::waveDays(150);
        for (auto [d, c] : {std::pair{30, 50.f}, {25, 55.f}, {20, 60.f}, {15, 66.f}, {10, 54.f}})
            days[size_t(d - 1)] = {c + 1, c - 1, c};
        test::fillSeries(core.state().series, days);
        f.surfaces.Picture1.setSizeTwips(10100, 5475);
        core.state().ending_date_local = 100;
        core.onWarning = [this](const QString& t) { warnings << t; };
        core.FullRedraw();
        core.onDrawComplete = [this] { drawn += drawn >= 0; };
        f.surfaces.clearLogs();
    }
    QString rows() const {
        QStringList out;
        for (const TransactionRow& r : core.transactions().rows)
            out << QStringList{r.kind, r.price, r.gain}.join(' ').trimmed();
        return out.join(',');
    }
    QString gains() const { // "20.0 % | 21.0 %", or the bare captions
        QString g = core.transactions().sumGain + " | " + core.transactions().cumGain;
        return g.remove("Summarized gain: ").remove("Cumulative gain: ");
    }
    // The tip of the first (or last) arrow drawn since the logs were cleared (six pen lines each).
    QPoint tip(bool last = false) const {
        const auto pens = test::callsOf(f.surfaces.Picture1, DrawCall::Op::PenLine);
        if (pens.size() < 6) return {-1, -1};
        const DrawCall& p = pens[last ? pens.size() - 6 : 0];
        return {int(p.x1), int(p.y1)};
    }
    // "B12 S10 D3 G F L C": buy/sell on a day, delete a row, gains, fill, clear logs, clear all.
    void run(const QString& steps) {
        for (const QString& s : steps.split(' ', Qt::SkipEmptyParts)) {
            if (QString("DGC").contains(s[0])) drawn = std::max(drawn, 0);
            if (s[0] == 'L') f.surfaces.clearLogs();
            if (s[0] == 'B') core.RecordBuy(float(10100 - 100 * s.mid(1).toInt()));
            if (s[0] == 'S') core.RecordSell(float(10100 - 100 * s.mid(1).toInt()));
            if (s[0] == 'D') core.deleteTransaction(s.mid(1).toInt());
            if (s[0] == 'G') core.calculateGains();
            if (s[0] == 'F') core.FillListView();
            if (s[0] == 'C') core.ClearBuysSells();
        }
    }
};

// Runs work on the next popup menu that opens, then closes it.
void whenPopupOpens(const std::function<void(QMenu*)>& work, int tries = 50) {
    QTimer::singleShot(10, [work, tries] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            work(menu);
            if (menu->isVisible()) menu->close();
        } else if (tries > 0)
            whenPopupOpens(work, tries - 1);
    });
}

} // namespace

class TestTransactions : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        test::useEnglishLocale();
        qputenv("TK5CHCTL_HIST_DIR", test::sampleHistDir().toLocal8Bit());
    }

    // A buy's arrow tip lies 50 twips under the day's bar, a sell's 50 over it, also when redrawn,
    // the line at x inverted twice; on a hidden chart 200 and 30 twips above the bottom edge.
    void marks() {
        for (bool buy : {true, false}) {
            Trading t;
            t.run(buy ? "L B12" : "B20 L S12");
            const auto lines = test::callsOf(t.f.surfaces.Picture1, DrawCall::Op::Line);
            QCOMPARE(lines.size(), size_t(2));
            for (const DrawCall& l : lines)
                QVERIFY(l.mode == kDrawInvert && l.x1 == 8900 && l.x2 == 8900 && l.y1 == 0 &&
                        l.y2 == 5475);
            const QPoint recorded = t.tip();
            t.f.surfaces.clearLogs();
            t.core.FullRedraw();
            DrawCall bar; // the two-pixel bar of day 12, then its flag
            for (const DrawCall& b : test::callsOf(t.f.surfaces.Picture1, DrawCall::Op::Box))
                if (b.x1 == 8885 && b.x2 == 8900 && bar.y1 == 0) bar = b;
            QVERIFY(bar.y1 > 0);
            const float end = buy ? std::max(bar.y1, bar.y2) + 50 : std::min(bar.y1, bar.y2) - 50;
            QCOMPARE(recorded, QPoint(593, qRound(end / 15)));
            QCOMPARE(t.tip(true), recorded);

            t.core.state().chart_hidden = kTrue;
            t.run(buy ? "L B12" : "L S12");
            QCOMPARE(t.tip().y(), qRound((5475 - (buy ? 200 : 30)) / 15.0));
        }
    }

    // name; steps; rows; gains; warnings; redraws (-1: nothing deleted, recomputed or cleared)
    void records_data() {
        QTest::addColumn<QStringList>("f");
        for (
            const QString& row : QStringList{
                "two pairs; B30 S25 B20 S15; B 50.00,S 55.00 10.0,B 60.00,S 66.00 10.0; 20.0 % | 21.0 %; 0; -1",
                "a loss; B20 S10; B 60.00,S 54.00 -10.0; -10.0 % | -10.0 %; 0; -1",
                "open buy; B30 S25 B20; B 50.00,S 55.00 10.0,B 60.00; 10.0 % | 10.0 %; 0; -1",
                // The sell's gain is taken against the newest buy; the sums pair rows as listed.
                "two buys, one sell; B30 B20 S15; B 50.00,B 60.00,S 66.00 10.0; 20.0 % | 20.0 %; 0; -1",
                "same day; B20 S20; B 60.00,S 60.00 0.0; 0.0 % | 0.0 %; 0; -1",
                "sell before buy; B20 S25; B 60.00; 0.0 % | 0.0 %; 1; -1",
                "sell, no buy; S25; ; 0.0 % | 0.0 %; 1; -1",
                // A position right of the window is on no loaded day and is ignored.
                "no day; B0 S0; ; Summarized gain | Cumulative gain; 0; -1",
                "a buy alone; B30; B 50.00; Summarized gain | Cumulative gain; 0; -1",
                // Only the last row can be deleted: a sell with its buy, then an open buy.
                "del last pair; B30 S25 B20 S15 D3; B 50.00,S 55.00 10.0; 10.0 % | 10.0 %; 0; 1",
                "del not last; B30 S25 B20 S15 D2; B 50.00,S 55.00 10.0,B 60.00,S 66.00 10.0; 20.0 % | 21.0 %; 0; 0",
                "cancelled; B30 B20 G; B 50.00,B 60.00; 0.0 % | 0.0 %; 0; 0",
                "del only pair; B20 S10 D1; ; 0.0 % | 0.0 %; 0; 1",
                "del open buy; B30 S25 B20 D2; B 50.00,S 55.00 10.0; 10.0 % | 10.0 %; 0; 1",
                "del pair, then open buy before it; B30 B20 S15 D2; ; 0.0 % | 0.0 %; 0; 2",
                "del a second sell; B30 S25 S15 D2; B 50.00,S 55.00 10.0; 10.0 % | 10.0 %; 0; 1",
                // The rebuilt list pairs the k-th sell with the k-th buy, and appends.
                "fill; B30 S25 B20 F; B 50.00,S 55.00 10.0,B 60.00,B 50.00,S 55.00 10.0,B 60.00; 10.0 % | 10.0 %; 0; -1",
                "clear; B30 S25 B20 F L C; ; Summarized gain | Cumulative gain; 0; 1"})
            QTest::newRow(qPrintable(row.section(';', 0, 0))) << row.split("; ");
    }
    void records() {
        QFETCH(QStringList, f);
        Trading t;
        t.run(f[1]);
        QCOMPARE(t.rows(), f[2]);
        QCOMPARE(t.gains(), f[3]);
        QCOMPARE(t.warnings,
                 QStringList(f[4].toInt(), "You can't sell the security before you bought it"));
        QCOMPARE(t.drawn, f[5].toInt());
        QCOMPARE(t.core.state().buy_number + t.core.state().sell_number,
                 f[2].count(',') + !f[2].isEmpty() - 3 * f[1].endsWith('F'));
        if (!f[2].isEmpty()) // rows carry the day's date text as loaded
            QCOMPARE(t.core.transactions().rows[0].date,
                     t.core.state().series.price_date[t.core.state().buy_day[1]]);
        if (f[1].endsWith('C'))
            QVERIFY(test::callsOf(t.f.surfaces.Picture1, DrawCall::Op::PenLine).empty());
    }

    void report() {
        Trading t;
        t.core.state().company_name = "Oracle Corp";
        t.run("B20 S15 B10");
        const PriceSeries& s = t.core.state().series;
        QCOMPARE(t.core.PrintTransactionsReport(),
                 "Oracle Corp\nBought on:   " + s.price_date[20] + "\t\t at: $60.00\n" +
                     "Sold on:     " + s.price_date[15] + "\t\t at: $66.00\t Gain:10.0%\n" +
                     "Bought on:   " + s.price_date[10] + "\t\t at: $54.00\n\n" +
                     "Summarized gain: 10.0 %\nCumulative gain: 10.0 %\n");
    }

    // 250 buys fill the list; the next is refused without a mark or a row.
    void capacity() {
        Trading t;
        t.run(QString("B5 ").repeated(250) + "L B5");
        QCOMPARE(QList({int(t.core.state().buy_number), int(t.core.transactions().rows.size())}),
                 QList({250, 250}));
        QVERIFY(t.f.surfaces.Picture1.calls().calls().empty());
        QCOMPARE(t.warnings, QStringList{"No more than 250 buys can be recorded."});
    }

    // In the widget: Record Buy and Sell from the chart's menu, the list's rows, colours, labels
    // and menu (last row only). The saved chart opens elsewhere with ticker, records (listed only
    // when asked), window, indicator and periods on its tab; a bad file changes nothing.
    void inTheWidget() {
        TKchart w(QMap<QString, QString>{});
        w.setAttribute(Qt::WA_DontShowOnScreen);
        w.ReadDataFile("ORCL");
        w.resize(800, 600);
        w.show();
        TKchartPrivate& d = TKchartPrivate::of(w);
        struct Asked : Prompts {
            QString asked;
            void message(const QString&, MessageIcon) override {}
            bool confirm(const QString& text, const QString& title, MessageIcon icon) override {
                asked = title + ": " + text + (icon == MessageIcon::Exclamation ? " (!)" : "");
                return true;
            }
        } prompts;
        w.setPrompts(&prompts);
        for (auto [item, px] : {std::pair{"mnuPopupRecordBuy", 200}, {"mnuPopupRecordSell", 400}}) {
            whenPopupOpens([item](QMenu* menu) { menu->findChild<QAction*>(item)->trigger(); });
            QTest::mouseClick(d.Picture1, Qt::RightButton, {}, QPoint(px, 100));
        }
        QCOMPARE(d.ListView1->topLevelItemCount(), 2);
        QTreeWidgetItem *buy = d.ListView1->topLevelItem(0), *sell = d.ListView1->topLevelItem(1);
        QCOMPARE(buy->text(0) + sell->text(0), "BS");
        QCOMPARE(QList({buy->foreground(0).color(), sell->foreground(0).color()}),
                 QList({QColor(0, 200, 0), QColor(200, 0, 0)}));
        QCOMPARE(sell->text(3), d.core.transactions().rows[1].gain);
        QVERIFY(d.SumGain->text().startsWith("Summarized gain: ") &&
                d.CumGain->text().endsWith(" %"));

        QTemporaryDir dir;
        const QString path = dir.filePath("chart.tkc");
        d.core.state().pane(2).kind = SlowStochastic;
        d.core.state().pane(2).ss_periods_k = 9;
        w.setEnding_date_local(120);
        w.redraw();
        w.SaveChartInFile(path);
        TKchart opened(QMap<QString, QString>{});
        opened.OpenChartFromFile(path);
        const auto summary = [&] {
            return QStringList{opened.ticker_name(), QString::number(opened.TechInd2()),
                               QString::number(opened.ending_date_local()),
                               QString::number(opened.buy_number() * 10 + opened.sell_number())};
        };
        const QStringList expected{"ORCL", QString::number(SlowStochastic), "120", "11"};
        QCOMPARE(summary(), expected);
        QStringList shown;
        for (QLineEdit* box : TKchartPrivate::of(opened).Frame2->findChildren<QLineEdit*>())
            if (!box->isHidden()) shown << box->text();
        QVERIFY2(shown.contains("9"), qPrintable(shown.join(',')));
        QCOMPARE(TKchartPrivate::of(opened).ListView1->topLevelItemCount(), 0);
        QFile bad(path);
        QVERIFY(bad.open(QIODevice::WriteOnly) && bad.write("MSFT\r\nStatus:abc\r\n") > 0);
        bad.close();
        QVERIFY_THROWS_EXCEPTION(TKchartError, opened.OpenChartFromFile(path));
        QCOMPARE(summary(), expected);

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
