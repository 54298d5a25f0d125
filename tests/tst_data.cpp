#include "Fixtures.h"

#include "common/Formats.h"
#include "data/HistoryFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include <sys/stat.h>

using namespace tk5;

namespace {

const QByteArray kShortHeader = "Date,Open,High,Low,Close,Volume\n"; // 31 characters

// A long-header file: a first line of exactly 40 characters, the company on line 3.
QByteArray longFile(const QByteArray& nameLine, const QByteArray& rows,
                    const QByteArray& eol = "\n") {
    return QByteArray(40, '=') + eol + "Exchange: test" + eol + nameLine + eol +
           "Date,High,Low,Close,Volume" + eol + "----------" + eol + rows;
}

// One day as "date|high|low|close|volume".
QString dayText(const PriceSeries& s, long day) {
    return QStringLiteral("%1|%2|%3|%4|%5")
        .arg(s.price_date[day], QString::number(s.price_high[day]),
             QString::number(s.price_low[day]), QString::number(s.price_close[day]),
             QString::number(s.price_volume[day]));
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(f.write(bytes), bytes.size());
}

// A control that already shows something: a company name, a caption and one stored day.
void preset(ChartState& st) {
    st.company_name = QStringLiteral("Old Co");
    st.caption = QStringLiteral("old caption");
    st.series.price_date[1] = QStringLiteral("old");
    st.series.price_high[1] = 5;
    st.series.price_low[1] = 4;
    st.series.price_close[1] = 4.5f;
    st.series.price_volume[1] = 99;
    st.series.day_count = 1;
}

// A literal with its NUL bytes.
template <size_t N> QByteArray bytes(const char (&text)[N]) { return QByteArray(text, N - 1); }

QByteArray rowsOf(int count, const char* layout) {
    QByteArray out;
    for (int i = 1; i <= count; ++i)
        out += QByteArray(layout).replace("%", QByteArray::number(i)) + "\n";
    return out;
}

} // namespace

class TestData : public QObject {
    Q_OBJECT

    QTemporaryDir tmp_;
    QString hist_;

    // Writes bytes as the history file of ticker T and loads it into st.
    void loadFile(ChartState& st, const QByteArray& bytes, bool& flag) {
        writeFile(hist_ + QStringLiteral("/T.csv"), bytes);
        ReadDataFile(st, QStringLiteral("t"), flag, hist_);
    }

private slots:
    void initTestCase() {
        test::useEnglishLocale();
        QVERIFY(tmp_.isValid());
        hist_ = tmp_.filePath(QStringLiteral("hist"));
        QVERIFY(QDir().mkpath(hist_));
    }

    // What a load makes of a file, starting from a control that already shows a company and
    // one stored day (day 1 = "old|5|4|4.5|99").
    void load_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("dayCount");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("company");
        QTest::addColumn<QStringList>("days"); // days 1, 2, ... as dayText

        const QString old = QStringLiteral("Old Co");
        const QString acme = QStringLiteral("Acme Corp");
        const QByteArray row1 = "31-Dec-14,45.45,45.56,44.97,44.97,13269200\n";
        const QByteArray row2 = "30-Dec-14,45.55,45.66,45.29,45.34,9968400\n";
        const QString day1 = QStringLiteral("31-Dec-14|45.56|44.97|44.97|13269200");
        const QString day2 = QStringLiteral("30-Dec-14|45.66|45.29|45.34|9968400");

