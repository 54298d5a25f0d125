// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "common/Numbers.h"
#include "common/Twips.h"

#include <QColor>
#include <QPoint>
#include <QString>

#include <functional>

#include <vector>

namespace tk5 {

// A colour of the control (0x00BBGGRR) as Qt's.
inline QColor toQColor(Color c) { return {redOf(c), greenOf(c), blueOf(c)}; }

// DrawMode values.
inline constexpr int kDrawCopy = 13;  // the pen's colour is copied
inline constexpr int kDrawInvert = 6; // the pixels under the pen are inverted
// DrawStyle values.
inline constexpr int kSolid = 0;
inline constexpr int kDashed = 1;
inline constexpr int kDotted = 2;

// One drawing operation as it was asked of a surface: twips for the twip operations, pixels
// for the pixel-space ones. The text form is one line, documented in the README.
struct DrawCall {
    enum class Op { Cls, Line, Box, Print, PenLine, Polygon };
    QString surface;
    Op op = Op::Line;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0; // Print: x1, y1 = CurrentX, CurrentY before printing
    Color color = 0;
    int style = kSolid;
    int mode = kDrawCopy;
    int width = 1;
    QString text;               // Print: the text; otherwise empty
    QString font;               // Print: family, size and weight
    std::vector<QPoint> points; // Polygon: the corners in pixels

    QString toText() const;
};

// Collects the calls of one or more surfaces, in call order.
class DrawLog {
public:
    void add(DrawCall call) { calls_.push_back(std::move(call)); }
    const std::vector<DrawCall>& calls() const { return calls_; }
    void clear() { calls_.clear(); }
    QString toText() const;

private:
    std::vector<DrawCall> calls_;
};

// The drawing operations every picture of the control is made of. Coordinates are twips
// from the top-left corner, y growing downwards; the pixel-space calls (PenLine,
// FillPolygon) take pixels. Implementations convert at the surface, never in the drawing
// code.
class DrawingSurface {
public:
    static constexpr float TwipsPerPixelX = static_cast<float>(kTwipsPerPixel);
    static constexpr float TwipsPerPixelY = static_cast<float>(kTwipsPerPixel);

    explicit DrawingSurface(QString name) : name_(std::move(name)) {}
    virtual ~DrawingSurface() = default;
    DrawingSurface(const DrawingSurface&) = delete;
    DrawingSurface& operator=(const DrawingSurface&) = delete;

    const QString& name() const { return name_; }

    // Size in twips.
    virtual float Width() const = 0;
    virtual float Height() const = 0;

    // Properties the drawing code reads and writes.
    Color ForeColor = 0;        // pen colour of lines and text without an explicit colour
    Color BackColor = 0xFFFFFF; // colour Cls paints
    int DrawWidth = 1;          // pen width in pixels
    int DrawStyle = kSolid;     // 0 solid, 1 dashed, 2 dotted
    int DrawMode = kDrawCopy;   // 13 copy, 6 invert
    float CurrentX = 0;         // where the next Print begins; Line leaves its end point here
    float CurrentY = 0;
    QString FontName = QStringLiteral("Arial");
    float FontSize = 8.25f; // points
    bool FontBold = false;

    // Paints the whole surface with BackColor and homes the print position.
    void Cls();
    // A segment from (x1, y1) to (x2, y2) in ForeColor, or in the colour given.
    void Line(float x1, float y1, float x2, float y2);
    void Line(float x1, float y1, float x2, float y2, Color color);
    // The rectangle with corners (x1, y1) and (x2, y2), filled solid in ForeColor or the
    // colour given.
    void Box(float x1, float y1, float x2, float y2);
    void Box(float x1, float y1, float x2, float y2, Color color);
    // Prints text at (CurrentX, CurrentY) in ForeColor; afterwards CurrentX is 0 and CurrentY
    // has moved down by the text's height.
    void Print(const QString& text);
    // Height and width of a text in the current font, in twips.
    virtual float TextHeight(const QString& text) const = 0;
    virtual float TextWidth(const QString& text) const = 0;

    // Pixel space, as a native pen on the device: a 1-pixel solid line from (x1, y1) to
    // (x2, y2) whose end point is not painted. Honours DrawMode.
    void PenLine(int x1, int y1, int x2, int y2, Color pen);
    // Pixel space: the polygon with these corners filled solid in the colour given.
    void FillPolygon(const std::vector<QPoint>& corners, Color color);

    // Called after every drawing operation (a picture on screen schedules a repaint).
    std::function<void()> onChange;

    // Every call from now on is also appended to the log (none when null).
    void setLog(DrawLog* log) { log_ = log; }
    DrawLog* log() const { return log_; }

protected:
    virtual void paintFill(Color color) = 0;
    virtual void paintSegment(float x1, float y1, float x2, float y2, Color color) = 0;
    virtual void paintBox(float x1, float y1, float x2, float y2, Color color) = 0;
    virtual void paintText(float x, float y, const QString& text, Color color) = 0;
    virtual void paintPenLine(int x1, int y1, int x2, int y2, Color color) = 0;
    virtual void paintPolygon(const std::vector<QPoint>& corners, Color color) = 0;

private:
    void record(DrawCall::Op op, float x1, float y1, float x2, float y2, Color color,
                const QString& text = {}, std::vector<QPoint> points = {});
    // A segment or a filled box: recorded, painted, and its end point left as the position.
    void lineOrBox(DrawCall::Op op, float x1, float y1, float x2, float y2, Color color);
    void changed() {
        if (onChange) onChange();
    }

    QString name_;
    DrawLog* log_ = nullptr;
};

} // namespace tk5
