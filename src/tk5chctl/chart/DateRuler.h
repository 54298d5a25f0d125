// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "model/ChartState.h"
#include "surface/ChartSurfaces.h"

#include <cstdint>

namespace tk5 {

// The one-letter initial of month m (1..12); ChartError for any other m.
QString monthInitial(int m);

// Ticks and labels of days s..e on DateRuler, in the band the number of days calls for,
// and the dotted vertical grid on Picture1 when enabled. A failing statement is skipped.
void DrawDateRuler(const ChartState& st, const ChartSurfaces& sf, std::int16_t s, std::int16_t e);

} // namespace tk5
