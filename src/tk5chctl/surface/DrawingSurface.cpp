// SPDX-License-Identifier: BSD-3-Clause
#include "DrawingSurface.h"

#include <QStringList>

#include <charconv>

namespace tk5 {

namespace {

QString num(float v) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return QString::fromLatin1(buf, static_cast<qsizetype>(r.ptr - buf));
}

QString colorText(Color c) {
    return QStringLiteral("rgb(%1,%2,%3)").arg(redOf(c)).arg(greenOf(c)).arg(blueOf(c));
}

// A text in double quotes on one line: `\`, `"` and a line feed as `\\`, `\"` and `\n`; every
// other control character (U+0000..U+001F, U+007F..U+009F) and the line and paragraph
// separators U+2028 and U+2029 as `\uXXXX`, four upper-case hex digits.
QString quoted(const QString& text) {
    QString q;
    q.reserve(text.size() + 2);
    q += QLatin1Char('"');
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\')
            q += QStringLiteral("\\\\");
        else if (u == u'"')
            q += QStringLiteral("\\\"");
        else if (u == u'\n')
            q += QStringLiteral("\\n");
        else if (u < 0x20 || (u >= 0x7f && u <= 0x9f) || u == 0x2028 || u == 0x2029)
            q += QStringLiteral("\\u") + QStringLiteral("%1")
                                             .arg(static_cast<unsigned>(u), 4, 16, QLatin1Char('0'))
                                             .toUpper();
        else
            q += c;
    }
    q += QLatin1Char('"');
    return q;
}

} // namespace

QString DrawCall::toText() const {
    QStringList f{surface};
    switch (op) {
    case Op::Cls:
        f << QStringLiteral("Cls") << QStringLiteral("color=") + colorText(color);
        break;
    case Op::Line:
    case Op::Box:
    case Op::PenLine:
        f << (op == Op::Line  ? QStringLiteral("Line")
              : op == Op::Box ? QStringLiteral("Box")
                              : QStringLiteral("PenLine"))
          << num(x1) << num(y1) << num(x2) << num(y2)
          << QStringLiteral("color=") + colorText(color);
        if (op == Op::Line)
            f << QStringLiteral("style=%1").arg(style) << QStringLiteral("width=%1").arg(width);
        f << QStringLiteral("mode=%1").arg(mode);
        break;
    case Op::Print:
        f << QStringLiteral("Print") << num(x1) << num(y1) << quoted(text)
          << QStringLiteral("color=") + colorText(color) << QStringLiteral("font=") + quoted(font)
          << QStringLiteral("mode=%1").arg(mode);
        break;
    case Op::Polygon: {
        f << QStringLiteral("Polygon");
        QStringList pts;
        for (const QPoint& p : points)
            pts << QStringLiteral("%1,%2").arg(p.x()).arg(p.y());
        f << pts.join(QLatin1Char(';')) << QStringLiteral("color=") + colorText(color)
          << QStringLiteral("mode=%1").arg(mode);
        break;
    }
    }
    return f.join(QLatin1Char(' '));
}

QString DrawLog::toText() const {
    QString out;
    for (const DrawCall& c : calls_) {
        out += c.toText();
        out += QLatin1Char('\n');
    }
    return out;
}

void DrawingSurface::record(DrawCall::Op op, float x1, float y1, float x2, float y2, Color color,
                            const QString& text, std::vector<QPoint> points) {
    if (!log_) return;
    DrawCall c;
    c.surface = name_;
    c.op = op;
    c.x1 = x1;
    c.y1 = y1;
    c.x2 = x2;
    c.y2 = y2;
    c.color = color;
    c.style = DrawStyle;
    c.mode = DrawMode;
    c.width = DrawWidth;
    c.text = text;
    c.points = std::move(points);
    if (op == DrawCall::Op::Print)
        c.font = QStringLiteral("%1 %2%3").arg(FontName, num(FontSize),
                                               FontBold ? QStringLiteral(" bold") : QString());
    log_->add(std::move(c));
}

void DrawingSurface::Cls() {
    record(DrawCall::Op::Cls, 0, 0, Width(), Height(), BackColor);
    paintFill(BackColor);
    CurrentX = 0;
    CurrentY = 0;
    changed();
}

void DrawingSurface::lineOrBox(DrawCall::Op op, float x1, float y1, float x2, float y2,
                               Color color) {
    if (log_) record(op, x1, y1, x2, y2, color); // the common case, no log, costs no call
    if (op == DrawCall::Op::Box)
        paintBox(x1, y1, x2, y2, color);
    else
        paintSegment(x1, y1, x2, y2, color);
    CurrentX = x2;
    CurrentY = y2;
    changed();
}

void DrawingSurface::Line(float x1, float y1, float x2, float y2) {
    lineOrBox(DrawCall::Op::Line, x1, y1, x2, y2, ForeColor);
}
void DrawingSurface::Line(float x1, float y1, float x2, float y2, Color color) {
    lineOrBox(DrawCall::Op::Line, x1, y1, x2, y2, color);
}
void DrawingSurface::Box(float x1, float y1, float x2, float y2) {
    lineOrBox(DrawCall::Op::Box, x1, y1, x2, y2, ForeColor);
}
void DrawingSurface::Box(float x1, float y1, float x2, float y2, Color color) {
    lineOrBox(DrawCall::Op::Box, x1, y1, x2, y2, color);
}

void DrawingSurface::Print(const QString& text) {
    record(DrawCall::Op::Print, CurrentX, CurrentY, CurrentX, CurrentY, ForeColor, text);
    paintText(CurrentX, CurrentY, text, ForeColor);
    CurrentY += TextHeight(text);
    CurrentX = 0;
    changed();
}

void DrawingSurface::PenLine(int x1, int y1, int x2, int y2, Color pen) {
    record(DrawCall::Op::PenLine, static_cast<float>(x1), static_cast<float>(y1),
           static_cast<float>(x2), static_cast<float>(y2), pen);
    paintPenLine(x1, y1, x2, y2, pen);
    changed();
}

void DrawingSurface::FillPolygon(const std::vector<QPoint>& corners, Color color) {
    record(DrawCall::Op::Polygon, 0, 0, 0, 0, color, {}, corners);
    paintPolygon(corners, color);
    changed();
}

} // namespace tk5
