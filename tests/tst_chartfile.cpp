// SPDX-License-Identifier: BSD-3-Clause
#include "chartfile/ChartFile.h"

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
    for (int k = 1; k <= std::max(st.buy_number, st.sell_number); ++k)
        out << (k <= st.buy_number ? "buy " + QString::number(st.buy_day[k]) : "") +
                   (k <= st.sell_number ? " sell " + QString::number(st.sell_day[k]) : "");
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
    st.starting_date_local = 17, st.ending_date_local = 140;
    st.buy_number = i16(buys.size()), st.sell_number = i16(sells.size());
    for (int k = 1; k <= 250; ++k)
        st.buy_day[k] = i16(buys.value(k - 1)), st.sell_day[k] = i16(sells.value(k - 1));
    return st;
}

// The file of a new chart of ticker T, lines (1-based) replaced, lines added, with line ends eol.
QByteArray fileWith(const std::map<int, QByteArray>& replaced, const QByteArray& added = {},
                    const QByteArray& eol = "\r\n") {
    ChartFile base = chartFileOf(ChartState());
    base.ticker_name = QStringLiteral("T");
    QList<QByteArray> lines = chartFileText(base).replace('\r', "").trimmed().split('\n');
    for (const auto& [n, text] : replaced)
        lines[n - 1] = text;
    return lines.join(eol) + eol + added;
}

