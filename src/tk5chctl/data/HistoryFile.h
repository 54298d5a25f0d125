// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "model/ChartState.h"

#include <QString>
#include <QVariant>

#include <cstdint>

namespace tk5 {

// The folder the history files are read from: TK5CHCTL_HIST_DIR when set and not empty,
// otherwise the folder "hist" beside the control library itself (beside the executable when
// the library is linked statically).
QString histDirectory();

// The file of a ticker inside histDir: ":" replaced by "_", upper case, ".csv". Empty for a
// ticker that could name a file outside histDir (an empty name, "/", "\\", "..", a NUL or
// another control character).
QString historyFilePath(const QString& ticker, const QString& histDir);

// Loads the ticker's history into st.series (newest day first) and sets ticker_name to the
// ticker as passed. A long-header file (first line of 40 characters or more) also sets
// company_name from its third line. Returns the caption the chart then shows: the company
// name of a long-header file, empty text for a short-header one. Sets b_Today_flag to false
// first. Never fails: a bad row or field skips only itself, elements beyond the new day_count
// keep what they held.
//
// A file that cannot be read (missing, unreadable, not a regular file, its real location
// outside histDir, or a ticker historyFilePath refuses) ends the load at once: day_count
// becomes 0, ticker_name is set to the ticker, the caption is empty text, and company_name
// and every stored day value are left as they were.
//
// Rows are read one of two ways, which load the same state from every file: Fast reads a
// field that is a plain decimal number straight from the bytes of an ASCII line and gives
// every other field and line to the general reading; General reads each line as text, every
// field through leadingNumber. The general reading is kept to check the fast one against.
enum class RowReading { Fast, General };
QString ReadDataFile(ChartState& st, const QString& ticker, bool& b_Today_flag,
                     const QString& histDir, RowReading reading = RowReading::Fast);

// The day index of a calendar date (text): 1 for a date after the newest day, day_count for
// one before the oldest, the trading day itself or one of the two calendar days before it,
// 0 otherwise or when the text is not a date.
std::int16_t ConvertDateToInteger(const PriceSeries& series, const QString& str_date);

// The hook the short-header layout passes its dates through: returns its input.
QVariant convert_trading_date(const QString& input_date);

} // namespace tk5
