// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "surface/DrawingSurface.h"

#include <QFont>

class QPainter;

namespace tk5 {

// Page units: the printed page is drawn in dots of 1/300 inch, whatever the device's own
// resolution.
inline constexpr double kPageUnitsPerInch = 300;

// The printed page as a drawing surface named "Printer": a painter on a paged device, with
// coordinates, widths and sizes in page units from the top-left corner of the printable area.
// Its pixel-space calls (pen lines, polygons) take page units too. Text is sized in points on
// paper. Nothing is inverted on paper: DrawMode is recorded but every call paints its colour.
class PageSurface : public DrawingSurface {
public:
    // `painter` is active on the device and already scaled to page units; the page is
    // `width` x `height` units.
    PageSurface(QPainter& painter, float width, float height);

    float Width() const override { return width_; }
    float Height() const override { return height_; }
    float TextHeight(const QString& text) const override;
    float TextWidth(const QString& text) const override;

    // Drawing is clipped to this rectangle (page units) until clip() is called without one.
    void clip(float x1, float y1, float x2, float y2);
    void clip();

protected:
    void paintFill(Color color) override;
    void paintSegment(float x1, float y1, float x2, float y2, Color color) override;
    void paintBox(float x1, float y1, float x2, float y2, Color color) override;
    void paintText(float x, float y, const QString& text, Color color) override;
    void paintPenLine(int x1, int y1, int x2, int y2, Color color) override;
    void paintPolygon(const std::vector<QPoint>& corners, Color color) override;

private:
    QFont currentFont() const;

    QPainter& painter_;
    float width_;
    float height_;
};

} // namespace tk5