        QTest::newRow("short header") << kShortHeader + row1 + row2 << 2 << QString() << old
                                      << QStringList{day1, day2};
        QTest::newRow("short header only") << kShortHeader << 0 << QString() << old
                                           << QStringList{};
        QTest::newRow("empty file") << QByteArray() << 0 << QString() << old << QStringList{};
        QTest::newRow("first line of 40 is long")
            << longFile("Acme Corp USD", "2001-01-31,10.5,9.75,10.25,12345\n") << 1 << acme
            << acme << QStringList{"2001-01-31|10.5|9.75|10.25|12345"};
        QTest::newRow("first line of 39 is short")
            << QByteArray(39, '=') + "\n" + row1 << 1 << QString() << old << QStringList{day1};
        QTest::newRow("long header only") << longFile("Acme Corp USD", "") << 0 << acme << acme
                                          << QStringList{};
        // A name line too short to lose 4 characters keeps the name the control had.
        QTest::newRow("long header, short name line")
            << longFile("USD", "2001-01-31,10.5,9.75,10.25,12345\n") << 1 << old << old
            << QStringList{"2001-01-31|10.5|9.75|10.25|12345"};
        QTest::newRow("long: zero low rejected, next row takes its day")
            << longFile("Acme Corp USD", "2001-01-31,10.5,9.75,10.25,100\n"
                                         "2001-01-30,11.5,0,11.25,200\n"
                                         "2001-01-29,12.5,12,12.25,300\n")
            << 2 << acme << acme
            << QStringList{"2001-01-31|10.5|9.75|10.25|100", "2001-01-29|12.5|12|12.25|300"};
        QTest::newRow("long: zero high rejected")
            << longFile("Acme Corp USD", "2001-01-30,0.0,1,11.25,200\n") << 0 << acme << acme
            << QStringList{};
        QTest::newRow("long: six fields keep the volume")
            << longFile("Acme Corp USD", "2001-01-31,10.5,9.75,10.25,12345,99\n") << 1 << acme
            << acme << QStringList{"2001-01-31|10.5|9.75|10.25|12345"};
        QTest::newRow("short line replaced by the next")
            << kShortHeader + "x\n" + row1 + row2 << 2 << QString() << old
            << QStringList{day1, day2};
        QTest::newRow("second short line parsed as it is")
            << kShortHeader + "x\na,1,2,3,4,5\n" << 1 << QString() << old
            << QStringList{"a|2|3|4|5"};
        QTest::newRow("empty last line adds no day")
            << kShortHeader + row1 + "\n" << 1 << QString() << old << QStringList{day1};
        // Day 1 still holds 5 and 4 from before, yet a line without prices is no day.
        QTest::newRow("blank line over stored prices adds no day")
            << kShortHeader + "\n" << 0 << QString() << old << QStringList{};
        QTest::newRow("row with a date only adds no day")
            << kShortHeader + "31-Dec-14,,\n" << 0 << QString() << old << QStringList{};
        // Missing close and volume: day 1 keeps 4.5 and 99.
        QTest::newRow("missing fields keep the stored values")
            << kShortHeader + "31-Dec-14,10.0,20.0,30.0\n" << 1 << QString() << old
            << QStringList{"31-Dec-14|20|30|4.5|99"};
        QTest::newRow("numeric prefixes")
            << kShortHeader + "31-Dec-14,1, 12.5abc,3x,abc,812,9.5\n" << 1 << QString() << old
            << QStringList{"31-Dec-14|12.5|3|0|812"};
        QTest::newRow("non-numeric low rejects the row")
            << kShortHeader + "31-Dec-14,1,12.5,low,7,8\n" + row2 << 1 << QString() << old
            << QStringList{day2};
        // 1e39 is beyond a float and 3e9 beyond 32 bits: those columns keep 5 and 99.
        QTest::newRow("numbers too big keep the stored values")
            << kShortHeader + "31-Dec-14,1,1e39,2,3,3e9\n" << 1 << QString() << old
            << QStringList{"31-Dec-14|5|2|3|99"};
        QTest::newRow("row of only commas rejected")
            << kShortHeader + ",,,,,,,,,,,,,,,,,,,,\n" + row1 << 1 << QString() << old
            << QStringList{day1};
        QTest::newRow("short row of commas replaced")
            << kShortHeader + ",,,,,\n" + row1 << 1 << QString() << old << QStringList{day1};
        QTest::newRow("CRLF short")
            << QByteArray(kShortHeader).replace("\n", "\r\n") + QByteArray(row1).replace("\n", "\r\n")
            << 1 << QString() << old << QStringList{day1};
        // Counted with its CR the name line would lose "USD\r" and keep a blank.
        QTest::newRow("CRLF long")
            << longFile("Acme Corp USD", "2001-01-31,10.5,9.75,10.25,12345\r\n", "\r\n") << 1
            << acme << acme << QStringList{"2001-01-31|10.5|9.75|10.25|12345"};
        QTest::newRow("CRLF: first line of 39 plus CR is short")
            << QByteArray(39, '=') + "\r\n" + row1 << 1 << QString() << old << QStringList{day1};
        // "a,1,2,3,4,5,6789" is 16 characters: replaced by the next line even with its CR.
        QTest::newRow("CRLF: 16 characters plus CR is short")
            << kShortHeader + "a,1,2,3,4,5,6789\r\n" + row1 << 1 << QString() << old
            << QStringList{day1};
        QTest::newRow("byte order mark: first line of 39 stays short")
            << "\xEF\xBB\xBF" + QByteArray(39, '=') + "\n" + row1 << 1 << QString() << old
            << QStringList{day1};
        QTest::newRow("byte order mark on a short-header file")
            << "\xEF\xBB\xBF" + kShortHeader + row1 << 1 << QString() << old
            << QStringList{day1};
        // The name line is UTF-8 when it is valid UTF-8, else Latin-1 byte for byte.
        QTest::newRow("UTF-8 company name")
            << longFile("Soci\xC3\xA9t\xC3\xA9 G\xC3\xA9n\xC3\xA9rale EUR", "") << 0
            << QStringLiteral("Soci\u00e9t\u00e9 G\u00e9n\u00e9rale")
            << QStringLiteral("Soci\u00e9t\u00e9 G\u00e9n\u00e9rale") << QStringList{};
        QTest::newRow("Latin-1 company name")
            << longFile("Soci\xE9t\xE9 EUR", "") << 0 << QStringLiteral("Soci\u00e9t\u00e9")
            << QStringLiteral("Soci\u00e9t\u00e9") << QStringList{};
        QTest::newRow("binary garbage in a row")
            << kShortHeader + bytes("31-Dec-14\0,1,2\xff\xfe,1.5\0,1.75,9\x01\n")
            << 1 << QString() << old
            << QStringList{QStringLiteral("31-Dec-14") + QChar(0) + "|2|1.5|1.75|9"};
        QTest::newRow("binary garbage as header")
            << bytes("\0\xff\x01\x02\0\xfe") << 0 << QString() << old << QStringList{};
        const QByteArray mb(1 << 20, 'x');
        QTest::newRow("1 MB tail in the volume field")
            << kShortHeader + "31-Dec-14,1,2,1.5,1.75,812," + mb + "\n" + row2 << 2 << QString()
            << old << QStringList{"31-Dec-14|2|1.5|1.75|812", day2};
        QTest::newRow("1 MB of digits as volume keeps the stored volume")
            << kShortHeader + "31-Dec-14,1,2,1.5,1.75," + QByteArray(1 << 20, '9') + "\n" << 1
            << QString() << old << QStringList{"31-Dec-14|2|1.5|1.75|99"};
        QTest::newRow("1 MB first line is a long header")
            << mb + "\nx\nAcme Corp USD\nx\nx\n2001-01-31,10.5,9.75,10.25,12345\n" << 1 << acme
            << acme << QStringList{"2001-01-31|10.5|9.75|10.25|12345"};
    }
    void load() {
        QFETCH(QByteArray, file);
        QFETCH(int, dayCount);
        QFETCH(QString, caption);
        QFETCH(QString, company);
        QFETCH(QStringList, days);
        ChartState st;
        preset(st);
        bool flag = true;
        loadFile(st, file, flag);
        QCOMPARE(flag, false);
        QCOMPARE(st.ticker_name, QStringLiteral("t"));
        QCOMPARE(int(st.series.day_count), dayCount);
        QCOMPARE(st.caption, caption);
        QCOMPARE(st.company_name, company);
        for (int d = 1; d <= days.size(); ++d)
            QCOMPARE(dayText(st.series, d), days[d - 1]);
    }

    // The volume is rounded to the nearest integer, halves to even.
    void volumeRounding_data() {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<int>("volume");
        QTest::newRow("2.5") << QByteArray("2.5") << 2;
        QTest::newRow("3.5") << QByteArray("3.5") << 4;
        QTest::newRow("-2.5") << QByteArray("-2.5") << -2;
        QTest::newRow("2.51") << QByteArray("2.51") << 3;
        QTest::newRow("1e3") << QByteArray("1e3") << 1000;
        QTest::newRow("812,9.5") << QByteArray("812,9.5") << 812;
        QTest::newRow("2147483647.4") << QByteArray("2147483647.4") << 2147483647;
    }
    void volumeRounding() {
        QFETCH(QByteArray, field);
        QFETCH(int, volume);
        ChartState st;
        bool flag = false;
        loadFile(st, kShortHeader + "31-Dec-14,1,2,1,1," + field + "\n", flag);
        QCOMPARE(int(st.series.day_count), 1);
        QCOMPARE(st.series.price_volume[1], volume);
    }

    void moreThan5000Rows() {
        ChartState st;
        bool flag = false;
        loadFile(st, kShortHeader + rowsOf(5003, "row-%-of-the-file,1,%,1,1,%"), flag);
        QCOMPARE(int(st.series.day_count), 5000);
        QCOMPARE(dayText(st.series, 1), QStringLiteral("row-1-of-the-file|1|1|1|1"));
        QCOMPARE(dayText(st.series, 5000),
                 QStringLiteral("row-5000-of-the-file|5000|1|1|5000"));
    }

    void staleValuesBeyondDayCount() {
        ChartState st;
        bool flag = false;
        loadFile(st, kShortHeader + rowsOf(300, "first-file-row-%,1,%,1,1,%"), flag);
        loadFile(st, kShortHeader + rowsOf(100, "second-file-row-%,1,2,1,1,7"), flag);
        QCOMPARE(int(st.series.day_count), 100);
        QCOMPARE(dayText(st.series, 100), QStringLiteral("second-file-row-100|2|1|1|7"));
        QCOMPARE(dayText(st.series, 101), QStringLiteral("first-file-row-101|101|1|1|101"));
        QCOMPARE(dayText(st.series, 300), QStringLiteral("first-file-row-300|300|1|1|300"));
    }

    void fileName_data() {
        QTest::addColumn<QString>("ticker");
        QTest::addColumn<QString>("file");
        QTest::newRow("brk:b") << "brk:b" << "BRK_B.csv";
        QTest::newRow("abc:x") << "abc:x" << "ABC_X.csv";
        QTest::newRow("a:b:c") << "a:b:c" << "A_B_C.csv";
        QTest::newRow("Orcl") << "Orcl" << "ORCL.csv";
    }
    void fileName() {
        QFETCH(QString, ticker);
        QFETCH(QString, file);
        QCOMPARE(historyFilePath(ticker, hist_), hist_ + QLatin1Char('/') + file);
        writeFile(hist_ + QLatin1Char('/') + file, kShortHeader + "31-Dec-14,1,2,1,1,4242\n");
        ChartState st;
        bool flag = true;
        ReadDataFile(st, ticker, flag, hist_);
        QCOMPARE(st.ticker_name, ticker);
        QCOMPARE(int(st.series.day_count), 1);
        QCOMPARE(st.series.price_volume[1], 4242);
        QFile::remove(hist_ + QLatin1Char('/') + file);
    }

    // Tickers and files that cannot be read: the load ends at once with no day, the ticker
    // named, an empty caption, the company and the stored values untouched.
    void unreadable_data() {
        QTest::addColumn<QString>("ticker");
        QTest::addColumn<bool>("refused"); // no file name at all
        QTest::newRow("missing file") << "nosuch" << false;
        QTest::newRow("../../etc/passwd") << "../../etc/passwd" << true;
        QTest::newRow("..") << ".." << true;
        QTest::newRow("a/b") << "a/b" << true;
        QTest::newRow("empty") << "" << true;
        QTest::newRow("../secret") << "../secret" << true;
        QTest::newRow("..\\secret") << "..\\secret" << true;
        QTest::newRow("NUL") << QStringLiteral("sec") + QChar(0) + "ret" << true;
        QTest::newRow("line feed") << "sec\nret" << true;
        QTest::newRow("link leading outside") << "evil" << false;
        QTest::newRow("directory") << "dir" << false;
        QTest::newRow("named pipe") << "fifo" << false;
    }
    void unreadable() {
        QFETCH(QString, ticker);
        QFETCH(bool, refused);
        // A readable file outside the folder, reachable by a link inside it.
        const QString secret = tmp_.filePath(QStringLiteral("SECRET.csv"));
        writeFile(secret, kShortHeader + "31-Dec-14,1,2,1,1,1\n");
        QFile::link(secret, hist_ + QStringLiteral("/EVIL.csv"));
        QDir(hist_).mkpath(QStringLiteral("DIR.csv"));
        ::mkfifo(QFile::encodeName(hist_ + QStringLiteral("/FIFO.csv")).constData(), 0600);

        QCOMPARE(historyFilePath(ticker, hist_).isEmpty(), refused);
        ChartState st;
        preset(st);
        bool flag = true;
        ReadDataFile(st, ticker, flag, hist_);
        QCOMPARE(flag, false);
        QCOMPARE(int(st.series.day_count), 0);
        QCOMPARE(st.ticker_name, ticker);
        QCOMPARE(st.caption, QString());
        QCOMPARE(st.company_name, QStringLiteral("Old Co"));
        QCOMPARE(dayText(st.series, 1), QStringLiteral("old|5|4|4.5|99"));
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

    void samples() {
        const QString dir = test::sampleHistDir();
        QVERIFY2(!dir.isEmpty(), "TK5_HIST names the sample histories (run through ctest)");
        ChartState st;
        bool flag = false;
        ReadDataFile(st, QStringLiteral("ORCL"), flag, dir);
        // 5036 data rows, of which the first 5000 are kept.
        QCOMPARE(int(st.series.day_count), 5000);
        QCOMPARE(dayText(st.series, 1), QStringLiteral("31-Dec-14|45.56|44.97|44.97|13269200"));
        QCOMPARE(dayText(st.series, 5000),
                 QStringLiteral("23-Feb-95|2.3796|2.2963|2.3241|42390400"));
        QCOMPARE(st.caption, QString());

        ReadDataFile(st, QStringLiteral("AAPL_L"), flag, dir);
        QCOMPARE(st.company_name, QStringLiteral("Apple Inc."));
        QCOMPARE(st.caption, QStringLiteral("Apple Inc."));
        QCOMPARE(int(st.series.day_count), 506); // 511 lines less 5 header lines
        QCOMPARE(dayText(st.series, 1), QStringLiteral("2017-02-16|135.9|134.84|135.35|22118000"));
    }

    // Dates, newest first: Tue 13, Fri 9, Thu 8, Wed 7, Tue 6, Mon 5, Fri 2 January 2015;
    // Monday 12 January is a holiday.
    void convertDate_data() {
        QTest::addColumn<QStringList>("dates");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("day");
        const QStringList jan{"13-Jan-15", "09-Jan-15", "08-Jan-15", "07-Jan-15",
                              "06-Jan-15", "05-Jan-15", "02-Jan-15"};
        QTest::newRow("newest") << jan << "13-Jan-15" << 1;
        QTest::newRow("newest, ISO form") << jan << "2015-01-13" << 1;
        QTest::newRow("after newest") << jan << "14-Jan-15" << 1;
        QTest::newRow("long after newest") << jan << "1/1/2030" << 1;
        QTest::newRow("before oldest") << jan << "01-Jan-15" << 7;
        QTest::newRow("long before oldest") << jan << "31-Dec-1999" << 7;
        QTest::newRow("a trading day") << jan << "7-Jan-2015" << 4;
        QTest::newRow("oldest") << jan << "1/2/2015" << 7;
        QTest::newRow("Saturday finds Friday") << jan << "10-Jan-15" << 2;
        QTest::newRow("Sunday finds Friday") << jan << "11-Jan-15" << 2;
        QTest::newRow("Sunday finds the oldest Friday") << jan << "04-Jan-15" << 7;
        // Monday, Sunday and Saturday are all missing.
        QTest::newRow("Monday holiday") << jan << "12-Jan-15" << 0;
        QTest::newRow("not a date") << jan << "abc" << 0;
        QTest::newRow("empty text") << jan << "" << 0;
        QTest::newRow("no such day") << jan << "32-Jan-15" << 0;
        QTest::newRow("empty series") << QStringList{} << "13-Jan-15" << 0;
        // The whole series is searched for the date before the day before it is tried.
        QTest::newRow("exact date wins over an earlier listed day before it")
            << QStringList{"13-Jan-15", "10-Jan-15", "11-Jan-15", "02-Jan-15"} << "11-Jan-15"
            << 3;
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

    void readDate_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date"); // invalid: not a date
        QTest::newRow("ISO") << "2001-01-31" << QDate(2001, 1, 31);
        QTest::newRow("d-mmm-yy") << "31-Jan-01" << QDate(2001, 1, 31);
        QTest::newRow("d-mmm-yyyy") << "31-Jan-2001" << QDate(2001, 1, 31);
        QTest::newRow("m/d/yyyy") << "1/31/2001" << QDate(2001, 1, 31);
        QTest::newRow("m/d/yy") << "1/31/01" << QDate(2001, 1, 31);
        QTest::newRow("long month, blanks around") << " January 31, 2001 " << QDate(2001, 1, 31);
        QTest::newRow("lower-case month") << "5-feb-15" << QDate(2015, 2, 5);
        QTest::newRow("year 00") << "31-Jan-00" << QDate(2000, 1, 31);
        QTest::newRow("year 29") << "31-Jan-29" << QDate(2029, 1, 31);
        QTest::newRow("year 30") << "31-Jan-30" << QDate(1930, 1, 31);
        QTest::newRow("year 99") << "31-Jan-99" << QDate(1999, 1, 31);
        QTest::newRow("leap day") << "29-Feb-00" << QDate(2000, 2, 29);
        QTest::newRow("32-Jan-01") << "32-Jan-01" << QDate();
        QTest::newRow("2001-13-01") << "2001-13-01" << QDate();
        QTest::newRow("29-Feb-01") << "29-Feb-01" << QDate();
        QTest::newRow("empty") << "" << QDate();
        QTest::newRow("abc") << "abc" << QDate();
        QTest::newRow("number") << "20010131" << QDate();
        QTest::newRow("decimal number") << "45.56" << QDate();
        QTest::newRow("unknown month") << "31-Foo-01" << QDate();
        QTest::newRow("three-digit year") << "31-Jan-150" << QDate();
        QTest::newRow("year before 100") << "31-Jan-0050" << QDate();
        QTest::newRow("day 0") << "0/1/2001" << QDate();
        QTest::newRow("four parts") << "31-Jan-01-02" << QDate();
        QTest::newRow("time attached") << "2001-01-31T10:00" << QDate();
    }
    void readDate() {
        QFETCH(QString, text);
        QFETCH(QDate, date);
        QCOMPARE(tk5::readDate(text).value_or(QDate()), date);
    }

    // Numeric dates follow the order of the user's locale; its month names are read too.
    void readDateOtherLocales_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date");
        const QLocale uk(QLocale::English, QLocale::UnitedKingdom);
        const QLocale fr(QLocale::French, QLocale::France);
        QTest::newRow("UK day first") << uk << "31/1/2001" << QDate(2001, 1, 31);
        QTest::newRow("UK month first is no date") << uk << "1/31/2001" << QDate();
        QTest::newRow("UK English month") << uk << "31-Jan-01" << QDate(2001, 1, 31);
        QTest::newRow("French numeric") << fr << "31/01/2001" << QDate(2001, 1, 31);
        QTest::newRow("French abbreviation with dot") << fr << "31 janv. 2001"
                                                      << QDate(2001, 1, 31);
        QTest::newRow("French long month") << fr << "5 f\u00e9vrier 2001" << QDate(2001, 2, 5);
    }
    void readDateOtherLocales() {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QFETCH(QDate, date);
        QLocale::setDefault(locale);
        const std::optional<QDate> read = tk5::readDate(text);
        test::useEnglishLocale();
        QCOMPARE(read.value_or(QDate()), date);
    }

    void formatDate_data() {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("text");
        const QDate jan5(2001, 1, 5);
        QTest::newRow("d") << jan5 << "d" << "5";
        QTest::newRow("dd") << jan5 << "dd" << "05";
        QTest::newRow("mmm") << jan5 << "mmm" << "Jan";
        QTest::newRow("yy") << jan5 << "yy" << "01";
        QTest::newRow("mmm,yy") << jan5 << "mmm,yy" << "Jan,01";
        QTest::newRow("dd,mmm,yyyy") << jan5 << "dd,mmm,yyyy" << "05,Jan,2001";
        QTest::newRow("December") << QDate(2014, 12, 31) << "dd,mmm,yyyy" << "31,Dec,2014";
        QTest::newRow("1999 as yy") << QDate(1999, 9, 9) << "mmm,yy" << "Sep,99";
        QTest::newRow("no date") << QDate() << "dd,mmm,yyyy" << "";
    }
    void formatDate() {
        QFETCH(QDate, date);
        QFETCH(QString, pattern);
        QFETCH(QString, text);
        QCOMPARE(tk5::formatDate(date, pattern), text);
    }
};

QTEST_MAIN(TestData)
#include "tst_data.moc"
