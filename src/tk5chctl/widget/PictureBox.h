// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "surface/ImageSurface.h"

#include <QRectF>
#include <QWidget>

class QMouseEvent;

namespace tk5 {

// A drawing surface on screen: a child widget showing the persistent picture of its
// surface. It is placed in twips; the surface keeps exactly the twip size it was given and
// the widget gets that size rounded to whole pixels (15 twips each). Mouse events are
// reported in the control's terms: button 1 left, 2 right, 4 middle (held buttons added
// up while moving); shift 1 Shift, 2 Ctrl, 4 Alt; x and y in twips from the top-left corner.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    PictureBox(const QString& name, QWidget* parent);

    ImageSurface& surface() { return surface_; }
    const ImageSurface& surface() const { return surface_; }

    // Moves the surface inside its parent. A negative width or height fails with
    // ChartError and changes nothing.
    void moveTwips(double left, double top, double width, double height);
    // The place last given by moveTwips; null before the first.
    QRectF twipGeometry() const { return twips_; }

    void setBackColor(Color color);
    void setForeColor(Color color) { surface_.ForeColor = color; }

Q_SIGNALS:
    void mouseDown(int button, int shift, float x, float y);
    void mouseMove(int button, int shift, float x, float y);
    void mouseUp(int button, int shift, float x, float y);
    // The wheel turned by this many eighths of a degree (away from the user is positive).
    void wheelTurned(int delta);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    ImageSurface surface_;
    QRectF twips_;
    bool focusShown_ = false;
    bool repaintPending_ = false; // a repaint is scheduled and has not been painted yet
};

// The control's mouse codes of a Qt event.
int buttonCode(Qt::MouseButtons buttons);
int shiftCode(Qt::KeyboardModifiers modifiers);
// Where a mouse event happened, in twips from the widget's top-left corner.
float twipsX(const QMouseEvent& event);
float twipsY(const QMouseEvent& event);

} // namespace tk5
