// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "model/ChartState.h"
#include "model/Transactions.h"
#include "surface/DrawingSurface.h"

namespace tk5 {

// What recording a buy or a sell came to.
enum class Recorded {
    Done,      // recorded, marked and listed
    NotADay,   // the position names no loaded day: nothing happened
    Full,      // 250 buys (sells) are recorded already: nothing happened
    BeforeBuy, // a sell older than the newest buy, or no buy yet: nothing recorded
};

// The list rows of a buy and of a sell on day d (the sell with its gain in percent, empty when
// it cannot be computed).
TransactionRow buyRow(const PriceSeries& series, long d);
TransactionRow sellRow(const PriceSeries& series, long d, long boughtOn);

// Records a buy on the loaded day under x of the price chart: its mark (at the hidden chart's
// place while the chart is hidden), with the vertical line at x inverted off and back on
// around it so a crosshair line there stays; its row; the count and the day.
Recorded recordBuy(ChartState& st, TransactionList& list, DrawingSurface& picture1, float x);
// The same for a sell, refused when its day is older than the newest buy's (or no buy exists).
Recorded recordSell(ChartState& st, TransactionList& list, DrawingSurface& picture1, float x);

// Appends the rows of every record: buy k, then sell k when there is one (paired with buy k).
void fillList(const ChartState& st, TransactionList& list);

} // namespace tk5
