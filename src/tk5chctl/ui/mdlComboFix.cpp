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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &combo_ && event->type() == QEvent::FocusIn) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason &&
                combo_.isEnabled() && combo_.count() > 0)
                combo_.showPopup();
        }
        return false;
    }

private:
    QComboBox& combo_;
};

} // namespace

void OpenListOnFocus(QComboBox& combo) { combo.installEventFilter(new OpenOnFocus(combo)); }

void WidenList(QComboBox& combo) {
    combo.setMaxVisibleItems(kWidenedVisibleItems);
    combo.view()->setMinimumWidth(combo.width());
}

} // namespace tk5
