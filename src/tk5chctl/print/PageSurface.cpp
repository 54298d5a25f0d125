// SPDX-License-Identifier: BSD-3-Clause
#include "PageSurface.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>

namespace tk5 {

PageSurface::PageSurface(QPainter& painter, float width, float height)
    : DrawingSurface(QStringLiteral("Printer")), painter_(painter), width_(width), height_(height) {
}

QFont PageSurface::currentFont() const {
    QFont f(FontName);
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(FontSize * kPageUnitsPerInch / 72))));
    f.setBold(FontBold);
    return f;
}

float PageSurface::TextHeight(const QString& text) const {
    Q_UNUSED(text);
    return static_cast<float>(QFontMetricsF(currentFont()).height());
}

float PageSurface::TextWidth(const QString& text) const {
    return static_cast<float>(QFontMetricsF(currentFont()).horizontalAdvance(text));
}

void PageSurface::clip(float x1, float y1, float x2, float y2) {
    painter_.setClipRect(QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized());
}

void PageSurface::clip() { painter_.setClipping(false); }

void PageSurface::paintFill(Color color) {
    painter_.fillRect(QRectF(0, 0, width_, height_), toQColor(color));
}

void PageSurface::paintSegment(float x1, float y1, float x2, float y2, Color color) {
    const double w = std::max(1, DrawWidth);
    QPen pen(toQColor(color), w);
    pen.setCapStyle(Qt::FlatCap);
    // Dashes and dots keep their length on paper whatever the pen's width.
    if (DrawStyle == kDashed)
        pen.setDashPattern({18 / w, 6 / w});
    else if (DrawStyle == kDotted)
        pen.setDashPattern({4 / w, 8 / w});
    painter_.setPen(pen);
    painter_.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void PageSurface::paintBox(float x1, float y1, float x2, float y2, Color color) {
    painter_.fillRect(QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized(), toQColor(color));
}

void PageSurface::paintText(float x, float y, const QString& text, Color color) {
    const QFont font = currentFont();
    painter_.setFont(font);
    painter_.setPen(toQColor(color));
    painter_.drawText(QPointF(x, y + QFontMetricsF(font).ascent()), text);
}

void PageSurface::paintPenLine(int x1, int y1, int x2, int y2, Color color) {
    QPen pen(toQColor(color), 1);
    pen.setCapStyle(Qt::FlatCap);
    painter_.setPen(pen);
    painter_.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void PageSurface::paintPolygon(const std::vector<QPoint>& corners, Color color) {
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(toQColor(color));
    painter_.drawPolygon(corners.data(), static_cast<int>(corners.size()), Qt::OddEvenFill);
    painter_.setBrush(Qt::NoBrush);
}

} // namespace tk5
