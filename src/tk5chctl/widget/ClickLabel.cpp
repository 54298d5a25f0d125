// SPDX-License-Identifier: BSD-3-Clause
#include "ClickLabel.h"

#include "PictureBox.h"

#include <QMouseEvent>

namespace tk5 {

ClickLabel::ClickLabel(const QString& name, const QString& text, QWidget* parent)
    : QLabel(text, parent) {
    setObjectName(name);
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignCenter);
}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    Q_EMIT mouseDown(buttonCode(event->button()), shiftCode(event->modifiers()), twipsX(*event),
                     twipsY(*event));
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    Q_EMIT mouseUp(buttonCode(event->button()), shiftCode(event->modifiers()), twipsX(*event),
                   twipsY(*event));
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}

} // namespace tk5
