// SPDX-License-Identifier: BSD-3-Clause
// Fetching over HTTP against a loopback server that misbehaves on demand, the company-name
// lookup's text rules, and the control's lookup members with their event.

#include "net/CompanyLookup.h"
#include "net/mdlINETapi.h"

#include <tk5chctl/Prompts.h>
#include <tk5chctl/TKchart.h>

#include <QElapsedTimer>
#include <QLabel>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

using namespace tk5;

namespace {

// Answers one request: the status line and headers (with
// the body's Content-Length), then the body in pieces of `step` bytes every `delayMs`; a
// `cutAt` of 0 or more closes the connection after that many body bytes; `silent` never
// answers.
class LoopServer : public QTcpServer {
public:
    QByteArray body;
    int step = 1 << 24, delayMs = 0, cutAt = -1;
    bool silent = false;
    QByteArray requestLine, headers;

    LoopServer() {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = nextPendingConnection())
                connect(s, &QTcpSocket::readyRead, s, [this, s] { answer(s); });
        });
    }
    QString host() const { return QStringLiteral("127.0.0.1:%1").arg(serverPort()); }
    QString url() const { return QStringLiteral("http://") + host() + QStringLiteral("/x"); }

private:
    void answer(QTcpSocket* s) {
        if (!s->canReadLine() || !requestLine.isEmpty() || silent) return;
        requestLine = s->readLine().trimmed();
        headers = s->readAll();
        s->write("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nConnection: close\r\n"
                 "Content-Length: " +
                 QByteArray::number(body.size()) + "\r\n\r\n");
        const QByteArray sent = cutAt >= 0 ? body.left(cutAt) : body;
        auto* timer = new QTimer(s);
        auto pos = std::make_shared<qsizetype>(0);
        connect(timer, &QTimer::timeout, s, [this, s, timer, pos, sent] {
            s->write(sent.mid(*pos, step));
            *pos += step;
            if (*pos >= sent.size()) {
                timer->stop();
                s->disconnectFromHost();
            }
        });
        timer->start(delayMs);
    }
};

class CountingPrompts : public Prompts {
public:
    QStringList messages;
    void message(const QString& text, MessageIcon icon) override {
        messages << text + (icon == MessageIcon::None ? "" : " (icon)");
    }
    bool confirm(const QString&, const QString&, MessageIcon) override { return true; }
};

} // namespace

