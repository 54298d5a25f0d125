// SPDX-License-Identifier: BSD-3-Clause
#include "tk5chctl/Prompts.h"

#include <QApplication>
#include <QMessageBox>

namespace tk5 {

namespace {
QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}
} // namespace

void WidgetPrompts::message(const QString& text, MessageIcon icon) {
    QMessageBox box(boxIcon(icon), QApplication::applicationName(), text, QMessageBox::Ok, parent_);
    box.exec();
}

bool WidgetPrompts::confirm(const QString& text, const QString& title, MessageIcon icon) {
    QMessageBox box(boxIcon(icon), title, text, QMessageBox::Ok | QMessageBox::Cancel, parent_);
    return box.exec() == QMessageBox::Ok;
}

} // namespace tk5
