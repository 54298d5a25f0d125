// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "common/Numbers.h"

#include <QString>

#include <vector>

namespace tk5 {

// One row of the transaction list as the list shows it.
struct TransactionRow {
    QString kind;  // "B" for a buy, "S" for a sell
    QString price; // the day's close, "####0.00"
    QString date;  // the day's date text as loaded
    QString gain;  // sells: the pair's gain in percent, "####0.0"; buys: empty
};

inline constexpr Color kBuyRowColor = RGB(0, 200, 0);
inline constexpr Color kSellRowColor = RGB(200, 0, 0);

inline const QString kSumGainStart = QStringLiteral("Summarized gain");
inline const QString kCumGainStart = QStringLiteral("Cumulative gain");

// The transaction list: its rows in the order recorded, and the captions of the two gain
// labels under it. The gains and the report read these texts, not the day arrays.
struct TransactionList {
    std::vector<TransactionRow> rows;
    QString sumGain = kSumGainStart;
    QString cumGain = kCumGainStart;
};

} // namespace tk5
