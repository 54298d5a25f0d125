// SPDX-License-Identifier: BSD-3-Clause
#include "Fixtures.h"

#include "chart/DateRuler.h"
#include "common/Formats.h"
#include "data/HistoryFile.h"

#include <QtTest>

#include <atomic>
#include <clocale>
#include <thread>

#include <sys/stat.h>

using namespace tk5;

namespace {

const QByteArray kHead = "Date,Open,High,Low,Close,Volume\n"; // short header, 31 characters
const QString kOld = QStringLiteral("Old Co");

// A long-header file: a first line of exactly 40 characters, the company on line 3.
QByteArray longFile(const QByteArray& rows, const QByteArray& nameLine = "Acme Corp USD") {
    return QByteArray(40, '=') + "\nExchange: test\n" + nameLine +
           "\nDate,High,Low,Close,Volume\n----------\n" + rows;
}

QString dayText(const PriceSeries& s, long d) {
    return s.price_date[d] + QStringLiteral("|%1|%2|%3|%4")
                                 .arg(s.price_high[d])
                                 .arg(s.price_low[d])
                                 .arg(s.price_close[d])
                                 .arg(s.price_volume[d]);
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size(), qPrintable(path));
}

// A control that already shows the company "Old Co" and day 1 = "old|5|4|4.5|99".
void preset(ChartState& st) {
    st.company_name = kOld;
    test::fillSeries(st.series, {{5, 4, 4.5f, 99}});
    st.series.price_date.set(1, QStringLiteral("old"));
}

// The C library's numbers as a German user's Qt application has them (a decimal comma):
// de_DE.UTF-8, made from the system's locale sources in folder when it is not installed.
bool useGermanCNumbers(const QString& folder) {
    if (setlocale(LC_NUMERIC, "de_DE.UTF-8")) return true;
    QProcess localedef;
    localedef.start("localedef", {"-i", "de_DE", "-f", "UTF-8", folder + "/de_DE.UTF-8"});
    localedef.waitForFinished(60000);
    qputenv("LOCPATH", QFile::encodeName(folder));
    return setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
}

QByteArray rowsOf(int count, const char* layout) {
    QByteArray out;
    for (int i = 1; i <= count; ++i)
        out += QByteArray(layout).replace("%", QByteArray::number(i)) + "\n";
    return out;
}

// days: days 1, 2, ... as dayText, joined by blanks. caption: what a long header gives (its
// company name). company afterwards: by default the caption or, when that is empty, "Old Co".
void addLoad(const char* name, const QByteArray& file, const QString& days,
             const QString& caption = {}, std::optional<QString> company = {}) {
    QTest::newRow(name) << file << caption << company.value_or(caption.isEmpty() ? kOld : caption)
                        << days.split(' ', Qt::SkipEmptyParts);
}

} // namespace

class TestData : public QObject {
    Q_OBJECT

    QTemporaryDir tmp_;
    QString hist_;

    // Loads ticker into st; the caption, checking the load clears the "today" flag.
    QString read(ChartState& st, const QString& ticker = QStringLiteral("t"),
                 RowReading reading = RowReading::Fast) {
        bool flag = true;
        const QString caption = ReadDataFile(st, ticker, flag, hist_, reading);
        return flag ? QStringLiteral("flag left set") : caption;
    }
    QString loadFile(ChartState& st, const QByteArray& bytes) {
        writeFile(hist_ + QStringLiteral("/T.csv"), bytes);
        return read(st);
    }

private slots:
    // A readable file outside the folder, reachable by a link inside it; a directory and a pipe.
    void initTestCase() {
        test::useEnglishLocale();
        QVERIFY(tmp_.isValid());
        hist_ = tmp_.filePath(QStringLiteral("hist"));
        QVERIFY(QDir().mkpath(hist_ + QStringLiteral("/DIR.csv")));
        const QString secret = tmp_.filePath(QStringLiteral("SECRET.csv"));
        writeFile(secret, kHead + "31-Dec-14,1,2,1,1,4242\n");
        QVERIFY(QFile::link(secret, hist_ + "/EVIL.csv"));
        QVERIFY(!::mkfifo(QFile::encodeName(hist_ + "/FIFO.csv").constData(), 0600));
    }

