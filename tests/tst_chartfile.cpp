// SPDX-License-Identifier: BSD-3-Clause
#include "chartfile/ChartFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <map>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tk5;
using Kind = ChartError::Kind;

namespace {

std::int16_t i16(int v) { return static_cast<std::int16_t>(v); }

template <typename List> QString joined(const List& days) {
    QStringList out;
    for (const int d : days)
        out << QString::number(d);
    return out.join(QLatin1Char(' '));
}

// Everything a chart file keeps of a state, one text per item.
QStringList kept(const ChartState& st) {
    QStringList out{st.ticker_name, QString::number(st.starting_date_local),
                    QString::number(st.ending_date_local)};
    for (const IndicatorSettings& s : st.pane_settings)
        out << joined(std::initializer_list<int>{
            s.kind, s.rsi_periods, s.fs_periods_k, s.fs_periods_d, s.ss_periods_k, s.ss_periods_d,
            s.exp_ma_periods1, s.exp_ma_periods2, s.macd_periods1, s.macd_periods2, s.macd_periods3,
            s.momentum_periods, s.volatility_periods1, s.volatility_periods2});
    for (int k = 1; k <= st.buy_number; ++k)
        out << QStringLiteral("buy ") + QString::number(st.buy_day[k]);
    for (int k = 1; k <= st.sell_number; ++k)
        out << QStringLiteral("sell ") + QString::number(st.sell_day[k]);
    return out;
}

// A chart unlike a new one: every pane with its own kind and periods, the given transactions.
ChartState chart(const QList<int>& buys = {150, 90}, const QList<int>& sells = {120}) {
    ChartState st;
    st.ticker_name = QStringLiteral("Soci\u00e9t\u00e9 X");
    for (int p = 1; p <= 3; ++p) {
        const int b = 100 * p;
        st.pane(p) = {i16(p + 6),  i16(b + 1),  i16(b + 2),  i16(b + 3), i16(b + 4),
                      i16(b + 5),  i16(b + 6),  i16(b + 7),  i16(b + 8), i16(b + 9),
                      i16(b + 10), i16(b + 11), i16(b + 12), i16(-b),    i16(b + 14)};
    }
    st.starting_date_local = 17;
    st.ending_date_local = 140;
    st.buy_number = i16(buys.size());
    st.sell_number = i16(sells.size());
    for (int k = 1; k <= buys.size(); ++k)
        st.buy_day[k] = i16(buys[k - 1]);
    for (int k = 1; k <= sells.size(); ++k)
        st.sell_day[k] = i16(sells[k - 1]);
    return st;
}

// The file of a new chart of ticker T, lines (1-based) replaced, lines added, with line ends eol.
QByteArray fileWith(const std::map<int, QByteArray>& replaced, const QByteArray& added = {},
                    const QByteArray& eol = "\r\n") {
    ChartFile base = chartFileOf(ChartState());
    base.ticker_name = QStringLiteral("T");
    QList<QByteArray> lines = chartFileText(base).split('\n');
    lines.removeLast();
    for (QByteArray& l : lines)
        l.chop(1);
    for (const auto& [n, text] : replaced)
        lines[n - 1] = text;
    return lines.join(eol) + eol + added;
}

} // namespace

class TestChartFile : public QObject {
    Q_OBJECT

    QTemporaryDir tmp_;
    QString path(const QString& name) const { return tmp_.filePath(name); }

