// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "model/ChartState.h"
#include "tk5chctl/Prompts.h"

#include <QDialog>

#include <vector>

class QLineEdit;

namespace tk5 {

// One of the two small overlay dialogs: labelled number boxes Text1 (and Text2), OKButton and
// CancelButton, at their places in twips. OK reads the boxes in order, each into its setting
// as soon as it is read, then accepts. The first box that fails ends the sequence with the
// dialog open (a value already stored stays stored): a text that is not a number is told
// through the prompts ("Numeric expression required") and sends the focus to Text1; a number
// that rounds (halves to even) outside the 16-bit range is refused silently. Cancel and Escape
// close it and store nothing.
class OverlayDialog : public QDialog {
    Q_OBJECT
public:
    enum class Kind {
        // "frmCustomMAperiods" ("Enter periods"): Text1 the custom average's periods, loaded
        // from the settings.
        CustomMAperiods,
        // "frmEnvelopes" ("Enter Envelopes Settings"): Text1 the envelopes' periods, loaded
        // from the settings; Text2 their percentage, which always opens at 5.
        Envelopes,
    };
    // The settings and the prompts must outlive the dialog.
    OverlayDialog(Kind kind, OverlaySettings& settings, Prompts& prompts,
                  QWidget* parent = nullptr);

private:
    void ok();

    struct Box {
        QLineEdit* edit;
        std::int16_t OverlaySettings::*setting;
    };
    OverlaySettings& settings_;
    Prompts& prompts_;
    std::vector<Box> boxes_;
};

class CustomMAperiodsDialog : public OverlayDialog {
public:
    CustomMAperiodsDialog(OverlaySettings& settings, Prompts& prompts, QWidget* parent = nullptr)
        : OverlayDialog(Kind::CustomMAperiods, settings, prompts, parent) {}
};

class EnvelopesDialog : public OverlayDialog {
public:
    EnvelopesDialog(OverlaySettings& settings, Prompts& prompts, QWidget* parent = nullptr)
        : OverlayDialog(Kind::Envelopes, settings, prompts, parent) {}
};

// Shows the custom moving-average dialog modally over parent and returns when it closes.
void showCustomMAperiodsDialog(QWidget* parent, OverlaySettings& settings, Prompts& prompts);
// Shows the envelopes dialog modally over parent and returns when it closes.
void showEnvelopesDialog(QWidget* parent, OverlaySettings& settings, Prompts& prompts);

} // namespace tk5
