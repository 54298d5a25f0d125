// SPDX-License-Identifier: BSD-3-Clause
// What the host application tkchart decides on its own: the tickers it offers and where it
// moves the window for a shorter history.

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
    }
};

QTEST_GUILESS_MAIN(TestHost)
#include "tst_host.moc"
