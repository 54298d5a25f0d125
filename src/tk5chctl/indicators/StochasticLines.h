#pragma once

#include "PaneFrame.h"
#include "common/DayArray.h"

#include <cstdint>

namespace tk5::indicators {

// What both stochastics draw once their %K is known: the black %K line, %D as the D-day
// simple average of %K, the red %D line and the margin bands. Tolerant.
void drawStochasticLines(PaneFrame& pane, const FloatDays& percentK, std::int16_t D);

} // namespace tk5::indicators
