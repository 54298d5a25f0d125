#include "PictureBox.h"

#include "common/ChartError.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRegion>

namespace tk5 {

void PictureSurface::paintPlain() {
    setSizeTwips(Width(), Height());
    changed();
}

void PictureSurface::paintFill(Color color) {
    ImageSurface::paintFill(color);
    changed();
}

void PictureSurface::paintSegment(float x1, float y1, float x2, float y2, Color color) {
    ImageSurface::paintSegment(x1, y1, x2, y2, color);
    changed();
}

void PictureSurface::paintBox(float x1, float y1, float x2, float y2, Color color) {
    ImageSurface::paintBox(x1, y1, x2, y2, color);
    changed();
}

void PictureSurface::paintText(float x, float y, const QString& text, Color color) {
    ImageSurface::paintText(x, y, text, color);
    changed();
}

void PictureSurface::paintPenLine(int x1, int y1, int x2, int y2, Color color) {
    ImageSurface::paintPenLine(x1, y1, x2, y2, color);
    changed();
}

void PictureSurface::paintPolygon(const std::vector<QPoint>& corners, Color color) {
    ImageSurface::paintPolygon(corners, color);
    changed();
}

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

PictureBox::PictureBox(const QString& name, QWidget* parent) : QWidget(parent), surface_(name) {
    setObjectName(name);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    // Repainting is cheap (one image blit) and coalesced by the event loop, so every
    // change of the picture simply schedules one.
    surface_.onChange = [this] { update(); };
}

void PictureBox::moveTwips(double left, double top, double width, double height) {
    if (width < 0 || height < 0)
        throw ChartError(ChartError::Kind::Overflow,
                         "negative size of " + objectName().toStdString());
    twips_ = QRectF(left, top, width, height);
    surface_.setSizeTwips(static_cast<float>(width), static_cast<float>(height));
    setGeometry(ImageSurface::toPixel(static_cast<float>(left)),
                ImageSurface::toPixel(static_cast<float>(top)),
                ImageSurface::toPixel(static_cast<float>(width)),
                ImageSurface::toPixel(static_cast<float>(height)));
    update();
}

void PictureBox::setBackColor(Color color) {
    surface_.BackColor = color;
    surface_.paintPlain();
}

void PictureBox::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QImage& img = surface_.image();
    p.drawImage(event->rect().topLeft(), img, event->rect());
    // Any strip the image does not cover shows the back colour.
    const QRegion rest = QRegion(event->rect()).subtracted(QRegion(img.rect()));
    for (const QRect& r : rest)
        p.fillRect(r, QColor(redOf(surface_.BackColor), greenOf(surface_.BackColor),
                             blueOf(surface_.BackColor)));
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    emit mouseDown(buttonCode(event->button()), shiftCode(event->modifiers()),
                   static_cast<float>(event->position().x() * DrawingSurface::TwipsPerPixelX),
                   static_cast<float>(event->position().y() * DrawingSurface::TwipsPerPixelY));
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMove(buttonCode(event->buttons()), shiftCode(event->modifiers()),
                   static_cast<float>(event->position().x() * DrawingSurface::TwipsPerPixelX),
                   static_cast<float>(event->position().y() * DrawingSurface::TwipsPerPixelY));
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    emit mouseUp(buttonCode(event->button()), shiftCode(event->modifiers()),
                 static_cast<float>(event->position().x() * DrawingSurface::TwipsPerPixelX),
                 static_cast<float>(event->position().y() * DrawingSurface::TwipsPerPixelY));
}

} // namespace tk5
