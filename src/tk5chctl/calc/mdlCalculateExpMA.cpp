// SPDX-License-Identifier: BSD-3-Clause
#include "mdlCalculateExpMA.h"

#include "WindowSums.h"

#include "common/Numbers.h"

#include <algorithm>

namespace tk5 {

namespace {

float smoothing(std::int16_t N) {
    float alpha = 0;
    skipOnError([&] { alpha = toSingle(divide(2.0, N + 1.0)); });
    return alpha;
}

// The step from the day's value and the float sum of its N older days.
float expStep(float alpha, float value, float sum, std::int16_t N) {
    double sma = 0;
    skipOnError([&] { sma = divide(sum, N); });
    float result = 0;
    skipOnError(
        [&] { result = toSingle(static_cast<double>(alpha) * value + (1.0 - alpha) * sma); });
    return result;
}

} // namespace

float CalculateExpMA(const FloatDays& series, long d, std::int16_t N) {
    const float alpha = smoothing(N);
    if (d + N + 1 > series.capacity()) return 0;
    // Without day d itself the result is 0; with it, days d + 1 .. d + N all exist.
    if (!series.contains(d)) return 0;
    float sum = 0;
    for (long j = d + 1; j <= d + N; ++j) {
        // A sum that no longer fits a float keeps its previous value.
        const double next = static_cast<double>(sum) + series[j];
        if (fitsSingle(next)) sum = static_cast<float>(next);
    }
    return expStep(alpha, series[d], sum, N);
}

std::vector<float> CalculateExpMAs(const FloatDays& series, long first, long last, std::int16_t N) {
    std::vector<float> out;
    if (last < first) return out;
    out.resize(static_cast<size_t>(last - first + 1));
    // The days whose N older days all exist: d >= 1 and d + N + 1 <= capacity.
    const long from = std::max(first, 1L);
    const long to = std::min(last, static_cast<long>(series.capacity()) - N - 1);
    bool together = N >= 1 && from <= to;
    if (together) {
        // The values the sums read, days from + 1 .. to + N, from their first element on
        // (the days of a DayArray lie one after the other).
        const float* older = &series[from + 1];
        const long count = to - from + 1;
        together = SumsStayFinite(older, count + N - 1);
        if (together) {
            std::vector<float> sums(static_cast<size_t>(count));
            SumsOfWindows(older, count, N, sums.data());
            const float alpha = smoothing(N);
            for (long d = from; d <= to; ++d)
                out[static_cast<size_t>(d - first)] =
                    expStep(alpha, series[d], sums[static_cast<size_t>(d - from)], N);
        }
    }
    for (long d = first; d <= last; ++d)
        if (!together || d < from || d > to)
            out[static_cast<size_t>(d - first)] = CalculateExpMA(series, d, N);
    return out;
}

} // namespace tk5
