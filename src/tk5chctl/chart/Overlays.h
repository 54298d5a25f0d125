// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "common/DayArray.h"
#include "common/Numbers.h"
#include "model/ChartState.h"
#include "surface/DrawingSurface.h"

#include <cstdint>

namespace tk5 {

// Colours of the price overlays.
inline constexpr Color kMA10Color = RGB(200, 0, 0);
inline constexpr Color kMA50Color = RGB(0, 200, 0);
inline constexpr Color kMA200Color = RGB(0, 0, 200);
inline constexpr Color kMACustomColor = RGB(0, 128, 255);
inline constexpr Color kEnvelopeColor = RGB(255, 0, 255);
inline constexpr Color kBandsColor = RGB(0, 0, 0);

// The last day of a window ending at day e whose p-day average can be drawn: the p days of an
// average must not run past the oldest loaded day.
long lastAverageDay(const ChartState& st, std::int16_t e, std::int16_t periods);

// The p-day moving average of the close over days s..e on the chart, in the chart's
// current drawing colour. The line stops where the p days would run past the oldest loaded
// day. Throws ChartError when the work needs a day beyond the work buffers or the series.
void DrawMovingAverage(const ChartState& st, DrawingSurface& chart, std::int16_t s, std::int16_t e,
                       std::int16_t periods);

// Lines envelope_percent above and below the envelope_periods-day average (the average
// itself is not drawn). Throws as DrawMovingAverage.
void DrawEnvelopes(const ChartState& st, DrawingSurface& chart, std::int16_t s, std::int16_t e,
                   std::int16_t periods, std::int16_t percent);

// Bollinger bands: width standard deviations below and above the periods-day average,
// lower line first; they stop one day short of where the averages stop.
void DrawBands(const ChartState& st, DrawingSurface& chart, std::int16_t s, std::int16_t e,
               float periods, float width);

// Every enabled overlay of days s..e on Picture1, in the order 10-, 50-, 200-day, custom
// average, envelopes, bands, each after setting Picture1's drawing colour to its own; the
// custom average, envelopes and bands take their periods from the overlay settings given.
// The first failing overlay ends the call with ChartError (naming the overlay when it needs a
// day beyond its work buffers or the history); what was drawn stays.
void DrawOverlays(const ChartState& st, const OverlaySettings& overlays, DrawingSurface& picture1,
                  std::int16_t s, std::int16_t e);

} // namespace tk5
