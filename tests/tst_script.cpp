// SPDX-License-Identifier: BSD-3-Clause
// tkchart's script binding: the control's members called from JavaScript, their results and
// their errors.

#include "ScriptRunner.h"

#include <tk5chctl/Prompts.h>
#include <tk5chctl/TKchart.h>

#include <QTemporaryDir>
#include <QTest>

namespace {

class SilentPrompts : public tk5::Prompts {
public:
    void message(const QString&, tk5::MessageIcon) override {}
    bool confirm(const QString&, const QString&, tk5::MessageIcon) override { return false; }
};

} // namespace

class TestScript : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { qputenv("TK5CHCTL_HIST_DIR", qgetenv("TK5_HIST")); }

    void run_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("printed");
        QTest::addColumn<QString>("error"); // a part of the error, empty when none
        QTest::newRow("members and properties")
            << "chart.ReadDataFile('ORCL'); chart.DisplayChart(1, 50);\n"
               "print(chart.starting_date_local, chart.ending_date_local, chart.StartingDate,\n"
               "      chart.GetMaximumPrice(1, 50) === chart.MaximumPrice, chart.MA10);"
            << QStringList{"1 50 31-Dec-14 true true"} << "";
        QTest::newRow("a trade at a day's position")
            << "chart.ReadDataFile('ORCL'); chart.DisplayChart(1, 200);\n"
               "chart.RecordBuy(chart.xOfDay(150)); chart.RecordSell(chart.xOfDay(20));\n"
               "print(chart.buy_number, chart.sell_number);\n"
               "print(chart.PrintTransactionsReport().split('\\n')[1].slice(13, 22));"
            << QStringList{"1 1", "30-May-14"} << "";
        QTest::newRow("a member's failure caught")
            << "try { chart.SaveChartInFile('/no/such/folder/x.tkc'); }\n"
               "catch (e) { print(e instanceof Error); }"
            << QStringList{"true"} << "";
        QTest::newRow("a member's failure uncaught")
            << "\nchart.SaveChartInFile('/no/such/folder/x.tkc');" << QStringList{}
            << ":2: Error: The chart cannot be saved to /no/such/folder/x.tkc";
        QTest::newRow("read-only property")
            << "chart.MA10 = false;" << QStringList{} << "TypeError: MA10 is read-only";
        QTest::newRow("argument count")
            << "chart.ZoomIn(1);" << QStringList{} << "ZoomIn takes 0 argument(s), not 1";
        QTest::newRow("argument type") << "chart.UpdateCaption('x');" << QStringList{}
                                       << "argument 1 of UpdateCaption must be a float";
        QTest::newRow("16-bit range") << "chart.DrawPriceRuler(1, 40000);" << QStringList{}
                                      << "RangeError: argument 2 of DrawPriceRuler";
        QTest::newRow("nonsense window")
            << "chart.ReadDataFile('ORCL'); chart.starting_date_local = 300;\n"
               "chart.ending_date_local = -5; try { chart.GoForward(); } catch (e) {}\n"
               "print(chart.loadedDays === undefined);"
            << QStringList{"true"} << "";
        QTest::newRow("endless loop")
            << "print('before'); while (true) {}" << QStringList{"before"} << "stopped after 1 s";
    }
    void run() {
        QFETCH(QString, script);
        QFETCH(QStringList, printed);
        QFETCH(QString, error);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("t.js"));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(script.toUtf8()) > 0);
        f.close();
        TKchart chart(QMap<QString, QString>{});
        SilentPrompts prompts;
        chart.setPrompts(&prompts);
        chart.setAttribute(Qt::WA_DontShowOnScreen);
        chart.resize(900, 700);
        chart.show();
        QStringList out;
        const QString why = tkchart::runScript(chart, file, 1, &out);
        QCOMPARE(out, printed);
        if (error.isEmpty())
            QCOMPARE(why, QString());
        else
            QVERIFY2(why.startsWith(file) && why.contains(error), qPrintable(why));
        QVERIFY(!tkchart::runScript(chart, dir.filePath("none.js"), 1).isEmpty());
    }
};

QTEST_MAIN(TestScript)
#include "tst_script.moc"
