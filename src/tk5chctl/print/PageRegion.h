// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "PageSurface.h"

namespace tk5 {

// A rectangle of the printed page seen as a surface of its own, in twips at the physical size
// a screen picture would have: the screen's drawing routines draw into it unchanged. Every
// call is passed on to the page, mapped to page units (and recorded there); a pixel is 15
// twips, so a one-pixel line is as wide on paper as on a 96-dpi screen. A text that would run
// past the region's right edge is printed in a font small enough to fit; every drawing is
// clipped to the region, as a picture's drawing is to the picture.
class PageRegion : public DrawingSurface {
public:
    // Page units per twip.
    static constexpr double kScale = kPageUnitsPerInch / 1440.0;

    // The region from (left, top) to (right, bottom) of the page, in page units.
    PageRegion(PageSurface& page, float left, float top, float right, float bottom);

    float Width() const override { return width_; }
    float Height() const override { return height_; }
    float TextHeight(const QString& text) const override;
    float TextWidth(const QString& text) const override;

protected:
    void paintFill(Color color) override;
    void paintSegment(float x1, float y1, float x2, float y2, Color color) override;
    void paintBox(float x1, float y1, float x2, float y2, Color color) override;
    void paintText(float x, float y, const QString& text, Color color) override;
    void paintPenLine(int x1, int y1, int x2, int y2, Color color) override;
    void paintPolygon(const std::vector<QPoint>& corners, Color color) override;

private:
    float px(double x) const { return static_cast<float>(left_ + x * kScale); }
    float py(double y) const { return static_cast<float>(top_ + y * kScale); }
    // The page's pen and font set from this region's for one call, put back afterwards.
    class Borrowed;

    PageSurface& page_;
    double left_, top_, right_, bottom_;
    float width_, height_;
};

// Prints text at the surface's print position in its font, made smaller (down to 4 points)
// until the text fits `width`; the surface's font size is left as it was.
void printFitted(DrawingSurface& surface, const QString& text, double width);

} // namespace tk5
