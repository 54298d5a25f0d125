// Value semantics shared by every part of the control (rounding, conversions, number
// formats, numeric prefixes) and the behaviour of the drawing surfaces.

#include "Fixtures.h"

#include "common/DayArray.h"
#include "common/Formats.h"
#include "common/Numbers.h"
#include "common/Twips.h"
#include "surface/ImageSurface.h"

#include <QtTest>

#include <cmath>
#include <limits>

using namespace tk5;

class TestCommon : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::useEnglishLocale(); }

    void fixedFormats_data();
    void fixedFormats();
    void generalFormat_data();
    void generalFormat();
    void localeDecimalSeparator();
    void numbersFromText_data();
    void numbersFromText();
    void conversions_data();
    void conversions();
    void flags();
    void dayArrayBounds();

    void invertedLineRestoresPicture();
    void paintedPixels_data();
    void paintedPixels();
    void recordedCallText();
};

void TestCommon::fixedFormats_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("fixed");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("noLeadingZero"); // two decimals
    QTest::newRow("half") << 0.5 << "0.50" << 2 << ".50";
    QTest::newRow("negative below one") << -0.25 << "-0.25" << 2 << "-.25";
    QTest::newRow("no thousands separator") << 12345.678 << "12345.68" << 2 << "12345.68";
    QTest::newRow("one decimal") << 10.04 << "10.0" << 1 << "10.04";
    QTest::newRow("zero") << 0.0 << "0.00" << 2 << ".00";
    QTest::newRow("rounds up") << 1.236 << "1.24" << 2 << "1.24";
}

void TestCommon::fixedFormats() {
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, fixed);
    QFETCH(QString, noLeadingZero);
    QCOMPARE(formatFixed(value, decimals), fixed);
    QCOMPARE(formatNoLeadingZero(value), noLeadingZero);
}

void TestCommon::generalFormat_data() {
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("fraction") << 12.5f << "12.5";
    QTest::newRow("whole") << 100.0f << "100";
    QTest::newRow("small") << 0.05f << "0.05";
    // 3 x 0.05 in 32-bit floats is 0.15000001: seven significant digits show 0.15.
    QTest::newRow("float noise") << 3.0f * 0.05f << "0.15";
    QTest::newRow("seven digits") << 1234567.0f << "1234567";
    QTest::newRow("exponent") << 1.0e7f << "1E+07";
    QTest::newRow("negative") << -2.5f << "-2.5";
    QTest::newRow("zero") << 0.0f << "0";
}

void TestCommon::generalFormat() {
    QFETCH(float, value);
    QFETCH(QString, text);
    QCOMPARE(formatGeneral(value), text);
}

void TestCommon::localeDecimalSeparator() {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(formatFixed(1234.5, 2), QStringLiteral("1234,50"));
    QCOMPARE(formatNoLeadingZero(0.5), QStringLiteral(",50"));
    QCOMPARE(formatGeneral(12.5f), QStringLiteral("12,5"));
    QCOMPARE(textToNumber(QStringLiteral("2,5")).value_or(-1), 2.5);
    test::useEnglishLocale();
}

// A history field reads its leading number; a text box needs the whole text to be one.
void TestCommon::numbersFromText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("leading");
    QTest::addColumn<bool>("isNumber");
    QTest::newRow("plain") << "45.56" << 45.56 << true;
    QTest::newRow("blanks around") << " 5 " << 5.0 << true;
    QTest::newRow("trailing letters") << "  12.5abc" << 12.5 << false;
    QTest::newRow("rest of a line after a comma") << "812,9.5" << 812.0 << false;
    QTest::newRow("thousands separator") << "1,234" << 1.0 << false;
    QTest::newRow("letters") << "abc" << 0.0 << false;
    QTest::newRow("empty") << "" << 0.0 << false;
    QTest::newRow("negative") << "-3" << -3.0 << true;
    QTest::newRow("exponent") << "1e2" << 100.0 << true;
    QTest::newRow("dangling exponent") << "1e" << 1.0 << false;
    QTest::newRow("point first") << ".5" << 0.5 << true;
    QTest::newRow("sign only") << "-" << 0.0 << false;
    QTest::newRow("infinity") << "inf" << 0.0 << false;
}

void TestCommon::numbersFromText() {
    QFETCH(QString, text);
    QFETCH(double, leading);
    QFETCH(bool, isNumber);
    QCOMPARE(leadingNumber(text), leading);
    const auto whole = textToNumber(text);
    QCOMPARE(whole.has_value(), isNumber);
    if (isNumber) QCOMPARE(*whole, leading);
}

