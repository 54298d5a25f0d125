// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include <QPointer>
#include <QRectF>
#include <QWidget>

#include <utility>
#include <vector>

class QTabWidget;

namespace tk5 {

// A page of the tab strip. Its children are placed in twips relative to the tab strip itself
// (the tab headers included), so they are placed again whenever the page is laid out inside
// the strip.
class TabPage : public QWidget {
public:
    explicit TabPage(QTabWidget* strip);
    // Places child (a widget on this page) at the twip rectangle given relative to the strip.
    void place(QWidget* child, const QRectF& twips);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void placeAll();
    void placeOne(QWidget* child, const QRectF& twips);
    QTabWidget* strip_;
    std::vector<std::pair<QPointer<QWidget>, QRectF>> children_;
};

} // namespace tk5
