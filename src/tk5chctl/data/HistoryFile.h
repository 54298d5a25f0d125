#pragma once

#include "control/ChartState.h"

#include <QString>
#include <QVariant>

#include <cstdint>

namespace tk5 {

// The folder the history files are read from: TK5CHCTL_HIST_DIR when set, otherwise the
// folder "hist" beside the control library itself.
QString histDirectory();

// The file of a ticker inside histDir: ":" replaced by "_", upper case, ".csv". Empty for a
// ticker that could name a file outside histDir (a path separator, "..", an empty name).
QString historyFilePath(const QString& ticker, const QString& histDir);

// Loads the ticker's history into st.series (newest day first), sets ticker_name, and the
// company name and caption from a long-header file. Sets b_Today_flag to false. A file that
// cannot be opened loads no day: day_count becomes 0, the caption empty.
void ReadDataFile(ChartState& st, const QString& ticker, bool& b_Today_flag,
                  const QString& histDir);

// The day index of a calendar date (text): 1 for a date after the newest day, day_count for
// one before the oldest, the trading day itself or one of the two calendar days before it,
// 0 otherwise or when the text is not a date.
std::int16_t ConvertDateToInteger(const PriceSeries& series, const QString& str_date);

// The hook the short-header layout passes its dates through: returns its input.
QVariant convert_trading_date(const QString& input_date);

} // namespace tk5