void TestCommon::conversions_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("fits16");
    QTest::addColumn<int>("int16");
    QTest::newRow("half to even down") << 2.5 << true << 2;
    QTest::newRow("half to even up") << 3.5 << true << 4;
    QTest::newRow("negative half") << -2.5 << true << -2;
    QTest::newRow("top of range") << 32767.4 << true << 32767;
    QTest::newRow("rounds past the top") << 32767.5 << false << 0;
    QTest::newRow("bottom of range") << -32768.0 << true << -32768;
    QTest::newRow("below range") << -32769.0 << false << 0;
    QTest::newRow("not a number") << std::nan("") << false << 0;
}

void TestCommon::conversions() {
    QFETCH(double, value);
    QFETCH(bool, fits16);
    QFETCH(int, int16);
    if (fits16) {
        QCOMPARE(static_cast<int>(toInt16(value)), int16);
    } else {
        QVERIFY_THROWS_EXCEPTION(ChartError, toInt16(value));
    }
}

void TestCommon::flags() {
    QCOMPARE(toggled(kFalse), kTrue);
    QCOMPARE(toggled(kTrue), kFalse);
    QCOMPARE(toggled(Flag(1)), kFalse); // anything but 0 becomes false
    QVERIFY(!isSet(Flag(1)));           // only -1 counts as set
    QVERIFY(isSet(kTrue));
    QVERIFY_THROWS_EXCEPTION(ChartError, divide(1.0, 0.0));
    QVERIFY_THROWS_EXCEPTION(ChartError, toSingle(1.0e39));
    QCOMPARE(toSingle(1.0e38), 1.0e38f);
    QCOMPARE(toInt32(2.5e9 / 2), 1250000000);
    QVERIFY_THROWS_EXCEPTION(ChartError, toInt32(2.5e9));
    QVERIFY_THROWS_EXCEPTION(ChartError, add16(32767, 1));
    QCOMPARE(RGB(150, 60, 60), Color(0x3C3C96));
}

void TestCommon::dayArrayBounds() {
    FloatDays buffer(kBufferCapacity);
    buffer[1] = 1.5f;
    buffer[3000] = 2.5f;
    QCOMPARE(buffer[1], 1.5f);
    QCOMPARE(buffer[3000], 2.5f);
    QVERIFY_THROWS_EXCEPTION(ChartError, buffer[0]);
    QVERIFY_THROWS_EXCEPTION(ChartError, buffer[3001]);
    int reached = 0;
    volatile long past = 3001; // not a constant, as in the drawing code
    skipOnError([&] {
        buffer[past] = 1;
        reached = 1;
    });
    skipOnError([&] { reached += 2; });
    QCOMPARE(reached, 2); // the failing step was skipped, the next one ran
}

// ---- surfaces ----------------------------------------------------------------------------

namespace {
constexpr Color kWhite = 0xFFFFFF;
constexpr Color kBlack = 0;

int countColor(const ImageSurface& s, Color c) {
    int n = 0;
    for (int y = 0; y < s.image().height(); ++y)
        for (int x = 0; x < s.image().width(); ++x)
            n += s.pixel(x, y) == c;
    return n;
}
} // namespace

void TestCommon::invertedLineRestoresPicture() {
    ImageSurface s(QStringLiteral("s"), 600, 600);
    s.BackColor = RGB(200, 100, 50);
    s.Cls();
    s.Line(30, 30, 400, 500, RGB(0, 128, 0));
    const QImage before = s.image();
    s.DrawMode = kDrawInvert;
    s.Line(100, 0, 100, 600);
    s.Line(0, 0, 599, 420);
    QVERIFY(s.image() != before);
    QCOMPARE(s.pixel(twipsToPixels(100), 20), Color(RGB(55, 155, 205)));
    s.Line(0, 0, 599, 420);
    s.Line(100, 0, 100, 600);
    QVERIFY(s.image() == before);
}

