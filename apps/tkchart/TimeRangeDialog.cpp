// SPDX-License-Identifier: BSD-3-Clause
#include "TimeRangeDialog.h"

#include <tk5chctl/TKchart.h>

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

namespace tkchart {

namespace {

// The chart's day index of a date text; 0 (refused) for any failure.
qint16 dayOf(const TKchart& chart, const QString& text) {
    try {
        return chart.ConvertDateToInteger(text.trimmed());
    } catch (const TKchartError&) {
        return 0;
    }
}

} // namespace

TimeRangeDialog::TimeRangeDialog(const TKchart& chart, QWidget* parent)
    : QDialog(parent), chart_(chart), from_(new QLineEdit(chart.EndingDate(), this)),
      to_(new QLineEdit(chart.StartingDate(), this)) {
    setWindowTitle(QStringLiteral("Time Range"));
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("&From (oldest day):"), from_);
    fields->addRow(QStringLiteral("&To (newest day):"), to_);
    auto* hint = new QLabel(
        QStringLiteral("Dates as 31-Jan-01, 31-Jan-2001, 2001-01-31 or 1/31/2001. A date without "
                       "trading counts as the trading day one or two days before it; a date beyond "
                       "the history means its newest or oldest day."),
        this);
    hint->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &TimeRangeDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TimeRangeDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(hint);
    layout->addWidget(buttons);
    setMinimumWidth(380);
}

void TimeRangeDialog::accept() {
    const QString from = from_->text();
    const QString to = to_->text();
    const auto chosen =
        timeRange(from, dayOf(chart_, from), to, dayOf(chart_, to), chart_.ticker_name());
    if (const auto* refusal = std::get_if<DateRefusal>(&chosen)) {
        QMessageBox::warning(this, windowTitle(), refusal->message);
        QLineEdit* field = refusal->field == DateRefusal::Field::From ? from_ : to_;
        field->setFocus();
        field->selectAll();
        return;
    }
    range_ = std::get<DayRange>(chosen);
    QDialog::accept();
}

} // namespace tkchart