// "!<kind>|<message>" of the ChartError f throws, or nothing.
template <typename F> QString failure(F f) {
    try {
        f();
    } catch (const ChartError& e) {
        return QString::asprintf("!%d|%s", int(e.kind()), e.what());
    }
    return {};
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
    static bool makePipe(const QString& p) {
        return QFileInfo::exists(p) || mkfifo(qPrintable(p), 0600) == 0;
    }
    static QByteArray contents(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
    }

private Q_SLOTS:
    // Saved: 45 lines, one per buy and sell, all ending in CR LF. Opened into a new chart: kept
    // items come back; money flow periods and entries past the last buy and sell stay.
    void saving_data() {
        QTest::addColumn<QList<int>>("buys");
        QTest::addColumn<QList<int>>("sells");
        QTest::addColumn<int>("count"); // of buys, when not the list's size
        QTest::addColumn<int>("lines");
        QTest::addColumn<QByteArray>("tail");
        const QByteArray w = "Starting date index:17\r\nEnding date index:140\r\n";
        QList<int> full, neg;
        for (int k = 1; k <= 250; ++k)
            full << (k % 2 ? k : -32768 + k), neg << -k;
        auto row = [](const char* t, QList<int> b, QList<int> s, int n, int l, QByteArray e) {
            QTest::newRow(t) << b << s << n << l << e;
        };
        row("both", {150, 90}, {120}, 2, 48, w + "Buy #1:150\r\nBuy #2:90\r\nSell #1:120\r\n");
        row("none", {}, {}, 0, 45, w);
        row("day 0 left out", {0, 150, 0}, {120}, 3, 47, w + "Buy #1:150\r\nSell #1:120\r\n");
        row("count below 0", {5}, {120}, -1, 46, w + "Sell #1:120\r\n");
        row("count above 250", neg, {120}, 300, 296, "Buy #250:-250\r\nSell #1:120\r\n");
        row("250 each", full, full, 250, 545, "Sell #249:249\r\nSell #250:-32518\r\n");
    }
    void saving() {
        QFETCH(QList<int>, buys);
        QFETCH(QList<int>, sells);
        QFETCH(int, lines);
        ChartState saved = chart(buys, sells);
        QFETCH(int, count);
        saved.buy_number = i16(count);
        SaveChartInFile(saved, path("saved.tkc"));
        const QByteArray text = contents(path("saved.tkc"));
        QCOMPARE(text.count("\r\n"), lines);
        QCOMPARE(text.count('\n') + text.count('\r'), 2 * lines);
        QVERIFY(text.startsWith("Soci\xE9t\xE9 X\r\nStatus:7\r\nRelative strength periods:"));
        QFETCH(QByteArray, tail);
        QCOMPARE(text.right(tail.size()), tail);
        // Pane 2, lines 16..29.
        const QByteArray pane2 =
            "\r\nStatus:8\r\nRelative strength periods:201\r\nFast stochastic K periods:202\r\n"
            "Fast stochastic D periods:203\r\nSlow stochastic K periods:204\r\nSlow stochastic D "
            "periods:205\r\nExponential moving average difference first periods:206\r\n"
            "Exponential moving average difference second periods:207\r\nMACD first periods:208\r\n"
            "MACD second periods:209\r\nMACD signal periods:210\r\nMomentum periods:211\r\n"
            "Volatility first periods:212\r\nVolatility second periods:-200\r\nStatus:9\r\n";
        QCOMPARE(text.indexOf(pane2), text.indexOf("\r\nStatus:", 20));
        if (count != buys.size() || lines != 45 + count + sells.size()) return;
        ChartState opened;
        opened.buy_day[250] = opened.sell_day[250] = 999;
        for (IndicatorSettings& s : opened.pane_settings)
            s.money_flow_periods = 33;
        applyChartFile(opened, readChartFile(path("saved.tkc")));
        QCOMPARE(kept(opened), kept(saved));
        for (const IndicatorSettings& s : opened.pane_settings)
            QCOMPARE(s.money_flow_periods, 33);
        QCOMPARE(opened.buy_day[250], buys.size() == 250 ? buys.last() : 999);
        QCOMPARE(opened.sell_day[250], sells.size() == 250 ? sells.last() : 999);
    }

    // How a file is read: ticker, line 3 (pane 1's RSI periods), line 44 (the window's start),
    // buys and sells; or, when it cannot be read whole, the error's kind and where it stopped,
    // the chart opened from it keeping everything it had.
    void reading_data() {
        QTest::addColumn<QByteArray>("file"); // <dir>, <pipe>, <missing>, <locked>: made so
        QTest::addColumn<QString>("read");
        auto ok = [](const char* tag, const QByteArray& file, const char* read) {
            QTest::newRow(tag) << file << QString::fromLatin1(read);
        };
        auto bad = [](const char* tag, const QByteArray& file, Kind kind, const char* where) {
            QTest::newRow(tag) << file << QString::asprintf("!%d|%s", int(kind), where);
        };
        const QByteArray full = fileWith({});
        auto upTo = [&full](int n) { return full.split('\n').mid(0, n).join('\n') + '\n'; };
        auto many = [](const char* line) { return fileWith({}, QByteArray(line).repeated(251)); };
        QByteArray garbage;
        for (int i = 0; i < 4096; ++i)
            garbage += char((i * 7919) % 256);
        ok("numbering not used", fileWith({}, "Sell #3:77\r\nBuy #1:100\r\n"), "T|14|1|100|77");
        ok("short lines", fileWith({}, "\r\nx\r\n \r\nBuy #9:5\r\nB\r\nSell:-4"), "T|14|1|5|-4");
        ok("case, other lines", fileWith({}, "buy #1:5\r\nSELL #1:3\r\nNote:1\r\n"), "T|14|1||");
        ok("halves to even", fileWith({{3, "R:2.5"}, {44, "S:-3.5"}}), "T|2|-4||");
        ok("nearer 0 than a double", fileWith({{3, "R:1e-400"}, {44, "S:-7e-999"}}), "T|0|0||");
        ok("exponent", fileWith({{3, "R: \t1.25e2 "}, {44, "S:+7"}}, "Buy: -5 "), "T|125|7|-5|");
        ok("labels not compared", fileWith({{3, "Sell:21"}, {44, " -5"}}), "T|21|-5||");
        ok("comma", fileWith({{1, "  abc,def"}, {3, "R:12,9"}}, "Buy:3,Sell"), "abc|12|1|3|");
        ok("Latin-1 ticker", fileWith({{1, "Soci\xE9t\xE9:X "}}), "Soci\xE9t\xE9:X |14|1||");
        ok("LF line ends", fileWith({}, "Buy:1\nSell:2\n", "\n"), "T|14|1|1|2");
        ok("CR line ends", fileWith({{44, "S:-5"}}, "Buy:1\rSell:2", "\r"), "T|14|-5|1|2");
        ok("no end on the last line", fileWith({}).chopped(2), "T|14|1||");
        bad("empty", "", Kind::File, "ends before line 1 (the ticker)");
        bad("cut in pane 2", upTo(15), Kind::File, "before line 16 (pane 2, Status)");
        bad("cut after 44", upTo(44), Kind::File, "before line 45 (Ending date index)");
        bad("not a number", fileWith({{3, "R:abc"}}), Kind::TypeMismatch, "line 3");
        bad("no value", fileWith({{45, "E:"}}), Kind::TypeMismatch, "line 45");
        bad("70000", fileWith({{44, "S:70000"}}), Kind::Overflow, "line 44");
        bad("1e9", fileWith({{30, "K:1e9"}}), Kind::Overflow, "line 30");
        bad("beyond a double", fileWith({{44, "S:-1e400"}}), Kind::Overflow, "line 44");
        bad("32767.5", fileWith({{2, "K:32767.5"}}), Kind::Overflow, "line 2");
        bad("bad buy", fileWith({}, "Buy #1:1x"), Kind::TypeMismatch, "line 46");
        bad("251 buys", many("Buy:1\r\n"), Kind::IndexOutOfRange, "line 296");
        bad("251 sells", many("Sell:1\n"), Kind::IndexOutOfRange, "line 296");
        bad("long line", fileWith({{3, "R:" + QByteArray(5000, '1')}}), Kind::File, "line 3");
        bad("10 MB line", QByteArray(10 << 20, 'x'), Kind::File, "1 MB");
        bad("NUL byte", fileWith({{1, QByteArray("T\0", 2)}}), Kind::File, "line 1");
        bad("binary garbage", garbage, Kind::File, "control character");
        bad("a folder", "<dir>", Kind::File, "is a folder");
        bad("a pipe", "<pipe>", Kind::File, "not a regular file");
        bad("missing file", "<missing>", Kind::File, "no such file");
        bad("unreadable file", "<locked>", Kind::File, "ermission");
    }
    void reading() {
        QFETCH(QByteArray, file);
        QFETCH(QString, read);
        const QString target = path(QString(QTest::currentDataTag()) + ".tkc");
        if (file == "<dir>") QVERIFY(QDir().mkpath(target));
        if (file == "<pipe>") QVERIFY(makePipe(target));
        if (!file.startsWith('<') || file == "<locked>") write(target, file);
        if (file == "<locked>" && geteuid() == 0) QSKIP("root reads any file");
        if (file == "<locked>") QVERIFY(QFile::setPermissions(target, {}));
        ChartFile r;
        ChartState st = chart();
        const QString error = failure([&] { applyChartFile(st, r = readChartFile(target)); });
        const QString got = error + r.ticker_name + '|' + QString::number(r.panes[0].rsi_periods) +
                            '|' + QString::number(r.starting_date_local) + '|' + joined(r.buys) +
                            '|' + joined(r.sells);
        if (!read.startsWith('!')) {
            QCOMPARE(got, read);
            QCOMPARE(r.panes[2].kind, ExpMADifference);
            QCOMPARE(r.ending_date_local, 200);
            return;
        }
        const QString start = read.section('|', 0, 0) + "|The chart cannot be opened from ";
        QVERIFY2(error.startsWith(start + target + ": ") && error.contains(read.section('|', 1)),
                 qPrintable(error));
        QCOMPARE(kept(st), kept(chart()));
    }

    // A failed save: a File error naming the path; an old file keeps its bytes, nothing changes
    // type, no file is left beside it. sizeLimit: bytes a file may take; -1: "old" read-only.
    void saveErrors_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("sizeLimit");
        QTest::newRow("a folder") << "old" << 0;
        QTest::newRow("missing folder") << "no/such/chart.tkc" << 0;
        QTest::newRow("a pipe") << "pipe.tkc" << 0;
        QTest::newRow("/dev/full") << "/dev/full" << 0;
        QTest::newRow("disk full") << "old/chart.tkc" << 100;
        QTest::newRow("line break in the ticker") << "old/chart.tkc" << 0; // ticker "A\nB"
        QTest::newRow("read-only folder") << "old/chart.tkc" << -1;
    }
    void saveErrors() {
        QFETCH(QString, target);
        QFETCH(int, sizeLimit);
        const QString folder = path("old"), old = path("old/chart.tkc");
        QVERIFY(QDir(folder).removeRecursively() && QDir().mkpath(folder));
        write(old, "an old chart\r\n");
        const QString file = target.startsWith('/') ? target : path(target);
        if (geteuid() == 0 && (file == "/dev/full" || sizeLimit < 0)) QSKIP("root writes there");
        if (target == "pipe.tkc") QVERIFY(makePipe(file)); // a device in a user's folder
        const bool wasFile = QFileInfo(file).isFile();
        ChartState st = chart();
        st.ticker_name = QTest::currentDataTag()[0] == 'l' ? "A\nB" : "T";
        rlimit before{}, limit{};
        QVERIFY(getrlimit(RLIMIT_FSIZE, &before) == 0);
        limit = {sizeLimit > 0 ? rlim_t(sizeLimit) : before.rlim_cur, before.rlim_max};
        std::signal(SIGXFSZ, SIG_IGN);
        QVERIFY(setrlimit(RLIMIT_FSIZE, &limit) == 0);
        if (sizeLimit < 0)
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        const QString error = failure([&] { SaveChartInFile(st, file); });
        setrlimit(RLIMIT_FSIZE, &before);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QString start =
            QString::asprintf("!%d|The chart cannot be saved to ", int(Kind::File));
        QVERIFY2(error.startsWith(start + file + ": "), qPrintable(error));
        QCOMPARE(contents(old), "an old chart\r\n");
        QCOMPARE(QDir(folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), {"chart.tkc"});
        QCOMPARE(QFileInfo(file).isFile(), wasFile);
    }

    // A file of more than 250 buys or sells is not applied at all.
    void applyRefused() {
        for (const auto& [buys, sells] : {std::pair{251, 0}, std::pair{1, 251}}) {
            ChartFile file = chartFileOf(chart());
            file.buys.assign(size_t(buys), 5);
            file.sells.assign(size_t(sells), 6);
            ChartState st = chart({1, 2, 3}, {4, 5});
            QVERIFY_THROWS_EXCEPTION(ChartError, applyChartFile(st, file));
            QCOMPARE(kept(st), kept(chart({1, 2, 3}, {4, 5})));
        }
    }
};

QTEST_GUILESS_MAIN(TestChartFile)
#include "tst_chartfile.moc"
