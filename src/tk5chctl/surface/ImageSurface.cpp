// SPDX-License-Identifier: BSD-3-Clause
#include "ImageSurface.h"

#include "common/Twips.h"
#include "common/VectorState.h"

#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tk5 {

namespace {

constexpr int kDotsPerMeter96 = 3780; // 96 dots per inch

QRgb toQRgb(Color c) { return qRgb(redOf(c), greenOf(c), blueOf(c)); }

// The on/off pixel runs of a pen: a dashed pen 18 on and 6 off, a dotted one 3 on and 3 off,
// every other style always on. Steps count from 0 at a line's first pixel.
struct PenPattern {
    long period = 0; // 0: always on
    long on = 0;
    explicit PenPattern(int style) {
        if (style == kDashed) {
            period = 24;
            on = 18;
        } else if (style == kDotted) {
            period = 6;
            on = 3;
        }
    }
    bool solid() const { return period == 0; }
    bool operator()(long step) const { return period == 0 || step % period < on; }
};

QRgb inverted(QRgb p) { return (p ^ 0x00FFFFFFu) | 0xFF000000u; }

// The image's rows, fetched once per call (one detach); writes outside the image are dropped.
class Pixels {
public:
    Pixels(QImage& image, qsizetype rowBytes, long w, long h)
        : bits_(image.bits()), rowBytes_(rowBytes), w_(w), h_(h) {}
    QRgb* row(long y) const { return reinterpret_cast<QRgb*>(bits_ + y * rowBytes_); }
    qsizetype rowBytes() const { return rowBytes_; }
    bool inside(long x, long y) const { return x >= 0 && y >= 0 && x < w_ && y < h_; }

private:
    uchar* bits_;
    qsizetype rowBytes_;
    long w_, h_;
};

} // namespace

ImageSurface::ImageSurface(QString name, float widthTwips, float heightTwips)
    : DrawingSurface(std::move(name)) {
    setSizeTwips(widthTwips, heightTwips);
}

QFont ImageSurface::fontFor(const QString& family, float points, bool bold) {
    QFont f(family);
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(points * 96.0 / 72.0))));
    f.setBold(bold);
    f.setStyleStrategy(QFont::NoAntialias);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

const ImageSurface::TextFont& ImageSurface::textFont() const {
    if (!textFont_ || textFont_->family != FontName || textFont_->points != FontSize ||
        textFont_->bold != FontBold) {
        const QFont font = fontFor(FontName, FontSize, FontBold);
        textFont_.emplace(
            TextFont{FontName, FontSize, FontBold, font, QFontMetricsF(font, &image_)});
    }
    return *textFont_;
}

void ImageSurface::setSizeTwips(float widthTwips, float heightTwips) {
    width_ = widthTwips;
    height_ = heightTwips;
    const int w = std::max(0, twipsToPixels(widthTwips));
    const int h = std::max(0, twipsToPixels(heightTwips));
    if (image_.width() != w || image_.height() != h) {
        image_ = QImage(w, h, QImage::Format_RGB32);
        image_.setDotsPerMeterX(kDotsPerMeter96);
        image_.setDotsPerMeterY(kDotsPerMeter96);
        textFont_.reset(); // metrics depend on the image's resolution
        pixelWidth_ = image_.width();
        pixelHeight_ = image_.height();
        rowBytes_ = image_.bytesPerLine();
    }
    image_.fill(toQRgb(BackColor));
    releaseUpperVectorState();
}

