// SPDX-License-Identifier: BSD-3-Clause
#include "Fixtures.h"

#include "common/Formats.h"
#include "data/HistoryFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include <atomic>
#include <cstdio>
#include <optional>
#include <thread>

#include <sys/stat.h>

using namespace tk5;

namespace {

const QByteArray kHead = "Date,Open,High,Low,Close,Volume\n"; // short header, 31 characters
const QString kOld = QStringLiteral("Old Co");
const QString kAcme = QStringLiteral("Acme Corp");

// A long-header file: a first line of exactly 40 characters, the company on line 3.
QByteArray longFile(const QByteArray& rows, const QByteArray& nameLine = "Acme Corp USD",
                    const QByteArray& eol = "\n") {
    return QByteArray(40, '=') + eol + "Exchange: test" + eol + nameLine + eol +
           "Date,High,Low,Close,Volume" + eol + "----------" + eol + rows;
}

// One day as "date|high|low|close|volume".
QString dayText(const PriceSeries& s, long d) {
    return QStringList{s.price_date[d], QString::number(s.price_high[d]),
                       QString::number(s.price_low[d]), QString::number(s.price_close[d]),
                       QString::number(s.price_volume[d])}
        .join(QLatin1Char('|'));
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(f.write(bytes), bytes.size());
}

// A control that already shows the company "Old Co" and day 1 = "old|5|4|4.5|99".
void preset(ChartState& st) {
    st.company_name = kOld;
    test::fillSeries(st.series, {{5, 4, 4.5f, 99}});
    st.series.price_date[1] = QStringLiteral("old");
}

// count rows made from layout with each "%" replaced by the row number.
QByteArray rowsOf(int count, const char* layout) {
    QByteArray out;
    for (int i = 1; i <= count; ++i)
        out += QByteArray(layout).replace("%", QByteArray::number(i)) + "\n";
    return out;
}

// caption: what a long header gives (its company name); empty for a short header. company:
// the company name afterwards, by default the caption or, when that is empty, "Old Co".
void addLoad(const char* name, const QByteArray& file, int count, const QStringList& days,
             const QString& caption = {}, std::optional<QString> company = {}) {
    QTest::newRow(name) << file << count << caption
                        << company.value_or(caption.isEmpty() ? kOld : caption) << days;
}

} // namespace

class TestData : public QObject {
    Q_OBJECT

    QTemporaryDir tmp_;
    QString hist_;

    // Writes bytes as the history file of ticker T and loads it into st; the caption.
    QString loadFile(ChartState& st, const QByteArray& bytes) {
        writeFile(hist_ + QStringLiteral("/T.csv"), bytes);
        bool flag = true;
        return ReadDataFile(st, QStringLiteral("t"), flag, hist_);
    }

private slots:
    void initTestCase() {
        test::useEnglishLocale();
        QVERIFY(tmp_.isValid());
        hist_ = tmp_.filePath(QStringLiteral("hist"));
        QVERIFY(QDir().mkpath(hist_));
    }

    // What a load makes of a file, starting from the preset control.
    void load_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("dayCount");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("company");
        QTest::addColumn<QStringList>("days"); // days 1, 2, ... as dayText
        const QByteArray r1 = "31-Dec-14,45.45,45.56,44.97,44.97,13269200\n";
        const QByteArray r2 = "30-Dec-14,45.55,45.66,45.29,45.34,9968400\n";
        const QString d1 = QStringLiteral("31-Dec-14|45.56|44.97|44.97|13269200");
        const QString d2 = QStringLiteral("30-Dec-14|45.66|45.29|45.34|9968400");
        const QByteArray a1 = "2001-01-31,10.5,9.75,10.25,12345";
        const QString ad1 = QStringLiteral("2001-01-31|10.5|9.75|10.25|12345");
        const QByteArray mb(1 << 20, 'x');
        const QByteArray day = kHead + "31-Dec-14,1,2,1,1,"; // volume to follow

