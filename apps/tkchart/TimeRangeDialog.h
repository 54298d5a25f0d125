// SPDX-License-Identifier: BSD-3-Clause
#pragma once

// tkchart's "Time Range" dialog: the oldest and newest day to show, as dates.

#include "HostRules.h"

#include <QDialog>

class QLineEdit;
class TKchart;

namespace tkchart {

// Two date fields prefilled with the chart's shown window. OK keeps the dialog open, with a
// message naming the field, until both dates are trading days in the chart's history.
class TimeRangeDialog : public QDialog {
public:
    TimeRangeDialog(const TKchart& chart, QWidget* parent);

    // The days chosen; valid once the dialog was accepted.
    DayRange range() const { return range_; }

    void accept() override;

private:
    const TKchart& chart_;
    QLineEdit* from_;
    QLineEdit* to_;
    DayRange range_;
};

} // namespace tkchart
