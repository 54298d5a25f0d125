// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include <QLabel>

namespace tk5 {

// A label that acts as a small button: it reports presses and releases with the control's
// mouse codes (button 1 left, 2 right, 4 middle; shift 1 Shift, 2 Ctrl, 4 Alt; x, y in
// twips) and a click when a press is released over it.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    ClickLabel(const QString& name, const QString& text, QWidget* parent);

Q_SIGNALS:
    void mouseDown(int button, int shift, float x, float y);
    void mouseUp(int button, int shift, float x, float y);
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace tk5
