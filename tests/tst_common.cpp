// Value semantics shared by every part of the control (rounding, conversions, number
// formats, numeric prefixes) and the behaviour of the drawing surfaces.

#include "Fixtures.h"

#include "common/DayArray.h"
#include "common/Formats.h"
#include "common/Numbers.h"
#include "control/ImageSurface.h"

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
    void leadingNumbers_data();
    void leadingNumbers();
    void wholeTextNumbers_data();
    void wholeTextNumbers();
    void conversions_data();
    void conversions();
    void flags();
    void dayArrayBounds();

    void lineCoversBothEndPixels();
    void invertedLineRestoresPicture();
    void lineStyles_data();
    void lineStyles();
    void boxIsFilledInclusive();
    void penLineLeavesEndPixel();
    void printAdvancesPosition();
    void lineFarOutsideIsClipped();
    void recordedCallText();
};

void TestCommon::fixedFormats_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("fixed");
    QTest::addColumn<QString>("noLeadingZero");
    QTest::newRow("half") << 0.5 << 2 << "0.50" << ".50";
    QTest::newRow("negative below one") << -0.25 << 2 << "-0.25" << "-.25";
    QTest::newRow("no thousands separator") << 12345.678 << 2 << "12345.68" << "12345.68";
    QTest::newRow("whole") << 100.0 << 2 << "100.00" << "100.00";
    QTest::newRow("one decimal") << 10.04 << 1 << "10.0" << "10.04";
    QTest::newRow("zero") << 0.0 << 2 << "0.00" << ".00";
    QTest::newRow("rounds up") << 1.236 << 2 << "1.24" << "1.24";
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

void TestCommon::leadingNumbers_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("plain") << "45.56" << 45.56;
    QTest::newRow("leading blanks, trailing letters") << "  12.5abc" << 12.5;
    QTest::newRow("rest of the line after a comma") << "812,9.5" << 812.0;
    QTest::newRow("no number") << "abc" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("negative") << "-3" << -3.0;
    QTest::newRow("exponent") << "1e2x" << 100.0;
    QTest::newRow("dangling exponent") << "1e" << 1.0;
    QTest::newRow("point first") << ".5" << 0.5;
    QTest::newRow("sign only") << "-" << 0.0;
    QTest::newRow("thousands separator ends it") << "1,234" << 1.0;
}

void TestCommon::leadingNumbers() {
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(leadingNumber(text), value);
}

void TestCommon::wholeTextNumbers_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<double>("value");
    QTest::newRow("blank around") << " 5 " << true << 5.0;
    QTest::newRow("fraction") << "2.5" << true << 2.5;
    QTest::newRow("exponent") << "1e2" << true << 100.0;
    QTest::newRow("negative") << "-1" << true << -1.0;
    QTest::newRow("group separator") << "2,5" << false << 0.0;
    QTest::newRow("letters") << "abc" << false << 0.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("blank") << "   " << false << 0.0;
    QTest::newRow("trailing letters") << "5x" << false << 0.0;
    QTest::newRow("infinity") << "inf" << false << 0.0;
}

void TestCommon::wholeTextNumbers() {
    QFETCH(QString, text);
    QFETCH(bool, isNumber);
    QFETCH(double, value);
    const auto n = textToNumber(text);
    QCOMPARE(n.has_value(), isNumber);
    if (isNumber)
        QCOMPARE(*n, value);
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
    skipOnError([&] { buffer[past] = 1; reached = 1; });
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

void TestCommon::lineCoversBothEndPixels() {
    ImageSurface s(QStringLiteral("s"), 300, 150); // 20 x 10 pixels
    s.Cls();
    s.Line(0, 15, 150, 15); // pixels (0,1) .. (10,1)
    for (int x = 0; x <= 10; ++x)
        QCOMPARE(s.pixel(x, 1), kBlack);
    QCOMPARE(s.pixel(11, 1), kWhite);
    QCOMPARE(countColor(s, kBlack), 11);
    // Twips convert at 15 per pixel, halves to even: 22.5 twips is pixel 1.5 -> 2.
    s.Cls();
    s.Line(22.5f, 0, 22.5f, 0);
    QCOMPARE(s.pixel(2, 0), kBlack);
    QCOMPARE(s.CurrentX, 22.5f);
}

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
    QCOMPARE(s.pixel(ImageSurface::toPixel(100), 20), Color(RGB(55, 155, 205)));
    s.Line(0, 0, 599, 420);
    s.Line(100, 0, 100, 600);
    QVERIFY(s.image() == before);
}

