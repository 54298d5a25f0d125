// SPDX-License-Identifier: BSD-3-Clause
#include "PageRegion.h"

#include "common/Twips.h"

#include <algorithm>
#include <cmath>

namespace tk5 {

class PageRegion::Borrowed {
public:
    Borrowed(const PageRegion& region, PageSurface& page)
        : page_(page), foreColor_(page.ForeColor), drawWidth_(page.DrawWidth),
          drawStyle_(page.DrawStyle), drawMode_(page.DrawMode), fontName_(page.FontName),
          fontSize_(page.FontSize), fontBold_(page.FontBold) {
        const double w = region.DrawWidth * kTwipsPerPixel * kScale;
        page.DrawWidth = std::max(1, static_cast<int>(std::lround(w)));
        page.DrawStyle = region.DrawStyle;
        page.DrawMode = region.DrawMode;
        page.FontName = region.FontName;
        page.FontSize = region.FontSize;
        page.FontBold = region.FontBold;
        page.clip(static_cast<float>(region.left_), static_cast<float>(region.top_),
                  static_cast<float>(region.right_), static_cast<float>(region.bottom_));
    }
    ~Borrowed() {
        page_.clip();
        page_.ForeColor = foreColor_;
        page_.DrawWidth = drawWidth_;
        page_.DrawStyle = drawStyle_;
        page_.DrawMode = drawMode_;
        page_.FontName = fontName_;
        page_.FontSize = fontSize_;
        page_.FontBold = fontBold_;
    }
    Borrowed(const Borrowed&) = delete;
    Borrowed& operator=(const Borrowed&) = delete;

private:
    PageSurface& page_;
    Color foreColor_;
    int drawWidth_, drawStyle_, drawMode_;
    QString fontName_;
    float fontSize_;
    bool fontBold_;
};

PageRegion::PageRegion(PageSurface& page, float left, float top, float right, float bottom)
    : DrawingSurface(page.name()), page_(page), left_(left), top_(top), right_(right),
      bottom_(bottom), width_(static_cast<float>((right - left) / kScale)),
      height_(static_cast<float>((bottom - top) / kScale)) {}

float PageRegion::TextHeight(const QString& text) const {
    const Borrowed pen(*this, page_);
    return static_cast<float>(page_.TextHeight(text) / kScale);
}

float PageRegion::TextWidth(const QString& text) const {
    const Borrowed pen(*this, page_);
    return static_cast<float>(page_.TextWidth(text) / kScale);
}

void PageRegion::paintFill(Color color) {
    const Borrowed pen(*this, page_);
    page_.Box(px(0), py(0), px(width_), py(height_), color);
}

void PageRegion::paintSegment(float x1, float y1, float x2, float y2, Color color) {
    const Borrowed pen(*this, page_);
    page_.Line(px(x1), py(y1), px(x2), py(y2), color);
}

void PageRegion::paintBox(float x1, float y1, float x2, float y2, Color color) {
    const Borrowed pen(*this, page_);
    page_.Box(px(x1), py(y1), px(x2), py(y2), color);
}

void PageRegion::paintText(float x, float y, const QString& text, Color color) {
    const Borrowed pen(*this, page_);
    page_.ForeColor = color;
    page_.CurrentX = px(x);
    page_.CurrentY = py(y);
    printFitted(page_, text, right_ - page_.CurrentX);
}

void PageRegion::paintPenLine(int x1, int y1, int x2, int y2, Color color) {
    const Borrowed pen(*this, page_);
    auto ux = [&](int p) { return static_cast<int>(std::lround(px(p * kTwipsPerPixel))); };
    auto uy = [&](int p) { return static_cast<int>(std::lround(py(p * kTwipsPerPixel))); };
    page_.PenLine(ux(x1), uy(y1), ux(x2), uy(y2), color);
}

void PageRegion::paintPolygon(const std::vector<QPoint>& corners, Color color) {
    const Borrowed pen(*this, page_);
    std::vector<QPoint> mapped;
    mapped.reserve(corners.size());
    for (const QPoint& c : corners)
        mapped.emplace_back(static_cast<int>(std::lround(px(c.x() * kTwipsPerPixel))),
                            static_cast<int>(std::lround(py(c.y() * kTwipsPerPixel))));
    page_.FillPolygon(mapped, color);
}

void printFitted(DrawingSurface& surface, const QString& text, double width) {
    const float size = surface.FontSize;
    while (surface.FontSize > 4 && surface.TextWidth(text) > width)
        surface.FontSize -= 0.5f;
    surface.Print(text);
    surface.FontSize = size;
}

} // namespace tk5
