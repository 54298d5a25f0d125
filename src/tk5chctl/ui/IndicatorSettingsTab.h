// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "model/ChartState.h"
#include "tk5chctl/Prompts.h"

#include <QGroupBox>

#include <array>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tk5 {

using PaneSettings = std::array<IndicatorSettings, 3>;

// The frame "Frame2" of the Indicators tab: per pane p = 1..3 the chooser Combo_p, the
// period rows Label1_p/Text1_p .. Label3_p/Text3_p, and the button Command1 "Apply now".
// It shows the panes' settings it is given and reports what the user does: choosing an
// indicator at once (kindChosen), "Apply now" with every shown period box valid
// (applyRequested). It neither draws nor touches the settings store.
class IndicatorSettingsTab : public QGroupBox {
    Q_OBJECT
public:
    // Validation messages go through the prompts.
    explicit IndicatorSettingsTab(std::shared_ptr<Prompts> prompts, QWidget* parent = nullptr);

    // Start-up: gives each of the three choosers the ten indicator entries (replacing any it
    // had) with no entry selected.
    void fillChoosers();
    // Start-up, new settings, after "Apply now": selects entry kind - 1 in each chooser whose
    // pane kind is in 1..10 (leaving the others unselected) and shows each pane's rows with
    // these values.
    void showPanes(const PaneSettings& panes);
    // The first tab click of the tab strip: widens the three lists once so that all ten
    // entries show without scrolling. Later calls change nothing.
    void widenListsOnce();
    // While paused, a chooser that receives the focus does not open its list (the control's
    // own tab switching moves the focus away and back).
    void pauseListOpening(bool paused);

    QComboBox* chooser(int pane) const;
    QPushButton* applyButton() const;
    // The settings the tab shows now: the kinds chosen and the values last shown.
    const PaneSettings& panes() const { return panes_; }

Q_SIGNALS:
    // The user chose an entry of pane p's chooser (also the entry already selected).
    void kindChosen(int pane, qint16 kind);
    // "Apply now" found every shown box valid: the panes with the shown boxes' values (rounded
    // half to even), the other periods as they were.
    void applyRequested(const tk5::PaneSettings& panes);

private:
    struct Row {
        QLabel* label = nullptr;
        QLineEdit* text = nullptr;
    };
    // Click of Combo(pane): positions 0..9 set the pane's kind and show its rows; -1 (no
    // selection) changes nothing.
    void choose(int pane, int listPosition);
    // Shows the rows of the pane's current kind with their captions and values; a kind
    // outside 1..10 hides all three rows.
    void showRows(int pane);
    // Click of Command1.
    void apply();
    // Validates the rows shown for each pane's kind; false when any failed.
    bool validateShownRows();

    std::shared_ptr<Prompts> prompts_;
    PaneSettings panes_{};
    bool listsWidened_ = false;
    std::array<QComboBox*, 3> combos_{};
    std::array<std::array<Row, 3>, 3> rows_{};
    QPushButton* command1_ = nullptr;
};

} // namespace tk5