// Which pixels a call paints on a 20 x 20 pixel surface (300 x 300 twips).
void TestCommon::paintedPixels_data() {
    QTest::addColumn<QString>("op");
    QTest::addColumn<QList<float>>("coords");
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<QPoint>>("painted");
    QTest::addColumn<QList<QPoint>>("unpainted");
    using P = QList<QPoint>;
    using C = QList<float>;
    QTest::newRow("segment covers both end pixels")
        << "Line" << C{0, 15, 150, 15} << kSolid << 11 << P{{0, 1}, {10, 1}} << P{{11, 1}};
    // 22.5 twips is pixel 1.5, which rounds to the even 2.
    QTest::newRow("half pixel rounds to even")
        << "Line" << C{22.5f, 0, 22.5f, 0} << kSolid << 1 << P{{2, 0}} << P{{1, 0}};
    QTest::newRow("dashed: 18 on, 6 off")
        << "Line" << C{0, 0, 285, 0} << kDashed << 18 << P{{17, 0}} << P{{18, 0}, {19, 0}};
    QTest::newRow("dotted: 3 on, 3 off")
        << "Line" << C{0, 0, 285, 0} << kDotted << 11 << P{{2, 0}, {6, 0}} << P{{3, 0}, {5, 0}};
    QTest::newRow("box filled, corners in any order")
        << "Box" << C{45, 60, 15, 30} << kSolid << 9 << P{{1, 2}, {3, 4}} << P{{4, 4}, {0, 2}};
    QTest::newRow("pen line leaves its end pixel")
        << "PenLine" << C{2, 2, 2, 8} << kSolid << 6 << P{{2, 2}, {2, 7}} << P{{2, 8}};
    QTest::newRow("far outside, crossing")
        << "Line" << C{75, -3.0e8f, 75, 3.0e8f} << kSolid << 20 << P{{5, 0}, {5, 19}} << P{{4, 0}};
    QTest::newRow("far outside, not crossing")
        << "Line" << C{-1.0e9f, -1.0e9f, -1.0e9f, 1.0e9f} << kSolid << 0 << P{} << P{{0, 0}};
}

void TestCommon::paintedPixels() {
    QFETCH(QString, op);
    QFETCH(QList<float>, coords);
    QFETCH(int, style);
    QFETCH(int, count);
    QFETCH(QList<QPoint>, painted);
    QFETCH(QList<QPoint>, unpainted);
    ImageSurface s(QStringLiteral("s"), 300, 300);
    s.Cls();
    s.DrawStyle = style;
    if (op == QLatin1String("Line"))
        s.Line(coords[0], coords[1], coords[2], coords[3]);
    else if (op == QLatin1String("Box"))
        s.Box(coords[0], coords[1], coords[2], coords[3]);
    else
        s.PenLine(int(coords[0]), int(coords[1]), int(coords[2]), int(coords[3]), kBlack);
    QCOMPARE(countColor(s, kBlack), count);
    for (const QPoint& p : painted)
        QCOMPARE(s.pixel(p.x(), p.y()), kBlack);
    for (const QPoint& p : unpainted)
        QCOMPARE(s.pixel(p.x(), p.y()), kWhite);
    if (op != QLatin1String("PenLine")) // the print position follows the end point
        QCOMPARE(s.CurrentX, coords[2]);
}

void TestCommon::recordedCallText() {
    RecordingSurface s(QStringLiteral("Picture1"), 300, 300);
    s.ForeColor = RGB(150, 60, 60);
    s.DrawStyle = kDotted;
    s.Line(0, 12.5f, 300, 12.5f);
    s.DrawStyle = kSolid;
    s.Box(0, 0, 30, 30, RGB(0, 0, 52));
    s.CurrentX = 10;
    s.CurrentY = 20;
    s.Print(QStringLiteral("$ 12.5"));
    // Printing moves down one text height and back to the left edge, painting in ForeColor.
    QCOMPARE(s.CurrentX, 0.0f);
    QCOMPARE(s.CurrentY, 20.0f + s.TextHeight(QStringLiteral("$")));
    QVERIFY(s.TextHeight(QStringLiteral("$")) >= 150 && countColor(s, RGB(150, 60, 60)) > 20);
    s.PenLine(1, 2, 3, 4, RGB(0, 180, 0));
    const QStringList lines = s.calls().toText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines[0],
             QStringLiteral(
                 "Picture1 Line 0 12.5 300 12.5 color=rgb(150,60,60) style=2 width=1 mode=13"));
    QCOMPARE(lines[1], QStringLiteral("Picture1 Box 0 0 30 30 color=rgb(0,0,52) mode=13"));
    QCOMPARE(
        lines[2],
        QStringLiteral(
            "Picture1 Print 10 20 \"$ 12.5\" color=rgb(150,60,60) font=\"Arial 8.25\" mode=13"));
    QCOMPARE(lines[3], QStringLiteral("Picture1 PenLine 1 2 3 4 color=rgb(0,180,0) mode=13"));
}

QTEST_MAIN(TestCommon)
#include "tst_common.moc"
