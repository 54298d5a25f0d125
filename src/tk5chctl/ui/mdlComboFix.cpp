// SPDX-License-Identifier: BSD-3-Clause
#include "mdlComboFix.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>

namespace tk5 {

namespace {

constexpr int kWidenedVisibleItems = 12;

class OpenOnFocus : public QObject {
public:
    explicit OpenOnFocus(QComboBox& combo) : QObject(&combo), combo_(combo) {}
    bool paused = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &combo_ && event->type() == QEvent::FocusIn) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (!paused && reason != Qt::PopupFocusReason &&
                reason != Qt::ActiveWindowFocusReason && combo_.isEnabled() && combo_.count() > 0)
                combo_.showPopup();
        }
        return false;
    }

private:
    QComboBox& combo_;
};

} // namespace

void OpenListOnFocus(QComboBox& combo) { combo.installEventFilter(new OpenOnFocus(combo)); }

void PauseListOpening(QComboBox& combo, bool paused) {
    for (QObject* child : combo.children())
        if (auto* opener = dynamic_cast<OpenOnFocus*>(child)) opener->paused = paused;
}

void WidenList(QComboBox& combo) {
    combo.setMaxVisibleItems(kWidenedVisibleItems);
    combo.view()->setMinimumWidth(combo.width());
}

} // namespace tk5
