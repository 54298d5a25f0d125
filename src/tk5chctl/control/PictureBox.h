#pragma once

#include "ImageSurface.h"

#include <QRectF>
#include <QWidget>

#include <functional>

namespace tk5 {

// An image surface that tells its owner whenever its picture changed.
class PictureSurface final : public ImageSurface {
public:
    explicit PictureSurface(QString name) : ImageSurface(std::move(name)) {}
    std::function<void()> onChange;

    // Paints the whole picture in BackColor without a drawing call (a new back colour
    // replaces the picture, as it does on a picture box).
    void paintPlain();

protected:
    void paintFill(Color color) override;
    void paintSegment(float x1, float y1, float x2, float y2, Color color) override;
    void paintBox(float x1, float y1, float x2, float y2, Color color) override;
    void paintText(float x, float y, const QString& text, Color color) override;
    void paintPenLine(int x1, int y1, int x2, int y2, Color color) override;
    void paintPolygon(const std::vector<QPoint>& corners, Color color) override;

private:
    void changed() {
        if (onChange) onChange();
    }
};

// A drawing surface on screen: a child widget showing the persistent picture of its
// surface. It is placed in twips; the surface keeps exactly the twip size it was given and
// the widget gets that size rounded to whole pixels (15 twips each). Mouse events are
// reported in the control's terms: button 1 left, 2 right, 4 middle (held buttons added
// up while moving); shift 1 Shift, 2 Ctrl, 4 Alt; x and y in twips from the top-left corner.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    PictureBox(const QString& name, QWidget* parent);

    PictureSurface& surface() { return surface_; }
    const PictureSurface& surface() const { return surface_; }

    // Moves the surface inside its parent. A negative width or height fails with
    // ChartError and changes nothing.
    void moveTwips(double left, double top, double width, double height);
    // The place last given by moveTwips; null before the first.
    QRectF twipGeometry() const { return twips_; }

    void setBackColor(Color color);
    void setForeColor(Color color) { surface_.ForeColor = color; }

signals:
    void mouseDown(int button, int shift, float x, float y);
    void mouseMove(int button, int shift, float x, float y);
    void mouseUp(int button, int shift, float x, float y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    PictureSurface surface_;
    QRectF twips_;
};

// The control's mouse codes of a Qt event.
int buttonCode(Qt::MouseButtons buttons);
int shiftCode(Qt::KeyboardModifiers modifiers);

} // namespace tk5
