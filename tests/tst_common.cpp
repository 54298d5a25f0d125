// SPDX-License-Identifier: BSD-3-Clause
// Value semantics shared by every part of the control (rounding, checked conversions and
// number formats) and the behaviour of the drawing surfaces.

#include "Fixtures.h"

#include "common/Formats.h"
#include "common/Numbers.h"
#include "common/Twips.h"
#include "surface/ImageSurface.h"

#include <QtTest>

#include <cmath>

using namespace tk5;

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

class TestCommon : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::useEnglishLocale(); }

    // Number texts: fixed decimals ("0.00", "0.0"), two decimals without a leading zero
    // (".00") and the general format of a 32-bit value.
    void numberFormats_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("fixed, no thousands separator") << "0.00" << 12345.678 << "12345.68";
        QTest::newRow("fixed, one decimal") << "0.0" << 10.04 << "10.0";
        QTest::newRow("no leading zero, half") << ".00" << 0.5 << ".50";
        QTest::newRow("no leading zero, negative") << ".00" << -0.25 << "-.25";
        QTest::newRow("no leading zero, zero") << ".00" << 0.0 << ".00";
        QTest::newRow("general fraction") << "general" << 12.5 << "12.5";
        QTest::newRow("general small") << "general" << 0.05 << "0.05";
        // 3 x 0.05 in 32-bit floats is 0.15000001: seven significant digits show 0.15.
        QTest::newRow("general float noise") << "general" << double(3.0f * 0.05f) << "0.15";
        QTest::newRow("general exponent") << "general" << 1.0e7 << "1E+07";
    }
    void numberFormats() {
        QFETCH(QString, format);
        QFETCH(double, value);
        QFETCH(QString, text);
        const QString shown = format == "general" ? formatGeneral(float(value))
                              : format == ".00"   ? formatNoLeadingZero(value)
                                                  : formatFixed(value, int(format.size()) - 2);
        QCOMPARE(shown, text);
    }

    void localeDecimalSeparator() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const QStringList shown = {formatFixed(1234.5, 2), formatNoLeadingZero(0.5),
                                   formatGeneral(12.5f)};
        test::useEnglishLocale();
        QCOMPARE(shown, QStringList({"1234,50", ",50", "12,5"}));
    }

    // Rounding is half to even everywhere: 16-bit values and twips to whole pixels.
    void rounding_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("fits16");
        QTest::addColumn<int>("int16"); // also the pixels of value * 15 twips
        QTest::newRow("2.5 down to even") << 2.5 << true << 2;
        QTest::newRow("3.5 up to even") << 3.5 << true << 4;
        QTest::newRow("-2.5 up to even") << -2.5 << true << -2;
        QTest::newRow("top of range") << 32767.4 << true << 32767;
        QTest::newRow("rounds past the top") << 32767.5 << false << 32768;
        QTest::newRow("bottom of range") << -32768.0 << true << -32768;
        QTest::newRow("below range") << -32769.0 << false << -32769;
        QTest::newRow("just past a half") << 2.5 + 0x1p-20 << true << 3;
        QTest::newRow("just short of a half") << -2.5 + 0x1p-20 << true << -2;
        QTest::newRow("half far out, to even") << -654321.5 << false << -654322;
    }
    void rounding() {
        QFETCH(double, value);
        QFETCH(bool, fits16);
        QFETCH(int, int16);
        QCOMPARE(twipsToPixels(value * kTwipsPerPixel), int16);
        if (fits16)
            QCOMPARE(int(toInt16(value)), int16);
        else
            QVERIFY_THROWS_EXCEPTION(ChartError, toInt16(value));
    }

    void conversions() {
        QVERIFY_THROWS_EXCEPTION(ChartError, toInt16(std::nan("")));
        QCOMPARE(twipsToPixels(std::nan("")), 0);
        QCOMPARE(twipsToPixels(-INFINITY), -1000000);
        QCOMPARE(twipsToPixels(1.0e300), 1000000); // clamped to a million pixels
        QCOMPARE(isSet(Flag(1)), false);           // only -1 counts as set
        QCOMPARE(isSet(kTrue), true);
        QVERIFY_THROWS_EXCEPTION(ChartError, divide(1.0, 0.0));
        QVERIFY_THROWS_EXCEPTION(ChartError, toSingle(1.0e39));
        QCOMPARE(toSingle(1.0e38), 1.0e38f);
        QCOMPARE(toInt32(2.5e9 / 2), 1250000000);
        QVERIFY_THROWS_EXCEPTION(ChartError, toInt32(2.5e9));
        QVERIFY_THROWS_EXCEPTION(ChartError, add16(32767, 1));
        QCOMPARE(RGB(150, 60, 60), Color(0x3C3C96));
    }

    // ---- surfaces ------------------------------------------------------------------------

    // Which pixels a call paints on a 20 x 20 pixel surface (300 x 300 twips).
    void paintedPixels_data() {
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
        // Pixels 0..19: dashes of 18 on, 6 off; dots of 3 on, 3 off (0-2, 6-8, 12-14, 18-19).
        QTest::newRow("dashed: 18 on, 6 off")
            << "Line" << C{0, 0, 285, 0} << kDashed << 18 << P{{17, 0}} << P{{18, 0}, {19, 0}};
        QTest::newRow("dotted: 3 on, 3 off")
            << "Line" << C{0, 0, 285, 0} << kDotted << 11 << P{{2, 0}, {6, 0}} << P{{3, 0}, {5, 0}};
        QTest::newRow("box filled, corners in any order")
            << "Box" << C{45, 60, 15, 30} << kSolid << 9 << P{{1, 2}, {3, 4}} << P{{4, 4}, {0, 2}};
        QTest::newRow("pen line leaves its end pixel")
            << "PenLine" << C{2, 2, 2, 8} << kSolid << 6 << P{{2, 2}, {2, 7}} << P{{2, 8}};
        QTest::newRow("far outside, crossing") << "Line" << C{75, -3.0e8f, 75, 3.0e8f} << kSolid
                                               << 20 << P{{5, 0}, {5, 19}} << P{{4, 0}};
        QTest::newRow("far outside, not crossing")
            << "Line" << C{-1.0e9f, -1.0e9f, -1.0e9f, 1.0e9f} << kSolid << 0 << P{} << P{{0, 0}};
        QTest::newRow("far outside, diagonal")
            << "Line" << C{-3.0e8f, -3.0e8f, 3.0e8f, 3.0e8f} << kSolid << 20 << P{{0, 0}, {19, 19}}
            << P{{1, 0}, {0, 1}};
        // The pattern counts from the first end point, outside the image too: pixels -10..7
        // on, 8..13 off, 14..19 on.
        QTest::newRow("dashed, entering at the left edge")
            << "Line" << C{-150, 0, 285, 0} << kDashed << 14 << P{{7, 0}, {14, 0}}
            << P{{8, 0}, {13, 0}};
        // Upwards from pixel 27: step 27 - y, so rows 19, 15..13, 9..7 and 3..1 are on.
        QTest::newRow("dotted, upwards from below the image")
            << "Line" << C{15, 405, 15, 0} << kDotted << 10 << P{{1, 19}, {1, 15}, {1, 1}}
            << P{{1, 18}, {1, 16}, {1, 0}};
        QTest::newRow("box partly outside") << "Box" << C{-150, -1.0e9f, 45, 30} << kSolid << 12
                                            << P{{0, 0}, {3, 2}} << P{{4, 2}, {3, 3}};
        QTest::newRow("box over the far corner") << "Box" << C{270, 285, 600, 3.0e9f} << kSolid << 2
                                                 << P{{18, 19}, {19, 19}} << P{{17, 19}, {18, 18}};
    }
    void paintedPixels() {
        QFETCH(QString, op);
        QFETCH(QList<float>, coords);
        QFETCH(int, style);
        QFETCH(int, count);
        QFETCH(QList<QPoint>, painted);
        QFETCH(QList<QPoint>, unpainted);
        auto draw = [&](ImageSurface& on) {
            if (op == QLatin1String("Line"))
                on.Line(coords[0], coords[1], coords[2], coords[3]);
            else if (op == QLatin1String("Box"))
                on.Box(coords[0], coords[1], coords[2], coords[3]);
            else
                on.PenLine(int(coords[0]), int(coords[1]), int(coords[2]), int(coords[3]), kBlack);
        };
        ImageSurface s(QStringLiteral("s"), 300, 300);
        s.Cls();
        s.DrawStyle = style;
        draw(s);
        QCOMPARE(countColor(s, kBlack), count);
        for (const QPoint& p : painted)
            QCOMPARE(s.pixel(p.x(), p.y()), kBlack);
        for (const QPoint& p : unpainted)
            QCOMPARE(s.pixel(p.x(), p.y()), kWhite);
        if (op != QLatin1String("PenLine")) // the print position follows the end point
            QCOMPARE(s.CurrentX, coords[2]);

        // Inverted, the call turns the same white pixels black; a second call restores them.
        ImageSurface inverted(QStringLiteral("s"), 300, 300);
        inverted.Cls();
        inverted.DrawStyle = style;
        inverted.DrawMode = kDrawInvert;
        for (int pass = 1; pass <= 2; ++pass) {
            draw(inverted);
            QCOMPARE(countColor(inverted, kBlack), pass == 1 ? count : 0);
            if (pass == 1) QCOMPARE(inverted.image(), s.image());
        }
    }

    // Text measures follow the font properties from one call to the next, and printing in
    // bold paints more pixels than plain.
    void textFollowsFont() {
        ImageSurface s(QStringLiteral("s"), 1500, 300);
        const QString text = QStringLiteral("Mar 98 $ 12.5");
        auto printed = [&] {
            s.Cls();
            s.Print(text);
            return countColor(s, kBlack);
        };
        const float width = s.TextWidth(text), height = s.TextHeight(text);
        const int pixels = printed();
        s.FontBold = true;
        QVERIFY(s.TextWidth(text) > width);
        QVERIFY(printed() > pixels);
        s.FontBold = false;
        s.FontSize = 12;
        QVERIFY(s.TextHeight(text) > height);
        s.FontSize = 8.25f;
        QCOMPARE(s.TextWidth(text), width);
        QCOMPARE(printed(), pixels);
    }

    void recordedCallText() {
        RecordingSurface s(QStringLiteral("Picture1"), 300, 300);
        s.ForeColor = RGB(150, 60, 60);
        s.DrawStyle = kDashed;
        s.DrawWidth = 2;
        s.Line(0, 12.5f, 300, 12.5f);
        s.DrawStyle = kSolid;
        s.Box(0, 0, 30, 30, RGB(0, 0, 52));
        const int before = countColor(s, RGB(150, 60, 60));
        s.CurrentX = 10;
        s.CurrentY = 20;
        s.Print(QStringLiteral("$ 12.5"));
        // Printing paints in ForeColor, then moves down one text height and to the left edge.
        QVERIFY(countColor(s, RGB(150, 60, 60)) > before);
        QCOMPARE(s.CurrentX, 0.0f);
        QCOMPARE(s.CurrentY, 20.0f + s.TextHeight(QStringLiteral("$")));
        s.PenLine(1, 2, 3, 4, RGB(0, 180, 0));
        const QStringList lines = s.calls().toText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines,
                 QStringList(
                     {"Picture1 Line 0 12.5 300 12.5 color=rgb(150,60,60) style=1 width=2 mode=13",
                      "Picture1 Box 0 0 30 30 color=rgb(0,0,52) mode=13",
                      "Picture1 Print 10 20 \"$ 12.5\" color=rgb(150,60,60) font=\"Arial 8.25\" "
                      "mode=13",
                      "Picture1 PenLine 1 2 3 4 color=rgb(0,180,0) mode=13"}));
    }
};

QTEST_MAIN(TestCommon)
#include "tst_common.moc"