void TestCommon::lineStyles_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("painted"); // of 48 pixels
    QTest::newRow("solid") << kSolid << 48;
    QTest::newRow("dashed: 18 on, 6 off") << kDashed << 36;
    QTest::newRow("dotted: 3 on, 3 off") << kDotted << 24;
}

void TestCommon::lineStyles() {
    QFETCH(int, style);
    QFETCH(int, painted);
    ImageSurface s(QStringLiteral("s"), 48 * 15, 30);
    s.Cls();
    s.DrawStyle = style;
    s.Line(0, 0, 47 * 15, 0);
    QCOMPARE(countColor(s, kBlack), painted);
}

void TestCommon::boxIsFilledInclusive() {
    ImageSurface s(QStringLiteral("s"), 300, 300);
    s.Cls();
    s.Box(45, 60, 15, 30, RGB(255, 0, 0)); // corners in any order: pixels 1..3 x 2..4
    QCOMPARE(countColor(s, RGB(255, 0, 0)), 9);
    QCOMPARE(s.pixel(1, 2), RGB(255, 0, 0));
    QCOMPARE(s.pixel(3, 4), RGB(255, 0, 0));
    QCOMPARE(s.pixel(4, 4), kWhite);
    QCOMPARE(s.CurrentX, 15.0f);
    QCOMPARE(s.CurrentY, 30.0f);
}

void TestCommon::penLineLeavesEndPixel() {
    ImageSurface s(QStringLiteral("s"), 300, 300);
    s.Cls();
    s.PenLine(2, 2, 2, 8, RGB(0, 180, 0));
    QCOMPARE(countColor(s, RGB(0, 180, 0)), 6);
    QCOMPARE(s.pixel(2, 2), RGB(0, 180, 0));
    QCOMPARE(s.pixel(2, 7), RGB(0, 180, 0));
    QCOMPARE(s.pixel(2, 8), kWhite);
}

void TestCommon::printAdvancesPosition() {
    RecordingSurface s(QStringLiteral("Ruler"), 1500, 1500);
    s.BackColor = kBlack;
    s.ForeColor = kWhite;
    s.Cls();
    s.CurrentX = 50;
    s.CurrentY = 100;
    s.Print(QStringLiteral("100"));
    QCOMPARE(s.CurrentX, 0.0f);
    QCOMPARE(s.CurrentY, 100.0f + s.TextHeight(QStringLiteral("100")));
    QVERIFY(s.TextHeight(QStringLiteral("100")) > 0);
    QVERIFY(countColor(s, kWhite) > 0); // the text is drawn in ForeColor
    const auto prints = test::callsOf(s, DrawCall::Op::Print);
    QCOMPARE(prints.size(), size_t(1));
    QCOMPARE(prints[0].x1, 50.0f);
    QCOMPARE(prints[0].y1, 100.0f);
    QCOMPARE(prints[0].color, kWhite);
}

void TestCommon::lineFarOutsideIsClipped() {
    ImageSurface s(QStringLiteral("s"), 300, 300);
    s.Cls();
    // A vertical line from far above to far below crosses the 20-pixel image.
    s.Line(75, -3.0e8f, 75, 3.0e8f);
    QCOMPARE(countColor(s, kBlack), 20);
    s.Cls();
    s.Line(-1.0e9f, -1.0e9f, -1.0e9f, 1.0e9f); // wholly outside: nothing painted
    QCOMPARE(countColor(s, kBlack), 0);
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
    s.PenLine(1, 2, 3, 4, RGB(0, 180, 0));
    const QStringList lines = s.calls().toText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines[0], QStringLiteral("Picture1 Line 0 12.5 300 12.5 color=rgb(150,60,60) style=2 width=1 mode=13"));
    QCOMPARE(lines[1], QStringLiteral("Picture1 Box 0 0 30 30 color=rgb(0,0,52) mode=13"));
    QCOMPARE(lines[2], QStringLiteral("Picture1 Print 10 20 \"$ 12.5\" color=rgb(150,60,60) font=\"Arial 8.25\" mode=13"));
    QCOMPARE(lines[3], QStringLiteral("Picture1 PenLine 1 2 3 4 color=rgb(0,180,0) mode=13"));
}

QTEST_MAIN(TestCommon)
#include "tst_common.moc"
