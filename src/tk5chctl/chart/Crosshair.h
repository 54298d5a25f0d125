// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "model/ChartState.h"
#include "surface/ChartSurfaces.h"

#include <QString>

#include <functional>
#include <optional>

namespace tk5 {

// The caption line for the day under a position of the price chart.
struct CaptionTexts {
    // Company, high, low, close and date of the day; none when the day lies outside the
    // series or its date text is not a date (the caption then keeps its text).
    std::optional<QString> caption;
    // The change against the day before ("Change +$1.5   +1.5%"); empty when there is no
    // change to tell: no day before it, or a previous close of 0.
    QString change;
    // Green for a rise, red otherwise (also when no change could be computed).
    Color changeColor = 0;
};

inline constexpr Color kRiseColor = RGB(0, 255, 0);
inline constexpr Color kFallColor = RGB(255, 0, 0);

// The day whose slot is nearest to x on a price chart W twips wide showing the window of
// the state: round((W - x) x (e - s + 2) / W + s) - 1, halves to even. None when W is 0 or
// the result is no day index.
std::optional<std::int16_t> dayUnder(const ChartState& st, double W, double x);

// What the caption line shows for position x of a price chart W twips wide.
CaptionTexts captionAt(const ChartState& st, float W, float x);

// The crosshair's vertical line moves to X on the price chart, the three panes and the date
// ruler: the line standing at OldVerticalLineX is inverted away (when displayed and not at 0),
// the new one inverted in, then updateCaption(X) runs, the line is remembered and the five
// surfaces go back to copying.
void moveVerticalLine(ChartState& st, const ChartSurfaces& sf, float X,
                      const std::function<void(float)>& updateCaption);

// The dashed horizontal line moves to Y on the price chart, the same way; the surface is left
// inverting and dashed (the gesture resets it).
void moveHorizontalLine(ChartState& st, const ChartSurfaces& sf, float Y);

// The surfaces the vertical line crosses, in drawing order.
std::array<DrawingSurface*, 5> verticalLineSurfaces(const ChartSurfaces& sf);

} // namespace tk5
