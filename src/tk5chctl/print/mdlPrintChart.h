// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "PageSurface.h"
#include "model/ChartState.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace tk5 {

// One entry of the printed legend column: its text and its swatch colour.
struct LegendEntry {
    QString text;
    Color color;
};

// The legend column in order: the moving averages shown (10, 50, 200 days, then the custom
// one of custom_ma_periods days), then the series of pane 1, 2 and 3 by their kinds.
std::vector<LegendEntry> printedLegend(const ChartState& st, std::int16_t custom_ma_periods);

// The labelling band (1..6) of the printed date labels for a window of n days.
int printedDateBand(long n);

// The chart of the state on one page of `printer`, whose coordinates are page units (1/300
// inch) over its Width() x Height(): the title line, the framed price area with its own price
// ruler, date labels, bars, the 10/50/200-day averages and the buy and sell marks, the legend
// column at the right and the three indicator bands under the price area. The price scale is
// the one the state's price ruler holds (ruler_bottom, ruler_top, price_step); without one (no
// history drawn yet) the price area stays empty. A window without days (its end before its
// start) leaves the price area and the bands empty; days outside the loaded history are left
// out. The state is not changed.
void PrintEntireChart(const ChartState& st, std::int16_t custom_ma_periods, PageSurface& printer);

} // namespace tk5
