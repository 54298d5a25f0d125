// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "tk5chctl/tk5chctl_export.h"

#include <QString>

class QWidget;

namespace tk5 {

/// The icon a message box shows.
enum class MessageIcon { None, Exclamation, Question, Information, Critical };

/// Every message, question and small dialog the control shows goes through this seam, so a
/// host or a test can answer or read them without a modal loop (TKchart::setPrompts()). The
/// default shows real Qt message boxes.
class TK5CHCTL_EXPORT Prompts {
public:
    virtual ~Prompts() = default;
    /// A message box with an OK button and the platform's default title.
    virtual void message(const QString& text, MessageIcon icon) = 0;
    /// A question with OK and Cancel buttons, under its own title and with an icon; true for
    /// OK.
    virtual bool confirm(const QString& text, const QString& title, MessageIcon icon) = 0;
};

/// The control's own prompts: modal Qt message boxes over the given parent.
class TK5CHCTL_EXPORT WidgetPrompts : public Prompts {
public:
    explicit WidgetPrompts(QWidget* parent) : parent_(parent) {}
    void message(const QString& text, MessageIcon icon) override;
    bool confirm(const QString& text, const QString& title, MessageIcon icon) override;

private:
    QWidget* parent_;
};

} // namespace tk5
