// SPDX-License-Identifier: BSD-3-Clause
#pragma once

// What tkchart decides on its own, apart from its window: which tickers it offers, where it
// moves the window for a new history, which window the time-range dialog's dates choose and
// how it reads a position on the chart from the command line.

#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <variant>

namespace tkchart {

// The window first..last moved inside a history of `days` days: a window that starts past
// the oldest day keeps its length and starts so that it ends on the oldest day (or at day 1
// for a history shorter than the window). A window that starts inside is kept.
std::pair<qint16, qint16> windowInside(qint16 first, qint16 last, qint16 days);

// The tickers whose history files in `folder` the control can open, sorted: it reads the
// upper-cased ticker with ".csv", so only such file names are offered.
QStringList openableTickers(const QString& folder);

// The window the host keeps for the next ticker, after a redraw that shows `shown` where the
// host asked for `asked` on a history of `days` days: the asked window while the chart only
// lowered its end to the oldest day (or holds no day), otherwise what the chart shows (the
// user moved it with the chart's own keys, wheel or buttons).
std::pair<qint16, qint16> windowKept(std::pair<qint16, qint16> asked,
                                     std::pair<qint16, qint16> shown, qint16 days);

// The days the time-range dialog chooses: newest (starting_date_local) and oldest
// (ending_date_local) day index.
struct DayRange {
    qint16 newest = 0;
    qint16 oldest = 0;
    friend bool operator==(const DayRange&, const DayRange&) = default;
};

// Why the dialog's dates are refused, and the field to correct.
struct DateRefusal {
    enum class Field { From, To };
    Field field = Field::From;
    QString message;
};

// The window from the time-range dialog: From (the oldest day to show) and To (the newest) as
// typed, each with the day index the chart found for it (0: no trading day in the history of
// `ticker` matches, or the text is not a date). An empty field or an index of 0 is refused,
// From first; From newer than To is taken the other way round.
std::variant<DayRange, DateRefusal> timeRange(const QString& fromText, qint16 fromDay,
                                              const QString& toText, qint16 toDay,
                                              const QString& ticker);

// A position in twips as a command line gives it: a finite decimal number (surrounding spaces
// allowed), or nothing.
std::optional<float> twipsFromText(const QString& text);

} // namespace tkchart
