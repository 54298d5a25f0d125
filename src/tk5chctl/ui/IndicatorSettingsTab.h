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

    // Start-up: adds the ten indicator entries to the three choosers.
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
    // After "Apply now" has redrawn the chart and the panes.
    void applied();

private:
    struct Row {
        QLabel* label = nullptr;
        QLineEdit* text = nullptr;
    };
    void choose(int pane, int listPosition);
    void apply();

    ChartCore& core_;
    Prompts& prompts_;
    std::array<QComboBox*, 3> combos_{};
    std::array<std::array<Row, 3>, 3> rows_{};
    QPushButton* command1_ = nullptr;
};

} // namespace tk5