Color ImageSurface::pixel(int x, int y) const {
    if (!image_.valid(x, y)) return 0;
    const QRgb p = image_.pixel(x, y);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

float ImageSurface::TextHeight(const QString& text) const {
    Q_UNUSED(text);
    return static_cast<float>(std::ceil(textFont().metrics.height()) * TwipsPerPixelY);
}

float ImageSurface::TextWidth(const QString& text) const {
    return static_cast<float>(std::ceil(textFont().metrics.horizontalAdvance(text)) *
                              TwipsPerPixelX);
}

// Bresenham: every pixel of the line is visited exactly once, so an inverted line drawn a
// second time restores the picture. A line reaching far outside the image is first cut to
// the image's neighbourhood, so wild values cost no more than visible ones.
void ImageSurface::rasterLine(int x1, int y1, int x2, int y2, Color color, int style,
                              bool lastPixel) {
    const int w = pixelWidth_, h = pixelHeight_;
    if (x1 == x2 || y1 == y2) {
        straightLine(x1, y1, x2, y2, color, style, lastPixel);
        return;
    }
    int step = 0;
    auto outside = [&](int x, int y) { return x < -1 || y < -1 || x > w || y > h; };
    if (outside(x1, y1) || outside(x2, y2)) {
        // Liang-Barsky against the rectangle [-1, w] x [-1, h].
        const double dxd = x2 - x1, dyd = y2 - y1;
        double t0 = 0.0, t1 = 1.0;
        const double p[4] = {-dxd, dxd, -dyd, dyd};
        const double q[4] = {x1 + 1.0, w - static_cast<double>(x1), y1 + 1.0,
                             h - static_cast<double>(y1)};
        for (int i = 0; i < 4; ++i) {
            if (p[i] == 0.0) {
                if (q[i] < 0.0) return;
            } else {
                const double r = q[i] / p[i];
                if (p[i] < 0.0)
                    t0 = std::max(t0, r);
                else
                    t1 = std::min(t1, r);
            }
        }
        if (t0 > t1) return;
        const int nx1 = static_cast<int>(std::lround(x1 + t0 * dxd));
        const int ny1 = static_cast<int>(std::lround(y1 + t0 * dyd));
        const int nx2 = static_cast<int>(std::lround(x1 + t1 * dxd));
        const int ny2 = static_cast<int>(std::lround(y1 + t1 * dyd));
        step = std::max(std::abs(nx1 - x1), std::abs(ny1 - y1));
        if (t1 < 1.0) lastPixel = true;
        x1 = nx1;
        y1 = ny1;
        x2 = nx2;
        y2 = ny2;
    }
    const int dx = std::abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
    const int dy = -std::abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    int x = x1, y = y1;
    const Pixels pixels(image_, rowBytes_, pixelWidth_, pixelHeight_);
    const PenPattern on(style);
    const QRgb pen = toQRgb(color);
    const bool invert = DrawMode == kDrawInvert;
    for (;;) {
        const bool last = (x == x2 && y == y2);
        if ((!last || lastPixel) && on(step) && pixels.inside(x, y)) {
            QRgb& px = pixels.row(y)[x];
            px = invert ? inverted(px) : pen;
        }
        if (last) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
        ++step;
    }
}

// A vertical or horizontal line: the same pixels Bresenham visits, written straight into the
// image rows (a crosshair line is drawn this way on every mouse move, a bar of the price chart
// on every redraw).
void ImageSurface::straightLine(int x1, int y1, int x2, int y2, Color color, int style,
                                bool lastPixel) {
    const bool vertical = x1 == x2;
    const long from = vertical ? y1 : x1;
    const long to = vertical ? y2 : x2;
    const long across = vertical ? x1 : y1;
    const long length = vertical ? pixelHeight_ : pixelWidth_;
    if (across < 0 || across >= (vertical ? pixelWidth_ : pixelHeight_)) return;
    const long dir = to >= from ? 1 : -1;
    const long count = std::labs(to - from) + (lastPixel ? 1 : 0);
    // Steps t in [first, last) land inside the image.
    long first = 0, last = count;
    if (dir > 0) {
        first = std::max(first, -from);
        last = std::min(last, length - from);
    } else {
        first = std::max(first, from - (length - 1));
        last = std::min(last, from + 1);
    }
    if (first >= last) return;
    const Pixels pixels(image_, rowBytes_, pixelWidth_, pixelHeight_);
    const PenPattern on(style);
    const QRgb pen = toQRgb(color);
    const bool invert = DrawMode == kDrawInvert;
    if (!vertical && on.solid() && !invert) {
        // The pixels from + dir x t for t in [first, last), in ascending order.
        QRgb* row = pixels.row(across);
        const long lo = dir > 0 ? from + first : from - (last - 1);
        std::fill(row + lo, row + lo + (last - first), pen);
        return;
    }
    // Step `first`'s pixel, and the bytes from one step's pixel to the next.
    const long along = from + dir * first;
    auto* const start = reinterpret_cast<uchar*>(vertical ? pixels.row(along) + across
                                                          : pixels.row(across) + along);
    const qsizetype stride = dir * (vertical ? pixels.rowBytes() : qsizetype{sizeof(QRgb)});
    auto pixelAt = [&](long t) -> QRgb& {
        return *reinterpret_cast<QRgb*>(start + (t - first) * stride);
    };
    if (on.solid() && !invert) {
        for (long t = first; t < last; ++t)
            pixelAt(t) = pen;
    } else if (on.solid()) {
        for (long t = first; t < last; ++t)
            pixelAt(t) = inverted(pixelAt(t));
    } else {
        for (long t = first; t < last; ++t)
            if (on(t)) pixelAt(t) = invert ? inverted(pixelAt(t)) : pen;
    }
}

// The pixel routines below run in plain SSE code; Qt's fills and painters may leave the vector
// unit in a state that slows such code down, so each painting call starts by ending it.
void ImageSurface::paintFill(Color color) {
    image_.fill(toQRgb(color));
    releaseUpperVectorState();
}

void ImageSurface::paintSegment(float x1, float y1, float x2, float y2, Color color) {
    releaseUpperVectorState();
    // Most segments are bars and ticks: an end that repeats the other's coordinate is
    // converted once.
    const int px1 = twipsToPixels(x1), py1 = twipsToPixels(y1);
    const int px2 = x2 == x1 ? px1 : twipsToPixels(x2);
    const int py2 = y2 == y1 ? py1 : twipsToPixels(y2);
    rasterLine(px1, py1, px2, py2, color, DrawStyle, true);
}

void ImageSurface::paintBox(float x1, float y1, float x2, float y2, Color color) {
    releaseUpperVectorState();
    int l = twipsToPixels(std::min(x1, x2)), r = twipsToPixels(std::max(x1, x2));
    int t = twipsToPixels(std::min(y1, y2)), b = twipsToPixels(std::max(y1, y2));
    l = std::max(l, 0);
    t = std::max(t, 0);
    r = std::min(r, pixelWidth_ - 1);
    b = std::min(b, pixelHeight_ - 1);
    if (l > r || t > b) return;
    const Pixels pixels(image_, rowBytes_, pixelWidth_, pixelHeight_);
    const QRgb pen = toQRgb(color);
    const bool invert = DrawMode == kDrawInvert;
    for (int y = t; y <= b; ++y) {
        QRgb* const row = pixels.row(y);
        if (invert)
            std::transform(row + l, row + r + 1, row + l, inverted);
        else
            std::fill(row + l, row + r + 1, pen);
    }
}

void ImageSurface::paintText(float x, float y, const QString& text, Color color) {
    if (image_.isNull()) return;
    {
        const TextFont& font = textFont();
        QPainter p(&image_);
        p.setFont(font.font);
        p.setPen(QColor(redOf(color), greenOf(color), blueOf(color)));
        if (DrawMode == kDrawInvert) p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        // The baseline one whole-pixel ascent below the top.
        p.drawText(twipsToPixels(x), twipsToPixels(y) + qRound(font.metrics.ascent()), text);
    }
    releaseUpperVectorState();
}

void ImageSurface::paintPenLine(int x1, int y1, int x2, int y2, Color color) {
    releaseUpperVectorState();
    rasterLine(x1, y1, x2, y2, color, kSolid, false);
}

void ImageSurface::paintPolygon(const std::vector<QPoint>& corners, Color color) {
    if (image_.isNull() || corners.size() < 3) return;
    QPolygon poly;
    for (const QPoint& c : corners)
        poly << c;
    {
        QPainter p(&image_);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(redOf(color), greenOf(color), blueOf(color)));
        p.drawPolygon(poly);
    }
    releaseUpperVectorState();
}

} // namespace tk5
