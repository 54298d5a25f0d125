// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "model/ChartState.h"
#include "model/Transactions.h"

namespace tk5 {

// The summarized gain: the sum of the gains in percent of the first sell_number pairs of rows
// (rows 2k-1 and 2k, their prices read back in the user's locale); a pair that cannot be read
// adds nothing. "Summarized gain: 20.0 %"; "Summarized gain: " alone for a negative count.
void CalculateSumGain(const ChartState& st, TransactionList& list);
// The cumulative gain: the pairs' price ratios multiplied; "Cumulative gain: 21.0 %".
void CalculateCumGain(const ChartState& st, TransactionList& list);

// The transactions report: the company, one line per row ("Bought on:   " or "Sold on:     ",
// the date, two tabs, " at: $", the price, and for a sell a tab, " Gain:", the gain and "%"),
// an empty line and the two gain captions as they stand; every line ends in a line feed.
QString PrintTransactionsReport(const ChartState& st, const TransactionList& list);

// Whether the transaction at row (0-based) may be deleted: only the last row may.
bool isDeletable(const TransactionList& list, int row);

// Deletes the transaction at the last row: a sell with the buy before it (a sell after another
// sell goes alone), then an open buy left at the end; the counts follow the rows and never go
// below 0. Returns how many times the counts changed (each change is followed by a redraw of
// the chart).
int deleteLastTransaction(ChartState& st, TransactionList& list, int row);

} // namespace tk5
