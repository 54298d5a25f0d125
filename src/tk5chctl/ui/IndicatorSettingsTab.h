#pragma once

#include <QGroupBox>

#include <array>
#include <cstdint>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tk5 {

class ChartCore;
class Prompts;

// The frame "Frame2" of the Indicators tab: per pane p = 1..3 the chooser Combo_p, the
// period rows Label1_p/Text1_p .. Label3_p/Text3_p, and the button Command1 "Apply now".
// Choosing an indicator changes the pane's kind at once and shows its period rows; "Apply
// now" validates the shown rows, stores and saves the periods and redraws the control.
class IndicatorSettingsTab : public QGroupBox {
    Q_OBJECT
public:
    IndicatorSettingsTab(ChartCore& core, Prompts& prompts, QWidget* parent = nullptr);

    // Start-up: gives each of the three choosers the ten indicator entries (replacing any it
    // had) with no entry selected; the pane kinds are left as they are.
    void fillChoosers();
    // Start-up and chart files: selects entry kind - 1 in each chooser whose pane kind is in
    // 1..10 (leaving the others unselected) and shows that pane's rows and values.
    void selectPaneKinds();
    // The first tab click of the tab strip: widens the three lists once so that all ten
    // entries show without scrolling.
    void widenListsOnce();

    QComboBox* chooser(int pane) const;
    QPushButton* applyButton() const;

signals:
    // After "Apply now" has stored and saved the periods and redrawn the chart and the panes.
    // Also raised when a drawing step failed and ended the redraw early (the pictures then
    // hold what was drawn up to that step), so the host can show them; not raised when a
    // field failed validation.
    void applied();

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
    // Click of Command1. A drawing step that fails ends the routine early: its error is
    // caught here, at the event boundary; the periods stay stored and saved, the kinds are
    // not saved.
    void apply();
    // Validates the rows shown for each pane's kind; false when any failed.
    bool validateShownRows();
    void storeShownRows();
    void savePeriods();
    void saveKinds();

    ChartCore& core_;
    Prompts& prompts_;
    std::array<QComboBox*, 3> combos_{};
    std::array<std::array<Row, 3>, 3> rows_{};
    QPushButton* command1_ = nullptr;
};

} // namespace tk5