    static void write(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(bytes), bytes.size());
    }
    static QByteArray contents(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(tmp_.isValid()); }

    // The bytes written: 45 lines, then one line per buy and per sell; every line ends in CR LF.
    void writtenText_data() {
        QTest::addColumn<int>("buyNumber");
        QTest::addColumn<QList<int>>("buyDays");
        QTest::addColumn<int>("lines");
        QTest::addColumn<QByteArray>("tail");
        const QByteArray window = "Starting date index:1\r\nEnding date index:200\r\n";
        QList<int> many;
        for (int k = 1; k <= 250; ++k)
            many << -k;
        auto row = [](const char* tag, int n, const QList<int>& days, int lines, QByteArray tail) {
            QTest::newRow(tag) << n << days << lines << tail;
        };
        row("no transactions", 0, {}, 45, window);
        row("buys and sells", 2, {150, 90}, 48,
            window + "Buy #1:150\r\nBuy #2:90\r\nSell #1:120\r\n");
        row("day 0 left out", 3, {0, 150, 0}, 47, window + "Buy #1:150\r\nSell #1:120\r\n");
        row("count below 0", -1, {5}, 46, window + "Sell #1:120\r\n");
        row("count above 250", 300, many, 296, "Buy #250:-250\r\nSell #1:120\r\n");
    }
    void writtenText() {
        QFETCH(int, buyNumber);
        QFETCH(QList<int>, buyDays);
        QFETCH(int, lines);
        ChartState st;
        st.ticker_name = QStringLiteral("Acme");
        st.sell_number = buyNumber == 0 ? 0 : 1;
        st.sell_day[1] = 120;
        for (int k = 1; k <= buyDays.size(); ++k)
            st.buy_day[k] = i16(buyDays[k - 1]);
        st.buy_number = i16(buyNumber);
        const QString file = path(QStringLiteral("written.tkc"));
        SaveChartInFile(st, file);
        const QByteArray text = contents(file);
        QCOMPARE(text.count("\r\n"), lines);
        QCOMPARE(text.count('\n') + text.count('\r'), 2 * lines);
        QVERIFY(text.startsWith("Acme\r\nStatus:1\r\nRelative strength periods:14\r\n"));
        QFETCH(QByteArray, tail);
        QCOMPARE(text.right(tail.size()), tail);
        // Pane 2 of a new chart, lines 16..29.
        const QByteArray pane2 =
            "\r\nStatus:3\r\nRelative strength periods:14\r\nFast stochastic K periods:5\r\n"
            "Fast stochastic D periods:5\r\nSlow stochastic K periods:5\r\n"
            "Slow stochastic D periods:5\r\n"
            "Exponential moving average difference first periods:10\r\n"
            "Exponential moving average difference second periods:15\r\n"
            "MACD first periods:12\r\nMACD second periods:26\r\nMACD signal periods:5\r\n"
            "Momentum periods:12\r\nVolatility first periods:10\r\n"
            "Volatility second periods:10\r\nStatus:6\r\n";
        QCOMPARE(text.indexOf(pane2), text.indexOf("\r\nStatus:", 20));
    }

    // Saved and opened into a new chart, every kept item comes back; money flow periods and
    // the entries after the last buy and sell stay as the new chart had them.
    void roundTrip_data() {
        QTest::addColumn<QList<int>>("buys");
        QTest::addColumn<QList<int>>("sells");
        QTest::newRow("buys and sells") << QList<int>{150, 90} << QList<int>{120};
        QTest::newRow("none") << QList<int>{} << QList<int>{};
        QList<int> full;
        for (int k = 1; k <= 250; ++k)
            full << (k % 2 ? k : -32768 + k);
        QTest::newRow("250 each, negative days") << full << full;
    }
    void roundTrip() {
        QFETCH(QList<int>, buys);
        QFETCH(QList<int>, sells);
        const ChartState saved = chart(buys, sells);
        const QString file = path(QStringLiteral("round.tkc"));
        SaveChartInFile(saved, file);
        ChartState opened;
        opened.buy_day[250] = opened.sell_day[250] = 999;
        for (IndicatorSettings& s : opened.pane_settings)
            s.money_flow_periods = 33;
        applyChartFile(opened, readChartFile(file));
        QCOMPARE(kept(opened), kept(saved));
        for (const IndicatorSettings& s : opened.pane_settings)
            QCOMPARE(s.money_flow_periods, 33);
        QCOMPARE(opened.buy_day[250], buys.size() == 250 ? buys.last() : 999);
        QCOMPARE(opened.sell_day[250], sells.size() == 250 ? sells.last() : 999);
    }

    // How the lines of a file are read: ticker, line 3 (pane 1's RSI periods), line 44 (the
    // window's start), buys and sells.
    void reading_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("read");
        auto row = [](const char* tag, const QByteArray& file, const char* read) {
            QTest::newRow(tag) << file << QString::fromLatin1(read);
        };
        row("numbering not used", fileWith({}, "Sell #3:77\r\nBuy #1:100\r\n"), "T|14|1|100|77");
        row("short lines skipped", fileWith({}, "\r\nx\r\n \r\nBuy #9:5\r\nB\r\nSell:-4"),
            "T|14|1|5|-4");
        row("case, other lines", fileWith({}, "buy #1:5\r\nSELL #1:3\r\nNote:1\r\n"), "T|14|1||");
        row("halves to even", fileWith({{3, "R:2.5"}, {44, "S:-3.5"}}), "T|2|-4||");
        row("exponent, sign, blanks", fileWith({{3, "R: \t1.25e2 "}, {44, "S:+7"}}, "Buy: -5 "),
            "T|125|7|-5|");
        row("labels not compared, no colon", fileWith({{3, "Sell:21"}, {44, " -5"}}), "T|21|-5||");
        row("field ends at a comma", fileWith({{1, "  abc,def"}, {3, "R:12,9"}}, "Buy:3,Sell"),
            "abc|12|1|3|");
        row("Latin-1 ticker", fileWith({{1, "Soci\xE9t\xE9:X "}}), "Soci\xE9t\xE9:X |14|1||");
        row("LF line ends", fileWith({}, "Buy:1\nSell:2\n", "\n"), "T|14|1|1|2");
        row("CR line ends", fileWith({{44, "S:-5"}}, "Buy:1\rSell:2", "\r"), "T|14|-5|1|2");
        row("no end on the last line", fileWith({}).chopped(2), "T|14|1||");
    }
    void reading() {
        QFETCH(QByteArray, file);
        const QString name = path(QStringLiteral("read.tkc"));
        write(name, file);
        const ChartFile read = readChartFile(name);
        QTEST(QStringList({read.ticker_name, QString::number(read.panes[0].rsi_periods),
                           QString::number(read.starting_date_local), joined(read.buys),
                           joined(read.sells)})
                  .join(QLatin1Char('|')),
              "read");
        QCOMPARE(read.panes[2].kind, ExpMADifference);
        QCOMPARE(read.ending_date_local, 200);
    }

    // A file that cannot be read whole fails with its kind and the line it stopped at, and a
    // chart opened from it keeps everything it had.
    void readErrors_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("where");
        const QByteArray full = fileWith({});
        auto upTo = [&full](int n) { return full.split('\n').mid(0, n).join('\n') + '\n'; };
        auto bad = [](const char* tag, const QByteArray& file, Kind kind, const char* where,
                      const char* name = "bad.tkc") {
            QTest::newRow(tag) << QString::fromLatin1(name) << file << int(kind)
                               << QString::fromLatin1(where);
        };
        QByteArray garbage;
        for (int i = 0; i < 4096; ++i)
            garbage += char((i * 7919) % 256);
        bad("empty", "", Kind::File, "ends before line 1 (the ticker)");
        bad("cut after line 1", upTo(1), Kind::File, "before line 2 (pane 1, Status)");
        bad("cut after line 15", upTo(15), Kind::File, "before line 16 (pane 2, Status)");
        bad("cut after line 44", upTo(44), Kind::File, "before line 45 (Ending date index)");
        bad("not a number", fileWith({{3, "R:abc"}}), Kind::TypeMismatch, "line 3");
        bad("no value", fileWith({{45, "E:"}}), Kind::TypeMismatch, "line 45");
        bad("70000", fileWith({{44, "S:70000"}}), Kind::Overflow, "line 44");
        bad("1e9", fileWith({{30, "K:1e9"}}), Kind::Overflow, "line 30");
        bad("32767.5", fileWith({{2, "K:32767.5"}}), Kind::Overflow, "line 2");
        bad("bad buy", fileWith({}, "Buy #1:1x"), Kind::TypeMismatch, "line 46");
        bad("300 buys", fileWith({}, QByteArray("Buy:1\r\n").repeated(300)), Kind::IndexOutOfRange,
            "line 296");
        bad("251 sells", fileWith({}, QByteArray("Sell:1\n").repeated(251)), Kind::IndexOutOfRange,
            "line 296");
        bad("long line", fileWith({{3, "R:" + QByteArray(5000, '1')}}), Kind::File, "line 3");
        bad("10 MB line", QByteArray(10 << 20, 'x'), Kind::File, "1 MB");
        bad("NUL byte", fileWith({{1, QByteArray("T\0", 2)}}), Kind::File, "line 1");
        bad("binary garbage", garbage, Kind::File, "control character");
        bad("a folder", {}, Kind::File, "is a folder", "dir.tkc");
        bad("a pipe", {}, Kind::File, "not a regular file", "pipe.tkc");
        bad("missing file", {}, Kind::File, "no such file", "missing.tkc");
        bad("unreadable file", "x", Kind::File, "ermission", "locked.tkc");
    }
    void readErrors() {
        QFETCH(QString, name);
        QFETCH(QByteArray, file);
        const QString target = path(name);
        if (name == QLatin1String("dir.tkc"))
            QVERIFY(QDir().mkpath(target));
        else if (name == QLatin1String("pipe.tkc"))
            QVERIFY(QFileInfo::exists(target) || mkfifo(qPrintable(target), 0600) == 0);
        else if (name != QLatin1String("missing.tkc"))
            write(target, file);
        if (name == QLatin1String("locked.tkc")) {
            if (geteuid() == 0) QSKIP("root reads any file");
            QVERIFY(QFile::setPermissions(target, {}));
        }
        ChartState st = chart();
        try {
            applyChartFile(st, readChartFile(target));
            QFAIL("the file was read");
        } catch (const ChartError& e) {
            const QString message = QString::fromStdString(e.what());
            QTEST(int(e.kind()), "kind");
            QVERIFY2(message.startsWith(QStringLiteral("The chart cannot be opened from ") +
                                        target + QStringLiteral(": ")),
                     e.what());
            QFETCH(QString, where);
            QVERIFY2(message.contains(where), e.what());
        }
        QCOMPARE(kept(st), kept(chart()));
    }

    // A chart that cannot be saved fails with a File error naming the path; an old file there
    // keeps its bytes, nothing changes its type and no other file is left beside it.
    void saveErrors_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("ticker");
        QTest::addColumn<int>("sizeLimit"); // bytes a process may write to a file, 0: no limit
        auto row = [](const char* tag, const char* target, int limit = 0, const char* t = "T") {
            QTest::newRow(tag) << QString::fromLatin1(target) << QString::fromLatin1(t) << limit;
        };
        row("a folder", "old");
        row("missing folder", "no/such/chart.tkc");
        row("cannot create", "/proc/tk5-chart.tkc");
        row("a pipe", "pipe.tkc");
        row("/dev/full", "/dev/full");
        row("disk full", "old/chart.tkc", 100);
        row("line break in the ticker", "old/chart.tkc", 0, "A\nB");
        row("read-only folder", "old/chart.tkc", -1);
    }
    void saveErrors() {
        QFETCH(QString, target);
        QFETCH(QString, ticker);
        QFETCH(int, sizeLimit);
        const QString folder = path(QStringLiteral("old"));
        QVERIFY(QDir(folder).removeRecursively() && QDir().mkpath(folder));
        const QByteArray oldBytes = "an old chart\r\n";
        write(path(QStringLiteral("old/chart.tkc")), oldBytes);
        const QString file = target.startsWith(QLatin1Char('/')) ? target : path(target);
        // Root could create files in /dev: the pipe stands for a device there.
        if (file == QLatin1String("/dev/full") && geteuid() == 0) QSKIP("run as root");
        if (target == QLatin1String("pipe.tkc"))
            QVERIFY(QFileInfo::exists(file) || mkfifo(qPrintable(file), 0600) == 0);
        const bool wasFile = QFileInfo(file).isFile();
        ChartState st = chart();
        st.ticker_name = ticker;

        rlimit limit{};
        QVERIFY(getrlimit(RLIMIT_FSIZE, &limit) == 0);
        const rlimit before = limit;
        if (sizeLimit > 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            limit.rlim_cur = rlim_t(sizeLimit);
            QVERIFY(setrlimit(RLIMIT_FSIZE, &limit) == 0);
        } else if (sizeLimit < 0) {
            if (geteuid() == 0) QSKIP("a read-only folder does not stop root");
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        }
        QString message;
        int kind = -1;
        try {
            SaveChartInFile(st, file);
        } catch (const ChartError& e) {
            message = QString::fromStdString(e.what());
            kind = int(e.kind());
        }
        setrlimit(RLIMIT_FSIZE, &before);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(kind, int(Kind::File));
        QVERIFY2(message.startsWith(QStringLiteral("The chart cannot be saved to ") + file + ": "),
                 qPrintable(message));
        QCOMPARE(contents(path(QStringLiteral("old/chart.tkc"))), oldBytes);
        QCOMPARE(QDir(folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList{QStringLiteral("chart.tkc")});
        QCOMPARE(QFileInfo(file).isFile(), wasFile);
    }

    // A file of more than 250 buys or sells is not applied at all.
    void applyRefused_data() {
        QTest::addColumn<int>("buys");
        QTest::addColumn<int>("sells");
        QTest::newRow("251 buys") << 251 << 0;
        QTest::newRow("251 sells") << 1 << 251;
    }
    void applyRefused() {
        QFETCH(int, buys);
        QFETCH(int, sells);
        ChartFile file = chartFileOf(chart());
        file.buys.assign(size_t(buys), 5);
        file.sells.assign(size_t(sells), 6);
        ChartState st = chart({1, 2, 3}, {4, 5});
        QVERIFY_THROWS_EXCEPTION(ChartError, applyChartFile(st, file));
        QCOMPARE(kept(st), kept(chart({1, 2, 3}, {4, 5})));
    }
};

QTEST_GUILESS_MAIN(TestChartFile)
#include "tst_chartfile.moc"
