// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "common/DayArray.h"

#include <cstdint>

namespace tk5 {

// out(i) = width x sqrt(S / periods), S the 32-bit sum over j = i .. i + periods - 1 of
// (close(j) - ma(j)) squared, for i = start .. end. Throws ChartError on a day outside a
// sequence.
void BollingerBands(const FloatDays& close, const FloatDays& ma, FloatDays& out, std::int16_t start,
                    std::int16_t end, float periods, float width);

} // namespace tk5
