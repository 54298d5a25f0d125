// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "DrawingSurface.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>

#include <optional>

namespace tk5 {

// A surface whose picture is a persistent image: what is drawn stays until it is drawn over
// or cleared, so inverted lines can be drawn and removed again without a redraw. Twips are
// converted to pixels at 15 twips per pixel, rounding halves to even.
class ImageSurface : public DrawingSurface {
public:
    explicit ImageSurface(QString name, float widthTwips = 0, float heightTwips = 0);

    float Width() const override { return width_; }
    float Height() const override { return height_; }
    float TextHeight(const QString& text) const override;
    float TextWidth(const QString& text) const override;

    // Gives the surface a new size in twips; the image becomes round(twips / 15) pixels and
    // is painted with BackColor.
    void setSizeTwips(float widthTwips, float heightTwips);

    const QImage& image() const { return image_; }
    // The pixel at (x, y) as 0x00BBGGRR.
    Color pixel(int x, int y) const;

    // The font a Print call uses, sized for a 96-dpi screen.
    static QFont fontFor(const QString& family, float points, bool bold);

protected:
    void paintFill(Color color) override;
    void paintSegment(float x1, float y1, float x2, float y2, Color color) override;
    void paintBox(float x1, float y1, float x2, float y2, Color color) override;
    void paintText(float x, float y, const QString& text, Color color) override;
    void paintPenLine(int x1, int y1, int x2, int y2, Color color) override;
    void paintPolygon(const std::vector<QPoint>& corners, Color color) override;

private:
    void rasterLine(int x1, int y1, int x2, int y2, Color color, int style, bool lastPixel);
    void straightLine(int x1, int y1, int x2, int y2, Color color, int style, bool lastPixel);
    // The font of FontName, FontSize and FontBold with its metrics on this image, made again
    // only when one of the three changes or the image is replaced.
    struct TextFont {
        QString family;
        float points;
        bool bold;
        QFont font;
        QFontMetricsF metrics;
    };
    const TextFont& textFont() const;

    float width_ = 0;
    float height_ = 0;
    QImage image_;
    // The image's size and row length, kept beside it: the pixel routines read them for every
    // segment.
    int pixelWidth_ = 0;
    int pixelHeight_ = 0;
    qsizetype rowBytes_ = 0;
    mutable std::optional<TextFont> textFont_;
};

// A surface that keeps every call in its own log as well as painting it; tests read both.
class RecordingSurface : public ImageSurface {
public:
    explicit RecordingSurface(QString name, float widthTwips = 0, float heightTwips = 0)
        : ImageSurface(std::move(name), widthTwips, heightTwips) {
        setLog(&calls_);
    }
    DrawLog& calls() { return calls_; }
    const DrawLog& calls() const { return calls_; }

private:
    DrawLog calls_;
};

} // namespace tk5
