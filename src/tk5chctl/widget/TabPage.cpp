// SPDX-License-Identifier: BSD-3-Clause
#include "TabPage.h"

#include "common/Twips.h"

#include <QTabWidget>

namespace tk5 {

TabPage::TabPage(QTabWidget* strip) : QWidget(strip), strip_(strip) {}

void TabPage::place(QWidget* child, const QRectF& twips) {
    for (auto& entry : children_)
        if (entry.first == child) {
            entry.second = twips;
            placeOne(child, twips);
            return;
        }
    children_.emplace_back(child, twips);
    placeOne(child, twips);
}

void TabPage::placeOne(QWidget* child, const QRectF& twips) {
    // Where this page begins inside the strip, below the tab headers.
    const QPoint offset = isAncestorOf(child) && strip_->isAncestorOf(this)
                              ? mapTo(strip_, QPoint(0, 0))
                              : QPoint(0, 0);
    child->setGeometry(twipsToPixels(twips).translated(-offset));
}

void TabPage::placeAll() {
    for (const auto& entry : children_)
        if (entry.first) placeOne(entry.first, entry.second);
}

void TabPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeAll();
}

void TabPage::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    placeAll();
}

void TabPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    placeAll();
}

} // namespace tk5
