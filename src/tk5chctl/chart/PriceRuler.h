// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "model/ChartState.h"
#include "surface/ChartSurfaces.h"

#include <cstdint>

namespace tk5 {

// Highest high (lowest low) of days s..e; with s greater than e the value of day s.
float GetMaximumPrice(const PriceSeries& series, std::int16_t s, std::int16_t e);
float GetMinimumPrice(const PriceSeries& series, std::int16_t s, std::int16_t e);

// The price distance between two labelled ticks for a price range.
float priceStepFor(float range);

// Stores the window, computes the price scale (price_step, ruler_bottom, ruler_top,
// price_scale) and draws the price ruler and, when enabled, the horizontal grid on
// Picture1. A failing statement is skipped.
void DrawPriceRuler(ChartState& st, const ChartSurfaces& sf, std::int16_t s, std::int16_t e);

} // namespace tk5
