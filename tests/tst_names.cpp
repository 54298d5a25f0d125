// SPDX-License-Identifier: BSD-3-Clause
// The lookup service tk5names: reading names tables, and the answers a client gets over
// HTTP from a service started on loopback.

#include "NamesService.h"
#include "NamesTable.h"

#include <tk5chctl/TKchart.h>

#include <QDir>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <ctime>
#include <memory>

using tk5names::NamesService;
using tk5names::NamesTable;

class TestNames : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::unique_ptr<NamesService> service_;
    quint16 port_ = 0;
    QNetworkAccessManager net_;

    QString writeTable(const QString& name, const QByteArray& bytes) {
        QString path = dir_.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) return {};
        return path;
    }
    QNetworkReply* get(const QString& pathAndQuery) {
        return net_.get(QNetworkRequest(
            QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port_).arg(pathAndQuery))));
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        const QString path =
            writeTable(QStringLiteral("service.csv"), "ORCL,Oracle Corporation\n"
                                                      "BRK B,\"Berkshire Hathaway, Inc.\"\n"
                                                      "AT&T,AT&T Inc.\n"
                                                      "NESN,Nestl\xc3\xa9 S.A.\n");
        NamesTable::Loaded loaded = NamesTable::load(path);
        QVERIFY2(loaded.table, qPrintable(loaded.error));
        service_ = std::make_unique<NamesService>(std::move(*loaded.table));
        QString error;
        port_ = service_->listen(QHostAddress::LocalHost, 0, error);
        QVERIFY2(port_ != 0, qPrintable(error));
    }

    void load_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("ticker");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("skipped");
        QTest::newRow("good") << QByteArray("ORCL,Oracle Corporation\nAAPL,Apple Inc.\n") << "orcl"
                              << "Oracle Corporation" << 2 << 0;
        QTest::newRow("CR LF, empty lines, comments, lines without a comma")
            << QByteArray("# TICKER,Name\r\n\r\nORCL,Oracle\r\n  \r\nno comma\r\nAAPL , Apple Inc.")
            << "AAPL"
            << "Apple Inc." << 2 << 1;
        QTest::newRow("quoted comma")
            << QByteArray("BRK B,\"Berkshire Hathaway, Inc.\"\n") << "brk b"
            << "Berkshire Hathaway, Inc." << 1 << 0;
        QTest::newRow("doubled quote, extra column")
            << QByteArray("X,\"The \"\"X\"\" Co\",NYSE\n") << "X"
            << "The \"X\" Co" << 1 << 0;
        QTest::newRow("unquoted name ends at a comma") << QByteArray("X,Foo, Inc.\n") << "X"
                                                       << "Foo" << 1 << 0;
        QTest::newRow("duplicate: the last wins")
            << QByteArray("ORCL,Old\norcl,Oracle Corporation\n") << "ORCL"
            << "Oracle Corporation" << 1 << 0;
        QTest::newRow("empty ticker or name skipped")
            << QByteArray(",Nameless\nORCL,\nORCL,\"\"\n") << "ORCL"
            << "" << 0 << 3;
        QTest::newRow("UTF-8 with a byte order mark")
            << QByteArray("\xef\xbb\xbfNESN,Nestl\xc3\xa9 S.A.\n") << "NESN"
            << "Nestl\u00e9 S.A." << 1 << 0;
        QTest::newRow("Latin-1") << QByteArray("NESN,Nestl\xe9 S.A.\n") << "nesn"
                                 << "Nestl\u00e9 S.A." << 1 << 0;
        QTest::newRow("empty file") << QByteArray() << "ORCL"
                                    << "" << 0 << 0;
    }
    void load() {
        QFETCH(QByteArray, file);
        QFETCH(QString, ticker);
        QFETCH(QString, name);
        QFETCH(int, size);
        QFETCH(int, skipped);
        const NamesTable::Loaded loaded = NamesTable::load(writeTable("t.csv", file));
        QVERIFY2(loaded.table, qPrintable(loaded.error));
        QCOMPARE(loaded.table->name(ticker), name);
        QCOMPARE(loaded.table->size(), size);
        QCOMPARE(loaded.skippedLines, skipped);
    }

    // A missing file or a folder gives no table, and a reason naming it.
    void unreadable() {
        for (const QString& path : {dir_.filePath("missing.csv"), dir_.path()}) {
            const NamesTable::Loaded loaded = NamesTable::load(path);
            QVERIFY(!loaded.table);
            QVERIFY2(loaded.error.contains(path), qPrintable(loaded.error));
        }
    }

    // 100 000 rows load in well under a second of processor time (TK5_NAMES_LOAD_MS: slower
    // builds' limit; the wall clock depends on what else the machine runs).
    void largeTable() {
        QByteArray file;
        for (int i = 0; i < 100000; ++i)
            file += "T" + QByteArray::number(i) + ",\"Company " + QByteArray::number(i) +
                    ", Inc.\"\r\n";
        const QString path = writeTable("large.csv", file);
        const std::clock_t start = std::clock();
        const NamesTable::Loaded loaded = NamesTable::load(path);
        const long ms = long(std::clock() - start) * 1000 / CLOCKS_PER_SEC;
        qInfo("100 000 rows loaded in %ld ms of processor time", ms);
        QVERIFY(loaded.table);
        QCOMPARE(loaded.table->size(), 100000);
        QCOMPARE(loaded.table->name(u"t99999"), "Company 99999, Inc.");
        QVERIFY(ms < qEnvironmentVariable("TK5_NAMES_LOAD_MS", "500").toLong());
    }

    // Every bundled history has its company in the bundled table.
    void bundledTable() {
        const QDir hist(qEnvironmentVariable("TK5_HIST"));
        const NamesTable::Loaded loaded = NamesTable::load(hist.filePath("names.csv"));
        QVERIFY2(loaded.table, qPrintable(loaded.error));
        QCOMPARE(loaded.skippedLines, 0);
        const QStringList files = hist.entryList({"*.csv"}, QDir::Files);
        QVERIFY(files.size() > 1);
        for (const QString& f : files)
            if (f != QLatin1String("names.csv"))
                QVERIFY2(!loaded.table->name(f.chopped(4)).isEmpty(), qPrintable(f));
    }

    void lookup_data() {
        QTest::addColumn<QString>("request");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("known") << "/cgi-bin/ticker.pl?ORCL" << 200
                               << QByteArray("Oracle Corporation\r\n");
        QTest::newRow("lower case")
            << "/cgi-bin/ticker.pl?orcl" << 200 << QByteArray("Oracle Corporation\r\n");
        QTest::newRow("unknown") << "/cgi-bin/ticker.pl?NOPE" << 200 << QByteArray();
        QTest::newRow("encoded space")
            << "/cgi-bin/ticker.pl?brk%20b" << 200 << QByteArray("Berkshire Hathaway, Inc.\r\n");
        QTest::newRow("encoded &")
            << "/cgi-bin/ticker.pl?AT%26T" << 200 << QByteArray("AT&T Inc.\r\n");
        QTest::newRow("plain &") << "/cgi-bin/ticker.pl?AT&T" << 200 << QByteArray("AT&T Inc.\r\n");
        QTest::newRow("name in Latin-1")
            << "/cgi-bin/ticker.pl?NESN" << 200 << QByteArray("Nestl\xe9 S.A.\r\n");
        QTest::newRow("wrong path") << "/cgi-bin/names.pl?ORCL" << 404 << QByteArray();
        QTest::newRow("path as a pattern") << "/cgi-bin/tickerXpl?ORCL" << 404 << QByteArray();
    }
    void lookup() {
        QFETCH(QString, request);
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        std::unique_ptr<QNetworkReply> reply(get(request));
        QSignalSpy finished(reply.get(), &QNetworkReply::finished);
        QVERIFY(finished.wait(5000));
        QCOMPARE(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), status);
        QCOMPARE(reply->readAll(), body);
        if (status == 200)
            QCOMPARE(reply->header(QNetworkRequest::ContentTypeHeader).toString(),
                     "text/plain; charset=ISO-8859-1");
    }

    void concurrentClients() {
        const QStringList tickers{"ORCL", "NOPE", "AT%26T", "brk%20b"};
        const QByteArrayList bodies{"Oracle Corporation\r\n", "", "AT&T Inc.\r\n",
                                    "Berkshire Hathaway, Inc.\r\n"};
        std::vector<std::unique_ptr<QNetworkReply>> replies;
        int pending = 20;
        for (int i = 0; i < 20; ++i) {
            replies.emplace_back(get("/cgi-bin/ticker.pl?" + tickers[i % 4]));
            connect(replies.back().get(), &QNetworkReply::finished, this, [&] { --pending; });
        }
        QTRY_COMPARE_WITH_TIMEOUT(pending, 0, 10000);
        for (int i = 0; i < 20; ++i)
            QCOMPARE(replies[size_t(i)]->readAll(), bodies[i % 4]);
    }

    // The control asks the shipped service: tickers with a space and an ampersand travel
    // whole, and the reply's CR LF becomes one trailing space.
    void controlAsksTheService() {
        const QMap<QString, QString> settings{
            {QStringLiteral("LookupHost"), QStringLiteral("127.0.0.1:%1").arg(port_)}};
        for (const auto& [ticker, name] :
             {std::pair{"BRK B", "Berkshire Hathaway, Inc. "}, std::pair{"AT&T", "AT&T Inc. "},
              std::pair{"NOPE", "NOPE"}}) {
            TKchart chart(settings);
            chart.setTicker_name(QString::fromLatin1(ticker));
            QSignalSpy resolved(&chart, &TKchart::CompanyNameResolved);
            chart.DrawLabel();
            QCOMPARE(chart.CompanyName(), QString::fromLatin1(name));
            QCOMPARE(resolved.count(), 1);
        }
    }
};

QTEST_MAIN(TestNames)
#include "tst_names.moc"
