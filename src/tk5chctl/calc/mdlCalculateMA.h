// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "common/DayArray.h"

#include <cstdint>

namespace tk5 {

// Running simple moving average: output(i) is the mean of input(i) .. input(i + p - 1) for
// i = start .. end, computed incrementally in 32-bit floats. Throws ChartError when a day
// falls outside either sequence.
void CalculateMA(const FloatDays& input, FloatDays& output, std::int16_t start, std::int16_t end,
                 std::int16_t periods);

} // namespace tk5
