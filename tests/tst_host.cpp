// SPDX-License-Identifier: BSD-3-Clause
// What the host application tkchart decides on its own: the tickers it offers, where it
// moves the window for a shorter history and which window it keeps for the next ticker, the
// window its time-range dialog chooses and the positions its command line accepts.

#include "HostRules.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestHost : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void windowInside_data() {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("newFirst");
        QTest::addColumn<int>("newLast");
        QTest::newRow("inside") << 1 << 200 << 5000 << 1 << 200;
        QTest::newRow("starts on the oldest day") << 506 << 700 << 506 << 506 << 700;
        QTest::newRow("starts one past the oldest day") << 507 << 706 << 506 << 307 << 506;
        QTest::newRow("longer than the history") << 1000 << 1999 << 506 << 1 << 1000;
        QTest::newRow("no day loaded: kept") << 300 << 400 << 0 << 300 << 400;
    }
    void windowInside() {
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(int, days);
        QFETCH(int, newFirst);
        QFETCH(int, newLast);
        const auto [s, e] = tkchart::windowInside(qint16(first), qint16(last), qint16(days));
        QCOMPARE(int(s), newFirst);
        QCOMPARE(int(e), newLast);
    }

    // Only names the control can open: it upper-cases the ticker and adds ".csv".
    void openableTickers() {
        QTemporaryDir dir;
        for (const char* name : {"ORCL.csv", "orcl.csv", "Goog.csv", "BRK_B.csv", "AAPL.CSV",
                                 "NOTES.txt", "A..B.csv", "2024.csv"}) {
            QFile f(dir.filePath(QString::fromLatin1(name)));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("DIR.csv")));
        QCOMPARE(tkchart::openableTickers(dir.path()), (QStringList{"2024", "BRK_B", "ORCL"}));
        // The bundled folder: the histories, not the lookup service's names.csv.
        QCOMPARE(tkchart::openableTickers(qEnvironmentVariable("TK5_HIST")),
                 (QStringList{"AAPL", "AAPL_L", "GOOG_L", "ORCL"}));
    }

    void windowKept_data() {
        QTest::addColumn<int>("askedFirst");
        QTest::addColumn<int>("askedLast");
        QTest::addColumn<int>("shownFirst");
        QTest::addColumn<int>("shownLast");
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("keptFirst");
        QTest::addColumn<int>("keptLast");
        QTest::newRow("shown as asked") << 1 << 200 << 1 << 200 << 5000 << 1 << 200;
        QTest::newRow("end lowered to the oldest day") << 1 << 1000 << 1 << 506 << 506 << 1 << 1000;
        QTest::newRow("moved back") << 1 << 200 << 201 << 400 << 5000 << 201 << 400;
        QTest::newRow("zoomed in") << 1 << 200 << 1 << 140 << 5000 << 1 << 140;
        QTest::newRow("zoomed out onto the oldest day") << 1 << 200 << 1 << 506 << 506 << 1 << 506;
        QTest::newRow("moved onto the oldest day") << 1 << 1000 << 2 << 506 << 506 << 2 << 506;
        QTest::newRow("no day loaded") << 1 << 120 << 1 << 200 << 0 << 1 << 120;
    }
    void windowKept() {
        QFETCH(int, askedFirst);
        QFETCH(int, askedLast);
        QFETCH(int, shownFirst);
        QFETCH(int, shownLast);
        QFETCH(int, days);
        QFETCH(int, keptFirst);
        QFETCH(int, keptLast);
        const auto [s, e] =
            tkchart::windowKept({qint16(askedFirst), qint16(askedLast)},
                                {qint16(shownFirst), qint16(shownLast)}, qint16(days));
        QCOMPARE(int(s), keptFirst);
        QCOMPARE(int(e), keptLast);
    }

    // From is the oldest day to show, To the newest; the day indexes are what the chart
    // found for the texts (0: none).
    void timeRange_data() {
        QTest::addColumn<QString>("fromText");
        QTest::addColumn<int>("fromDay");
        QTest::addColumn<QString>("toText");
        QTest::addColumn<int>("toDay");
        QTest::addColumn<int>("newest");
        QTest::addColumn<int>("oldest");
        QTest::addColumn<QString>("refusedField");
        QTest::addColumn<QString>("message");
        QTest::newRow("From older than To")
            << "31-Jan-14" << 230 << "31-Dec-14" << 1 << 1 << 230 << ""
            << "";
        QTest::newRow("From newer than To: taken the other way round")
            << "2014-12-31" << 1 << "1/31/2014" << 230 << 1 << 230 << ""
            << "";
        QTest::newRow("one day") << "24-Dec-14" << 5 << "24-Dec-2014" << 5 << 5 << 5 << ""
                                 << "";
        QTest::newRow("unknown From")
            << "31-Feb-05" << 0 << "31-Dec-14" << 1 << 0 << 0 << "From"
            << "From: \u201C31-Feb-05\u201D is not a trading day in ORCL's history.";
        QTest::newRow("To not a date, spaces dropped")
            << "31-Jan-14" << 230 << " soon " << 0 << 0 << 0 << "To"
            << "To: \u201Csoon\u201D is not a trading day in ORCL's history.";
        QTest::newRow("both unknown: From first")
            << "x" << 0 << "y" << 0 << 0 << 0 << "From"
            << "From: \u201Cx\u201D is not a trading day in ORCL's history.";
        QTest::newRow("empty From") << "" << 0 << "31-Dec-14" << 1 << 0 << 0 << "From"
                                    << "Enter a date in the From field.";
        QTest::newRow("blank To, whatever its index")
            << "31-Jan-14" << 230 << "  " << 7 << 0 << 0 << "To"
            << "Enter a date in the To field.";
    }
    void timeRange() {
        QFETCH(QString, fromText);
        QFETCH(int, fromDay);
        QFETCH(QString, toText);
        QFETCH(int, toDay);
        QFETCH(int, newest);
        QFETCH(int, oldest);
        QFETCH(QString, refusedField);
        QFETCH(QString, message);
        const auto chosen = tkchart::timeRange(fromText, qint16(fromDay), toText, qint16(toDay),
                                               QStringLiteral("ORCL"));
        if (refusedField.isEmpty()) {
            QVERIFY(std::holds_alternative<tkchart::DayRange>(chosen));
            QCOMPARE(std::get<tkchart::DayRange>(chosen),
                     (tkchart::DayRange{qint16(newest), qint16(oldest)}));
            return;
        }
        QVERIFY(std::holds_alternative<tkchart::DateRefusal>(chosen));
        const auto& refusal = std::get<tkchart::DateRefusal>(chosen);
        QCOMPARE(refusal.field == tkchart::DateRefusal::Field::From ? "From" : "To", refusedField);
        QCOMPARE(refusal.message, message);
    }

    void twipsFromText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<float>("twips");
        QTest::newRow("whole") << "30000" << true << 30000.0f;
        QTest::newRow("negative fraction") << "-15.5" << true << -15.5f;
        QTest::newRow("exponent") << "1.5e3" << true << 1500.0f;
        QTest::newRow("surrounding spaces") << " 42 " << true << 42.0f;
        for (const char* bad : {"", "abc", "12abc", "30,000", "nan", "inf", "1e40", "0x10"})
            QTest::newRow(qPrintable(QStringLiteral("refused: '%1'").arg(QLatin1String(bad))))
                << QString::fromLatin1(bad) << false << 0.0f;
    }
    void twipsFromText() {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QFETCH(float, twips);
        const std::optional<float> x = tkchart::twipsFromText(text);
        QCOMPARE(x.has_value(), accepted);
        if (x) QCOMPARE(*x, twips);
    }
};

QTEST_GUILESS_MAIN(TestHost)
#include "tst_host.moc"