class TestNet : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fetch_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("delayMs");
        QTest::addColumn<int>("cutAt");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QList<qsizetype>>("pieces");
        const QByteArray tenK(10000, 'x');
        QTest::newRow("10000 bytes") << tenK << (1 << 24) << 0 << -1 << QString::fromLatin1(tenK)
                                     << QList<qsizetype>{4096, 4096, 1808};
        QTest::newRow("byte by byte") << QByteArray("Oracle\r\n") << 1 << 30 << -1
                                      << QStringLiteral("Oracle\r\n") << QList<qsizetype>{8};
        QTest::newRow("empty body")
            << QByteArray() << 1 << 0 << -1 << QString() << QList<qsizetype>{};
        QTest::newRow("the text 0")
            << QByteArray("0") << 1 << 0 << -1 << QStringLiteral("0") << QList<qsizetype>{1};
        QTest::newRow("closed mid-body") << QByteArray(6000, 'y') << 3000 << 20 << 5000
                                         << QString(5000, u'y') << QList<qsizetype>{4096, 904};
        QTest::newRow("Latin-1 bytes")
            << QByteArray("Soci\xe9t\xe9\r\n") << 4 << 0 << -1
            << QStringLiteral("Soci\u00e9t\u00e9\r\n") << QList<qsizetype>{9};
        QByteArray huge(10 << 20, 'z');
        QTest::newRow("10 MB") << huge << (1 << 20) << 0 << -1
                               << QString::fromLatin1(huge.left(kMaxFetchBytes))
                               << QList<qsizetype>(256, 4096);
    }
    void fetch() {
        QFETCH(QByteArray, body);
        QFETCH(int, step);
        QFETCH(int, delayMs);
        QFETCH(int, cutAt);
        QFETCH(QString, expected);
        QFETCH(QList<qsizetype>, pieces);
        LoopServer server;
        server.body = body;
        server.step = step;
        server.delayMs = delayMs;
        server.cutAt = cutAt;
        QString url = server.url();
        const QString asked = url;
        QList<qsizetype> read;
        QCOMPARE(WebFetch(url, [&](qsizetype n) { read << n; }), expected);
        QCOMPARE(read, pieces);
        QCOMPARE(url, asked);
        QVERIFY(server.requestLine.startsWith("GET /x HTTP/1.1"));
        QVERIFY(server.headers.contains("User-Agent: TKInternet\r\n"));
    }

    void cannotOpen() {
        QTcpServer closed; // a port nobody listens on any more
        closed.listen(QHostAddress::LocalHost);
        const quint16 port = closed.serverPort();
        closed.close();
        for (QString url : {QStringLiteral("http://127.0.0.1:%1/x").arg(port),
                            QStringLiteral("not an address"), QStringLiteral("ftp://h/x")})
            QCOMPARE(WebFetch(url), QStringLiteral("0"));
        LoopServer silent;
        silent.silent = true;
        QElapsedTimer t;
        t.start();
        QString url = silent.url();
        QCOMPARE(WebFetch(url), QStringLiteral("0"));
        QVERIFY2(t.elapsed() >= kFetchTimeoutMs - 500 && t.elapsed() < kFetchTimeoutMs + 3000,
                 qPrintable(QString::number(t.elapsed())));
    }

    void requestLine() {
        LoopServer server;
        server.body = "Name\r\n";
        QString address = lookupAddress(server.host(), QStringLiteral("BRK B&C/\u00e9"));
        QCOMPARE(WebFetch(address), QStringLiteral("Name\r\n"));
        QCOMPARE(server.requestLine,
                 QByteArray("GET /cgi-bin/ticker.pl?BRK%20B&C/%C3%A9 HTTP/1.1"));
    }

    void lookupTexts_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QString>("withEvent");
        QTest::addColumn<QString>("withoutEvent");
        QTest::newRow("two words, CR LF") << "AB"
                                          << "Oracle Corp\r\n"
                                          << "Oracle Corp "
                                          << "Oracle Corp ";
        QTest::newRow("a line feed only") << ""
                                          << "Oracle\n"
                                          << "Oracl "
                                          << "Oracle ";
        QTest::newRow("empty reply") << "AB"
                                     << ""
                                     << "ORCL"
                                     << "ORCL";
        QTest::newRow("unreachable") << "AB"
                                     << "0"
                                     << "AB"
                                     << " ";
        QTest::newRow("two characters") << ""
                                        << "XY"
                                        << " "
                                        << "X ";
        QTest::newRow("name known") << "ABC"
                                    << "Other\r\n"
                                    << "ABC"
                                    << "ABC";
    }
    void lookupTexts() {
        QFETCH(QString, caption);
        QFETCH(QString, reply);
        QFETCH(QString, withEvent);
        QFETCH(QString, withoutEvent);
        int asked = 0;
        const Fetch fetch = [&](QString& address) {
            ++asked;
            if (address != QStringLiteral("http://h:1/cgi-bin/ticker.pl?ORCL")) return QString();
            return reply;
        };
        const QString ticker = QStringLiteral("ORCL"), host = QStringLiteral("h:1");
        QCOMPARE(lookedUpCaption(caption, ticker, host, fetch, 2, false), withEvent);
        QCOMPARE(lookedUpCaption(caption, ticker, host, fetch, 1, true), withoutEvent);
        QCOMPARE(asked, caption.size() >= 3 ? 0 : 2);
    }

    // The control asks the host named in its settings, stores the name and raises its event
    // once per DrawLabel, never for DrawLabelNoEvent; it survives being deleted meanwhile.
    void controlLookup() {
        LoopServer server;
        server.body = "Oracle Corporation\r\n";
        const QMap<QString, QString> settings{{QStringLiteral("LookupHost"), server.host()}};
        TKchart chart(settings);
        CountingPrompts prompts;
        chart.setPrompts(&prompts);
        chart.setTicker_name(QStringLiteral("ORCL"));
        QSignalSpy resolved(&chart, &TKchart::CompanyNameResolved);
        chart.DrawLabelNoEvent();
        QCOMPARE(chart.CompanyName(), QStringLiteral("Oracle Corporation "));
        QCOMPARE(resolved.count(), 0);
        QCOMPARE(server.requestLine, QByteArray("GET /cgi-bin/ticker.pl?ORCL HTTP/1.1"));
        chart.DrawLabel(); // the name is known: no lookup, the event all the same
        QCOMPARE(resolved.count(), 1);
        chart.UpdateHistData();
        QCOMPARE(prompts.messages, QStringList{"data updated"});

        LoopServer slow;
        slow.body = "Slow Inc\r\n";
        slow.delayMs = 300;
        auto* doomed = new TKchart(QMap<QString, QString>{{"LookupHost", slow.host()}});
        QSignalSpy never(doomed, &TKchart::CompanyNameResolved);
        QTimer::singleShot(50, [doomed] { delete doomed; });
        doomed->DrawLabel();
        QCOMPARE(never.count(), 0);
    }
};

QTEST_MAIN(TestNet)
#include "tst_net.moc"
