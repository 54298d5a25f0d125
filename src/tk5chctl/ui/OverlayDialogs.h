// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "model/ChartState.h"
#include "tk5chctl/Prompts.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace tk5 {

// The small dialog "frmCustomMAperiods" ("Enter periods"): the box Text1 with the custom
// moving average's periods, OKButton and CancelButton. It shows settings.custom_ma_periods
// when created. OK stores a valid number in the settings and accepts; a text that is not a
// number is told through the prompts ("Numeric expression required") and sends the focus
// back to Text1; a number that rounds outside the 16-bit range is refused silently. Either
// way the dialog stays open. Cancel and Escape close it and store nothing.
class CustomMAperiodsDialog : public QDialog {
    Q_OBJECT
public:
    // The settings and the prompts must outlive the dialog.
    CustomMAperiodsDialog(OverlaySettings& settings, Prompts& prompts, QWidget* parent = nullptr);

    QLineEdit* periodsBox() const { return text1_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    void ok();

    OverlaySettings& settings_;
    Prompts& prompts_;
    QLineEdit* text1_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

// The small dialog "frmEnvelopes" ("Enter Envelopes Settings"): the boxes Text1 (the
// envelopes' moving average periods) and Text2 (their percentage difference), OKButton and
// CancelButton. Text1 shows settings.envelope_periods when created; Text2 always starts at 5.
// OK reads Text1 into envelope_periods, then Text2 into envelope_percent, then accepts. The
// first box that fails ends the sequence with the dialog open (a value already stored stays
// stored): a text that is not a number with the message and the focus in Text1, a number
// outside the 16-bit range silently. Cancel and Escape close it and store nothing.
class EnvelopesDialog : public QDialog {
    Q_OBJECT
public:
    // The settings and the prompts must outlive the dialog.
    EnvelopesDialog(OverlaySettings& settings, Prompts& prompts, QWidget* parent = nullptr);

    QLineEdit* periodsBox() const { return text1_; }
    QLineEdit* percentBox() const { return text2_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    void ok();

    OverlaySettings& settings_;
    Prompts& prompts_;
    QLineEdit* text1_ = nullptr;
    QLineEdit* text2_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

// Shows the custom moving-average dialog modally over parent and returns when it closes.
void showCustomMAperiodsDialog(QWidget* parent, OverlaySettings& settings, Prompts& prompts);
// Shows the envelopes dialog modally over parent and returns when it closes.
void showEnvelopesDialog(QWidget* parent, OverlaySettings& settings, Prompts& prompts);

} // namespace tk5
