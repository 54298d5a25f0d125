// SPDX-License-Identifier: BSD-3-Clause
#include "PictureBox.h"

#include "common/ChartError.h"
#include "common/Twips.h"

#include <QFocusEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QWheelEvent>

namespace tk5 {

int buttonCode(Qt::MouseButtons buttons) {
    int code = 0;
    if (buttons & Qt::LeftButton) code += 1;
    if (buttons & Qt::RightButton) code += 2;
    if (buttons & Qt::MiddleButton) code += 4;
    return code;
}

int shiftCode(Qt::KeyboardModifiers modifiers) {
    int code = 0;
    if (modifiers & Qt::ShiftModifier) code += 1;
    if (modifiers & Qt::ControlModifier) code += 2;
    if (modifiers & Qt::AltModifier) code += 4;
    return code;
}

float twipsX(const QMouseEvent& event) {
    return static_cast<float>(pixelsToTwips(event.position().x()));
}

float twipsY(const QMouseEvent& event) {
    return static_cast<float>(pixelsToTwips(event.position().y()));
}

PictureBox::PictureBox(const QString& name, QWidget* parent) : QWidget(parent), surface_(name) {
    setObjectName(name);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    // Repainting is one image blit, scheduled once per change of the picture: asking again
    // before the paint comes would only cost time (a redraw makes thousands of changes).
    surface_.onChange = [this] {
        if (repaintPending_) return;
        repaintPending_ = true;
        update();
    };
}

void PictureBox::moveTwips(double left, double top, double width, double height) {
    if (width < 0 || height < 0)
        throw ChartError(ChartError::Kind::Overflow,
                         "negative size of " + objectName().toStdString());
    twips_ = QRectF(left, top, width, height);
    surface_.setSizeTwips(static_cast<float>(width), static_cast<float>(height));
    setGeometry(twipsToPixels(twips_));
    update();
}

void PictureBox::setBackColor(Color color) {
    surface_.BackColor = color;
    // A new back colour replaces the picture, as it does on a picture box.
    surface_.setSizeTwips(surface_.Width(), surface_.Height());
    update();
}

void PictureBox::paintEvent(QPaintEvent* event) {
    repaintPending_ = false;
    QPainter p(this);
    const QImage& img = surface_.image();
    p.drawImage(event->rect().topLeft(), img, event->rect());
    // Any strip the image does not cover shows the back colour.
    const QRegion rest = QRegion(event->rect()).subtracted(QRegion(img.rect()));
    for (const QRect& r : rest)
        p.fillRect(r, QColor(redOf(surface_.BackColor), greenOf(surface_.BackColor),
                             blueOf(surface_.BackColor)));
    // With the keyboard focus the box shows a dotted frame on screen; the picture itself
    // is unchanged.
    if (hasFocus() && focusShown_) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void PictureBox::wheelEvent(QWheelEvent* event) {
    Q_EMIT wheelTurned(event->angleDelta().y());
    event->accept();
}

// The frame shows once the user put the focus here (a click, the Tab key, a shortcut); the
// focus a window hands to its first child when it opens is not shown, nor is the focus lost
// to a menu or another window.
void PictureBox::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    const Qt::FocusReason r = event->reason();
    if (r == Qt::MouseFocusReason || r == Qt::TabFocusReason || r == Qt::BacktabFocusReason ||
        r == Qt::ShortcutFocusReason)
        focusShown_ = true;
    update();
}

void PictureBox::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    const Qt::FocusReason r = event->reason();
    if (r != Qt::PopupFocusReason && r != Qt::ActiveWindowFocusReason) focusShown_ = false;
    update();
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    // A click on a box that already had the focus (given when its window opened) shows it.
    if (hasFocus() && !focusShown_ && (focusPolicy() & Qt::ClickFocus)) {
        focusShown_ = true;
        update();
    }
    Q_EMIT mouseDown(buttonCode(event->button()), shiftCode(event->modifiers()), twipsX(*event),
                     twipsY(*event));
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
    Q_EMIT mouseMove(buttonCode(event->buttons()), shiftCode(event->modifiers()), twipsX(*event),
                     twipsY(*event));
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    Q_EMIT mouseUp(buttonCode(event->button()), shiftCode(event->modifiers()), twipsX(*event),
                   twipsY(*event));
}

} // namespace tk5
