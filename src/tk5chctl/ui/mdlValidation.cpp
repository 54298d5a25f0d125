// SPDX-License-Identifier: BSD-3-Clause
#include "mdlValidation.h"

#include "common/Numbers.h"
#include "tk5chctl/Prompts.h"

#include <QColor>
#include <QLineEdit>
#include <QPalette>

namespace tk5 {

namespace {

void setBackground(QLineEdit& box, const QColor& color) {
    QPalette palette = box.palette();
    palette.setColor(QPalette::Base, color);
    box.setPalette(palette);
}

// The box flashes red while the message is up.
void complain(QLineEdit& box, const QString& text, MessageIcon icon, Prompts& prompts) {
    setBackground(box, QColor(255, 0, 0));
    prompts.message(text, icon);
    setBackground(box, QColor(255, 255, 255));
}

} // namespace

FieldCheck CheckField(QLineEdit& box, std::int16_t min, std::int16_t max, Prompts& prompts) {
    const std::optional<double> value = textToNumber(box.text());
    if (!value) {
        complain(box, QStringLiteral("Numeric expression required"), MessageIcon::Exclamation,
                 prompts);
        return FieldCheck::NotANumber;
    }
    if (*value < min) {
        complain(box, QStringLiteral("The value has to be greater than ") + QString::number(min),
                 MessageIcon::None, prompts);
        return FieldCheck::BelowMin;
    }
    if (*value > max) {
        complain(box, QStringLiteral("The value has to be less than ") + QString::number(max),
                 MessageIcon::None, prompts);
        return FieldCheck::AboveMax;
    }
    return FieldCheck::Valid;
}

bool ValidateField(QLineEdit& box, std::int16_t min, std::int16_t max, Prompts& prompts) {
    return CheckField(box, min, max, prompts) == FieldCheck::Valid;
}

} // namespace tk5