        addLoad("header only", kHead, 0, {});
        addLoad("empty file", QByteArray(), 0, {});
        addLoad("first line of 39 is short", QByteArray(39, '=') + "\n" + r1, 1, {d1});
        // The name line less its last 4 characters: 4 characters leave an empty name, 3 are
        // too short to lose 4 and keep the name the control had.
        addLoad("long, name line of 4", longFile(a1 + "\n", "ABCD"), 1, {ad1}, "", "");
        addLoad("long, name line of 3", longFile(a1 + "\n", "USD"), 1, {ad1}, kOld);
        addLoad("short line replaced by the next", kHead + "x\n" + r1 + r2, 2, {d1, d2});
        addLoad("last short line parsed as it is", kHead + "x\na,1,2,3,4,5\n", 1, {"a|2|3|4|5"});
        // Day 1 still holds 5 and 4 from before, yet a line without prices is no day.
        addLoad("blank line over stored prices", kHead + "\n", 0, {});
        // A row of 17 characters is read (its missing fields keep the day's values); one of
        // 16 (without its CR) is replaced by the next line.
        addLoad("17 characters", kHead + "31-Dec-14,1,20,30\n" + r2, 2,
                {"31-Dec-14|20|30|4.5|99", d2});
        addLoad("16 characters, CRLF", kHead + "a,1,2,3,4,5,6789\r\n" + r1, 1, {d1});
        // Fields are read by their leading number: "12.5e" is 12.5, ".5x" 0.5, "inf" none, 0.
        addLoad("numeric prefixes", kHead + "31-Dec-14,1, 12.5e,.5x,-3e1,inf\n", 1,
                {"31-Dec-14|12.5|0.5|-30|0"});
        addLoad("non-numeric low", kHead + "31-Dec-14,1,12.5,low,7,8\n" + r2, 1, {d2});
        // 1e39 is beyond a float and 3e9 beyond 32 bits: those columns keep 5 and 99.
        addLoad("numbers too big", kHead + "31-Dec-14,1,1e39,2,3,3e9\n", 1, {"31-Dec-14|5|2|3|99"});
        addLoad("volume 2.5 to even", day + "2.5\n", 1, {"31-Dec-14|2|1|1|2"});
        addLoad("volume 3.5 to even", day + "3.5\n", 1, {"31-Dec-14|2|1|1|4"});
        addLoad("row of only commas", kHead + QByteArray(20, ',') + "\n" + r1, 1, {d1});
        // Counted with its CR the name line would lose "USD\r" and keep a blank.
        addLoad("CRLF long", longFile(a1 + "\r\n", "Acme Corp USD", "\r\n"), 1, {ad1}, kAcme);
        addLoad("byte order mark: first line of 39 stays short",
                "\xEF\xBB\xBF" + QByteArray(39, '=') + "\n" + r1, 1, {d1});
        // The name line is UTF-8 when it is valid UTF-8, else Latin-1 byte for byte.
        const QString soc = QStringLiteral("Soci\u00e9t\u00e9");
        addLoad("UTF-8 company", longFile("", "Soci\xC3\xA9t\xC3\xA9 EUR"), 0, {}, soc);
        addLoad("Latin-1 company", longFile("", "Soci\xE9t\xE9 EUR"), 0, {}, soc);
        const char garbage[] = "31-Dec-14\0,1,2\xff\xfe,1.5\0,1,9\x01\n"; // NUL bytes too
        addLoad("binary garbage in a row", kHead + QByteArray(garbage, sizeof garbage - 1), 1,
                {QStringLiteral("31-Dec-14") + QChar(0) + "|2|1.5|1|9"});
        addLoad("1 MB tail in the volume field", day + "812," + mb + "\n" + r2, 2,
                {"31-Dec-14|2|1|1|812", d2});
        // Only a line's first 4096 bytes are kept: prices beyond them are not read.
        addLoad("8 MB date field", kHead + QByteArray(8 << 20, 'x') + ",1,2,1,1,5\n" + r2, 1, {d2});
    }
    void load() {
        QFETCH(QByteArray, file);
        QFETCH(int, dayCount);
        QFETCH(QString, caption);
        QFETCH(QString, company);
        QFETCH(QStringList, days);
        ChartState st;
        preset(st);
        QCOMPARE(loadFile(st, file), caption);
        QCOMPARE(int(st.series.day_count), dayCount);
        QCOMPARE(st.company_name, company);
        for (int d = 1; d <= days.size(); ++d)
            QCOMPARE(dayText(st.series, d), days[d - 1]);
    }

    // At most 5000 days are kept; a shorter file then leaves the days beyond its own as they were.
    void rowCapAndStaleDays() {
        ChartState st;
        loadFile(st, kHead + rowsOf(5003, "row-%-of-the-file,1,%,1,1,%"));
        QCOMPARE(int(st.series.day_count), 5000);
        QCOMPARE(dayText(st.series, 1), QStringLiteral("row-1-of-the-file|1|1|1|1"));
        QCOMPARE(dayText(st.series, 5000), QStringLiteral("row-5000-of-the-file|5000|1|1|5000"));
        loadFile(st, kHead + rowsOf(100, "second-file-row-%,1,2,1,1,7"));
        QCOMPARE(int(st.series.day_count), 100);
        QCOMPARE(dayText(st.series, 100), QStringLiteral("second-file-row-100|2|1|1|7"));
        QCOMPARE(dayText(st.series, 101), QStringLiteral("row-101-of-the-file|101|1|1|101"));
    }

    // A ticker names the upper-cased file with ":" as "_"; tickers and files that cannot be
    // read end the load at once with no day, an empty caption, company and stored day untouched.
    void tickers_data() {
        QTest::addColumn<QString>("ticker");
        QTest::addColumn<bool>("loads");
        QTest::addColumn<QString>("file"); // empty: no file name at all
        QTest::newRow("brk:b") << "brk:b" << true << "BRK_B.csv";
        QTest::newRow("missing file") << "nosuch" << false << "NOSUCH.csv";
        QTest::newRow("../../etc/passwd") << "../../etc/passwd" << false << "";
        QTest::newRow("..") << ".." << false << "";
        QTest::newRow("a/b") << "a/b" << false << "";
        QTest::newRow("empty") << "" << false << "";
        QTest::newRow("..\\secret") << "..\\secret" << false << "";
        QTest::newRow("NUL") << QStringLiteral("sec") + QChar(0) + "ret" << false << "";
        QString controls = QStringLiteral("\x7f"); // and every character below 0x20
        for (char16_t c = 0x01; c < 0x20; ++c)
            controls += QChar(c);
        for (const QChar c : controls)
            QTest::addRow("U+%04X", c.unicode()) << "a" + QString(c) + "b" << false << "";
        QTest::newRow("link leading outside") << "evil" << false << "EVIL.csv";
        QTest::newRow("directory") << "dir" << false << "DIR.csv";
        QTest::newRow("named pipe") << "fifo" << false << "FIFO.csv";
    }
    void tickers() {
        QFETCH(QString, ticker);
        QFETCH(bool, loads);
        QFETCH(QString, file);
        // A readable file outside the folder, reachable by a link inside it.
        const QString secret = tmp_.filePath(QStringLiteral("SECRET.csv"));
        writeFile(secret, kHead + "31-Dec-14,1,2,1,1,4242\n");
        QFile::link(secret, hist_ + QStringLiteral("/EVIL.csv"));
        QDir(hist_).mkpath(QStringLiteral("DIR.csv"));
        ::mkfifo(QFile::encodeName(hist_ + QStringLiteral("/FIFO.csv")).constData(), 0600);
        const QString path = file.isEmpty() ? QString() : hist_ + QLatin1Char('/') + file;
        QCOMPARE(historyFilePath(ticker, hist_), path);
        if (loads) writeFile(path, kHead + "31-Dec-14,1,2,1,1,4242\n");

        ChartState st;
        preset(st);
        bool flag = true;
        const QString caption = ReadDataFile(st, ticker, flag, hist_);
        QCOMPARE(flag, false);
        QCOMPARE(st.ticker_name, ticker);
        QCOMPARE(int(st.series.day_count), loads ? 1 : 0);
        QCOMPARE(caption, QString());
        QCOMPARE(st.company_name, kOld);
        QCOMPARE(dayText(st.series, 1),
                 loads ? QStringLiteral("31-Dec-14|2|1|1|4242") : QStringLiteral("old|5|4|4.5|99"));
    }

    // A sparse file of NUL bytes is one huge line: it loads as no day, holding little memory.
    void hugeSparseLine() {
        ChartState st;
        preset(st);
        QFile f(hist_ + QStringLiteral("/T.csv"));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QVERIFY(f.resize(qint64{64} << 20));
        f.close();
        bool flag = true;
        ReadDataFile(st, QStringLiteral("t"), flag, hist_);
        QCOMPARE(int(st.series.day_count), 0);
    }

    // The history file is swapped for a pipe or a link leading outside the folder over and over
    // while it is loaded: a load never blocks, never reads outside the folder, and gives the
    // file's own day or none.
    void swappedFile_data() {
        QTest::addColumn<bool>("pipe");
        QTest::newRow("named pipe") << true;
        QTest::newRow("link leading outside") << false;
    }
    void swappedFile() {
        QFETCH(bool, pipe);
        const QString file = hist_ + QStringLiteral("/RACE.csv");
        const QByteArray good = QFile::encodeName(hist_ + QStringLiteral("/RACE.good"));
        const QByteArray bad = QFile::encodeName(hist_ + QStringLiteral("/RACE.bad"));
        const QByteArray target = QFile::encodeName(file);
        const QString secret = tmp_.filePath(QStringLiteral("SECRET.csv"));
        writeFile(secret, kHead + "31-Dec-14,1,2,1,1,4242\n");
        writeFile(QFile::decodeName(good), kHead + "31-Dec-14,1,2,1,1,1111\n");
        QFile::remove(QFile::decodeName(bad));
        if (pipe)
            QCOMPARE(::mkfifo(bad.constData(), 0600), 0);
        else
            QVERIFY(QFile::link(secret, QFile::decodeName(bad)));
        std::atomic<bool> stop{false};
        std::thread swapper([&] {
            while (!stop) {
                for (const QByteArray& from : {good, bad}) {
                    ::rename(from.constData(), target.constData());
                    ::rename(target.constData(), from.constData());
                }
            }
        });
        QSet<QString> seen;
        for (int i = 0; i < 3000; ++i) {
            ChartState st;
            bool flag = true;
            ReadDataFile(st, QStringLiteral("race"), flag, hist_);
            seen << (st.series.day_count ? dayText(st.series, 1) : QString());
        }
        stop = true;
        swapper.join();
        seen.remove(QString());
        QVERIFY(seen.isEmpty() || seen == QSet<QString>{QStringLiteral("31-Dec-14|2|1|1|1111")});
    }

    void histDirectoryFromEnvironment() {
        const QString dir = tmp_.filePath(QStringLiteral("elsewhere"));
        qputenv("TK5CHCTL_HIST_DIR", QFile::encodeName(dir));
        QCOMPARE(histDirectory(), dir);
        // Set but empty counts as not set: the folder beside the binary holding the code.
        qputenv("TK5CHCTL_HIST_DIR", QByteArray());
        const QString beside =
            QFileInfo(QCoreApplication::applicationFilePath()).canonicalPath() + "/hist";
        QCOMPARE(histDirectory(), beside);
        qunsetenv("TK5CHCTL_HIST_DIR");
        QCOMPARE(histDirectory(), beside);
    }

    // Dates, newest first: Tue 13, Fri 9, Thu 8, Wed 7, Tue 6, Mon 5, Fri 2 January 2015;
    // Monday 12 January is a holiday.
    void convertDate_data() {
        QTest::addColumn<QStringList>("dates");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("day");
        const QStringList jan{"13-Jan-15", "09-Jan-15", "08-Jan-15", "07-Jan-15",
                              "06-Jan-15", "05-Jan-15", "02-Jan-15"};
        QTest::newRow("after newest") << jan << "14-Jan-15" << 1;
        QTest::newRow("before oldest") << jan << "01-Jan-15" << 7;
        QTest::newRow("a trading day") << jan << "7-Jan-2015" << 4;
        // Up to two calendar days after a trading day find it; the third does not.
        QTest::newRow("Saturday finds Friday") << jan << "10-Jan-15" << 2;
        QTest::newRow("Sunday finds Friday") << jan << "11-Jan-15" << 2;
        QTest::newRow("Monday holiday") << jan << "12-Jan-15" << 0;
        QTest::newRow("not a date") << jan << "abc" << 0;
        QTest::newRow("empty series") << QStringList{} << "13-Jan-15" << 0;
        // The whole series is searched for the date before the day before it is tried.
        QTest::newRow("exact date wins over an earlier day before it")
            << QStringList{"13-Jan-15", "10-Jan-15", "11-Jan-15", "02-Jan-15"} << "11-Jan-15" << 3;
        QTest::newRow("stored text that is not a date is passed over")
            << QStringList{"13-Jan-15", "n/a", "08-Jan-15"} << "9-Jan-15" << 3;
    }
    void convertDate() {
        QFETCH(QStringList, dates);
        QFETCH(QString, text);
        QFETCH(int, day);
        PriceSeries s;
        for (int d = 1; d <= dates.size(); ++d)
            s.price_date[d] = dates[d - 1];
        s.day_count = static_cast<std::int16_t>(dates.size());
        QCOMPARE(int(ConvertDateToInteger(s, text)), day);
    }

    // Numeric dates follow the order of the user's locale; its month names are read too.
    void readDate_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date"); // invalid: not a date
        const QLocale en(QLocale::English, QLocale::UnitedStates);
        const QLocale uk(QLocale::English, QLocale::UnitedKingdom);
        const QDate jan31(2001, 1, 31);
        QTest::newRow("ISO") << en << "2001-01-31" << jan31;
        QTest::newRow("d-mmm-yy") << en << "31-Jan-01" << jan31;
        QTest::newRow("m/d/yyyy") << en << "1/31/2001" << jan31;
        QTest::newRow("long month, blanks around") << en << " January 31, 2001 " << jan31;
        QTest::newRow("year 29") << en << "5-feb-29" << QDate(2029, 2, 5);
        QTest::newRow("year 30") << en << "31-Jan-30" << QDate(1930, 1, 31);
        QTest::newRow("leap day") << en << "29-Feb-00" << QDate(2000, 2, 29);
        QTest::newRow("29-Feb-01") << en << "29-Feb-01" << QDate();
        QTest::newRow("number") << en << "20010131" << QDate();
        QTest::newRow("three-digit year") << en << "31-Jan-150" << QDate();
        QTest::newRow("UK day first") << uk << "31/1/2001" << jan31;
        QTest::newRow("UK month first is no date") << uk << "1/31/2001" << QDate();
        QTest::newRow("French abbreviation with dot")
            << QLocale(QLocale::French, QLocale::France) << "31 janv. 2001" << jan31;
    }
    void readDate() {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QFETCH(QDate, date);
        QLocale::setDefault(locale);
        const std::optional<QDate> read = tk5::readDate(text);
        test::useEnglishLocale();
        QCOMPARE(read.value_or(QDate()), date);
    }
};

QTEST_MAIN(TestData)
#include "tst_data.moc"
