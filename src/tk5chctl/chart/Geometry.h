// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "common/DayAxis.h"
#include "common/Numbers.h"
#include "model/ChartState.h"
#include "surface/DrawingSurface.h"

#include <cstdint>

namespace tk5 {

// How far price p lies above the bottom tick, in twips, at the scale the price ruler left.
inline double priceOffset(const ChartState& st, double p) {
    return (p - static_cast<double>(st.price_step) * st.ruler_bottom) * st.price_scale;
}

// Height of price p on a surface of height H: the bottom tick lies 50 twips above the lower
// edge. Throws ChartError when the height does not fit a 32-bit float.
inline float priceToY(const ChartState& st, double H, double p) {
    return toSingle(H - 50.0 - priceOffset(st, p));
}

// The days of the shown window across the price chart: the day width the chart was last drawn
// with, from the newest shown day s.
inline DayAxis chartAxis(const DrawingSurface& chart, const ChartState& st, std::int16_t s) {
    return DayAxis::withSlotWidth(chart.Width(), s, st.day_width);
}

// A dotted grid line across the price chart in RGB(150, 60, 60); the chart is left drawing
// black and solid. A line that fails is skipped.
inline void drawGridLine(DrawingSurface& chart, float x1, float y1, float x2, float y2) {
    chart.ForeColor = RGB(150, 60, 60);
    chart.DrawStyle = kDotted;
    skipOnError([&] { chart.Line(x1, y1, x2, y2); });
    chart.ForeColor = RGB(0, 0, 0);
    chart.DrawStyle = kSolid;
}

} // namespace tk5