    // What a load makes of a file, starting from the preset control.
    void load_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("company");
        QTest::addColumn<QStringList>("days");
        const QByteArray r1 = "31-Dec-14,45.45,45.56,44.97,44.97,13269200\n";
        const QByteArray r2 = "30-Dec-14,45.55,45.66,45.29,45.34,9968400\n";
        const QString d1 = "31-Dec-14|45.56|44.97|44.97|13269200",
                      d2 = "30-Dec-14|45.66|45.29|45.34|9968400";
        const QByteArray a1 = "2001-01-31,10.5,9.75,10.25,12345";
        const QString ad1 = QStringLiteral("2001-01-31|10.5|9.75|10.25|12345");
        const QByteArray dec = kHead + "31-Dec-14,1,", day = dec + "2,1,1,"; // volume to follow
        const QString soc = QStringLiteral("Soci\u00e9t\u00e9"), ds = "31-Dec-14|2|1|1|";
        addLoad("header only", kHead, "");
        addLoad("empty file", QByteArray(), "");
        addLoad("first line of 39 is short", QByteArray(39, '=') + "\n" + r1, d1);
        addLoad("BOM, 39 stays short", "\xEF\xBB\xBF" + QByteArray(39, '=') + "\n" + r1, d1);
        addLoad("name line of 4: empty name", longFile(a1 + "\n", "ABCD"), ad1, "", "");
        addLoad("name line of 3: old name kept", longFile(a1 + "\n", "USD"), ad1, kOld);
        addLoad("CRLF", longFile(a1 + "\n").replace("\n", "\r\n"), ad1, "Acme Corp");
        addLoad("UTF-8 company", longFile("", "Soci\xC3\xA9t\xC3\xA9 EUR"), "", soc);
        addLoad("Latin-1 company", longFile("", "Soci\xE9t\xE9 EUR"), "", soc);
        addLoad("short line replaced by the next", kHead + "x\n" + r1 + r2, d1 + ' ' + d2);
        addLoad("last short line parsed as it is", kHead + "x\na,1,2,3,4,5\n", "a|2|3|4|5");
        addLoad("blank line: no day", kHead + "\n", "");
        addLoad("rejected last row changes no day", kHead + r1 + "30-Dec-14,1,0,1,1,5\n", d1);
        addLoad("17 characters read", dec + "20,30\n" + r2, "31-Dec-14|20|30|4.5|99 " + d2);
        addLoad("16 + CR: next line", kHead + "a,1,2,3,4,5,6789\r\n" + r1, d1);
        addLoad("leading numbers", dec + " 12.5e,.5x,-3e1,inf\n", "31-Dec-14|12.5|0.5|-30|0");
        addLoad("German C numbers: a point", kHead + r1, d1);
        addLoad("non-numeric low", dec + "12.5,low,7,8\n" + r2, d2);
        addLoad("too big: old values kept", dec + "1e39,2,3,3e9\n", "31-Dec-14|5|2|3|99");
        addLoad("halves to even", day + "2.5\n" + day.mid(31) + "3.5\n", ds + "2 " + ds + "4");
        addLoad("row of only commas", kHead + QByteArray(20, ',') + "\n" + r1, d1);
        addLoad("plain decimals", dec + "0.50,5.,-2.25,2147483647.5\n", "31-Dec-14|0.5|5|-2.25|99");
        addLoad("15 characters in 20 bytes: next line",
                kHead + "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9,1,2,1,1,5\n" + r1, d1);
        addLoad("UTF-8 and Latin-1 dates",
                kHead + "31-\xC3\xA9t\xC3\xA9-2014,1,2,1,1,5\n31-\xE9t\xE9-2014,1,2,1,1,5\n",
                "31-\u00e9t\u00e9-2014|2|1|1|5 31-\u00e9t\u00e9-2014|2|1|1|5");
        addLoad("garbage", kHead + QByteArray("31-Dec-14\0,1,2\xff\xfe,1.5\0,1,9\x01\n", 27),
                "31-Dec-14" + QString(QChar(0)) + "|2|1.5|1|9");
        addLoad("1 MB volume tail", day + "812," + QByteArray(1 << 20, 'x') + "\n" + r2,
                ds + "812 " + d2);
        addLoad("8 MB date", kHead + QByteArray(8 << 20, 'x') + ",1,2,1,1,5\n" + r2, d2);
    }
    void load() {
        QFETCH(QByteArray, file);
        QFETCH(QString, caption);
        QFETCH(QString, company);
        QFETCH(QStringList, days);
        if (QByteArray(QTest::currentDataTag()).startsWith("German") &&
            !useGermanCNumbers(tmp_.path()))
            QSKIP("no de_DE.UTF-8 locale, and none can be made (package locales)");
        const auto cNumbers = qScopeGuard([] { setlocale(LC_NUMERIC, "C"); });
        writeFile(hist_ + QStringLiteral("/T.csv"), file);
        // The fast row reading and the general one alike.
        for (const RowReading reading : {RowReading::Fast, RowReading::General}) {
            ChartState st;
            preset(st);
            QCOMPARE(read(st, QStringLiteral("t"), reading), caption);
            QCOMPARE(int(st.series.day_count), days.size());
            QCOMPARE(st.company_name, company);
            for (int d = 1; d <= days.size(); ++d)
                QCOMPARE(dayText(st.series, d), days[d - 1]);
            // The day after the last loaded one keeps what the preset control held there.
            QCOMPARE(dayText(st.series, days.size() + 1),
                     days.isEmpty() ? "old|5|4|4.5|99" : "|0|0|0|0");
        }
    }

    // At most 5000 days are kept; a shorter file then leaves the days beyond its own as they were.
    // A sparse file of NUL bytes is one huge line: it loads as no day, holding little memory.
    void rowCapStaleDaysAndSparseFile() {
        ChartState st;
        loadFile(st, kHead + rowsOf(5003, "row-%-of-the-file,1,%,1,1,%"));
        QCOMPARE(int(st.series.day_count), 5000);
        QCOMPARE(dayText(st.series, 1) + ' ' + dayText(st.series, 5000),
                 "row-1-of-the-file|1|1|1|1 row-5000-of-the-file|5000|1|1|5000");
        loadFile(st, kHead + rowsOf(100, "second-file-row-%,1,2,1,1,7"));
        QCOMPARE(int(st.series.day_count), 100);
        QCOMPARE(dayText(st.series, 100) + ' ' + dayText(st.series, 101),
                 "second-file-row-100|2|1|1|7 row-101-of-the-file|101|1|1|101");
        writeFile(hist_ + QStringLiteral("/T.csv"), {});
        QVERIFY(QFile::resize(hist_ + QStringLiteral("/T.csv"), qint64{64} << 20));
        read(st);
        QCOMPARE(int(st.series.day_count), 0);
    }

    // A ticker names the upper-cased file with ":" as "_"; tickers and files that cannot be
    // read end the load at once with no day, an empty caption, company and stored day untouched.
    void tickers_data() {
        QTest::addColumn<QString>("ticker");
        QTest::addColumn<QString>("file"); // empty: no file name at all
        for (const char* r : {"brk:b BRK_B.csv", "nosuch NOSUCH.csv", "evil EVIL.csv",
                              "dir DIR.csv", "fifo FIFO.csv"})
            QTest::newRow(r) << QString(r).section(' ', 0, 0) << QString(r).section(' ', 1);
        QStringList bad{"../../etc/passwd", "..", "a/b", "", "..\\secret", "a\x7f"};
        for (char16_t c = 0x00; c < 0x20; ++c) // NUL and every control character
            bad << "a" + QString(QChar(c)) + "b";
        for (const QString& t : bad)
            QTest::newRow(t.toUtf8().toPercentEncoding().constData()) << t << "";
    }
    void tickers() {
        QFETCH(QString, ticker);
        QFETCH(QString, file);
        const bool loads = ticker == QStringLiteral("brk:b");
        QCOMPARE(historyFilePath(ticker, hist_), file.isEmpty() ? file : hist_ + '/' + file);
        if (loads) writeFile(hist_ + '/' + file, kHead + "31-Dec-14,1,2,1,1,4242\n");
        ChartState st;
        preset(st);
        QCOMPARE(read(st, ticker), QString());
        QCOMPARE(st.ticker_name + '|' + st.company_name, ticker + "|Old Co");
        QCOMPARE(int(st.series.day_count), loads ? 1 : 0);
        QCOMPARE(dayText(st.series, 1), loads ? "31-Dec-14|2|1|1|4242" : "old|5|4|4.5|99");
    }

    // The history file is swapped for a pipe or a link leading outside the folder over and over
    // while it is loaded: a load never blocks, never reads outside the folder, and gives the
    // file's own day or none.
    void swappedFile() {
        const QByteArray good = QFile::encodeName(hist_ + QStringLiteral("/RACE.good"));
        const QByteArray target = QFile::encodeName(hist_ + QStringLiteral("/RACE.csv"));
        writeFile(QFile::decodeName(good), kHead + "31-Dec-14,1,2,1,1,1111\n");
        for (const char* bad : {"/FIFO.csv", "/EVIL.csv"}) {
            const QByteArray other = QFile::encodeName(hist_ + bad);
            std::atomic<bool> stop{false};
            std::thread swapper([&] {
                while (!stop)
                    for (const QByteArray& from : {good, other}) {
                        ::rename(from.constData(), target.constData());
                        ::rename(target.constData(), from.constData());
                    }
            });
            bool stray = false; // a day other than the file's own
            for (int i = 0; i < 3000; ++i) {
                ChartState st;
                read(st, QStringLiteral("race"));
                stray |= st.series.day_count && dayText(st.series, 1) != "31-Dec-14|2|1|1|1111";
            }
            stop = true;
            swapper.join();
            QVERIFY2(!stray, bad);
        }
    }

    // Set but empty counts as not set: the folder beside the binary holding the code.
    void histDirectoryFromEnvironment() {
        const QString beside =
            QFileInfo(QCoreApplication::applicationFilePath()).canonicalPath() + "/hist";
        qputenv("TK5CHCTL_HIST_DIR", QFile::encodeName(tmp_.path()));
        QCOMPARE(histDirectory(), tmp_.path());
        qputenv("TK5CHCTL_HIST_DIR", QByteArray());
        QCOMPARE(histDirectory(), beside);
        qunsetenv("TK5CHCTL_HIST_DIR");
        QCOMPARE(histDirectory(), beside);
    }

    // Each row "dates|text|day". Dates, newest first: Tue 13, Fri 9, Thu 8, Wed 7, Tue 6, Mon 5,
    // Fri 2 January 2015; Monday 12 January is a holiday.
    void convertDate_data() {
        QTest::addColumn<QString>("row");
        const QString jan =
            "13-Jan-15 09-Jan-15 08-Jan-15 07-Jan-15 06-Jan-15 05-Jan-15 02-Jan-15|";
        // Up to two calendar days after a trading day find it; the third does not.
        for (const char* r : {"14-Jan-15|1", "01-Jan-15|7", "7-Jan-2015|4", "10-Jan-15|2",
                              "11-Jan-15|2", "12-Jan-15|0", "abc|0"})
            QTest::newRow(r) << jan + r;
        // An empty series; the whole series is searched for the date before the day before it.
        for (const char* r : {"|13-Jan-15|0", "13-Jan-15 10-Jan-15 11-Jan-15 02-Jan-15|11-Jan-15|3",
                              "13-Jan-15 n/a 08-Jan-15|9-Jan-15|3"})
            QTest::newRow(r) << QString(r);
    }
    void convertDate() {
        QFETCH(QString, row);
        PriceSeries s;
        const QStringList list = row.section('|', 0, 0).split(' ', Qt::SkipEmptyParts);
        for (int d = 1; d <= list.size(); ++d)
            s.price_date.set(d, list[d - 1]);
        s.day_count = static_cast<std::int16_t>(list.size());
        QCOMPARE(int(ConvertDateToInteger(s, row.section('|', 1, 1))), row.section('|', 2).toInt());
    }

    // A series keeps each day's date once read, and reads it again when the day's text is set
    // anew or the user's locale is another one: its date ruler is then the one a series never
    // drawn before gives. The texts are month first (1/29/2015); day first, most are no date.
    void keptDates() {
        const auto dated = [](ChartState& st, int back) {
            for (long day = 1; day <= 20; ++day)
                st.series.price_date.set(
                    day,
                    QDate(2015, 1, 30).addDays(-back - day).toString(QStringLiteral("M/d/yyyy")));
            st.series.day_count = 20;
        };
        const auto ruler = [](const ChartState& st) {
            test::Surfaces sf;
            DrawDateRuler(st, sf.all(), 1, 20);
            return test::printed(sf.DateRuler);
        };
        const auto fresh = [&](int back) {
            ChartState st;
            dated(st, back);
            return ruler(st);
        };
        ChartState kept;
        dated(kept, 0);
        const QStringList monthFirst = ruler(kept);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        const auto english = qScopeGuard([] { test::useEnglishLocale(); });
        QCOMPARE(ruler(kept), fresh(0));
        QVERIFY(ruler(kept) != monthFirst);
        dated(kept, 3);
        QCOMPARE(ruler(kept), fresh(3));
        test::useEnglishLocale();
        QCOMPARE(ruler(kept), fresh(3));
    }

    // Each row "locale|text|date as ISO or empty for not a date". Numeric dates follow the order
    // of the user's locale; its month names are read too, years 0-29 in 2000 on.
    void readDate_data() {
        QTest::addColumn<QString>("row");
        for (const char* r : {"en_US|2001-01-31|2001-01-31", "en_US|31-Jan-01|2001-01-31",
                              "en_US|1/31/2001|2001-01-31", "en_US| January 31, 2001 |2001-01-31",
                              "en_US|5-feb-29|2029-02-05", "en_US|31-Jan-30|1930-01-31",
                              "en_US|29-Feb-00|2000-02-29", "en_US|29-Feb-01|", "en_US|20010131|",
                              "en_US|31-Jan-150|", "en_GB|31/1/2001|2001-01-31", "en_GB|1/31/2001|",
                              "fr_FR|31 janv. 2001|2001-01-31"})
            QTest::newRow(r) << QString(r);
    }
    void readDate() {
        QFETCH(QString, row);
        QLocale::setDefault(QLocale(row.section('|', 0, 0)));
        const std::optional<QDate> read = tk5::readDate(row.section('|', 1, 1));
        test::useEnglishLocale();
        QCOMPARE(read.value_or(QDate()), QDate::fromString(row.section('|', 2), Qt::ISODate));
    }
};

QTEST_MAIN(TestData)
#include "tst_data.moc"
