// SPDX-License-Identifier: BSD-3-Clause
#include "StochasticLines.h"

#include "calc/WindowExtremes.h"
#include "calc/mdlCalculateMA.h"

#include <algorithm>
#include <vector>

namespace tk5::indicators {

void drawStochastic(PaneFrame& pane, const FloatDays& price_close, const FloatDays& price_high,
                    const FloatDays& price_low, std::int16_t K, std::int16_t D, int closeDays,
                    bool rulerFirst) {
    FloatDays percentK(kBufferCapacity);
    // The extremes of day i read days i .. i + closeDays - 1 + (K - 1), the close days
    // i .. i + closeDays - 1: a step that would read outside its series is skipped up front.
    const long extremeSpan = closeDays - 1 + std::max(K - 1, 0);
    const long last = pane.e + D;
    // The K-day extremes of days t = from .. to, every window of the steps that are taken:
    // element t - from.
    const long from = std::max(pane.s, 1L);
    auto windows = [&](const FloatDays& series, bool lowest) {
        const long to = std::min(last + closeDays - 1,
                                 static_cast<long>(series.capacity()) - std::max(K - 1, 0));
        return lowest ? LowestValues(series, from, to, K) : HighestValues(series, from, to, K);
    };
    const std::vector<float> lows = windows(price_low, true), highs = windows(price_high, false);
    auto extremeOf = [&](const std::vector<float>& extremes, long i) {
        const auto at = [&](long t) { return extremes.at(static_cast<size_t>(t - from)); };
        return closeDays == 1 ? at(i) : AverageOfThree(at(i), at(i + 1), at(i + 2));
    };
    float low = 0, high = 0;
    for (long i = pane.s; i <= last; ++i) {
        if (price_low.contains(i) && price_low.contains(i + extremeSpan))
            skipOnError([&] { low = extremeOf(lows, i); });
        if (price_high.contains(i) && price_high.contains(i + extremeSpan))
            skipOnError([&] { high = extremeOf(highs, i); });
        if (!price_close.contains(i) || !price_close.contains(i + closeDays - 1) ||
            !percentK.contains(i))
            continue;
        skipOnError([&] {
            // The mean as (c0 / n + c1 / n) + c2 / n, in double precision.
            double close = 0;
            for (long j = i; j < i + closeDays; ++j)
                close += static_cast<double>(price_close[j]) / closeDays;
            percentK[i] = toSingle(divide(close - low, static_cast<double>(high) - low) * 100);
        });
    }

    if (rulerFirst) pane.oscillatorRuler();
    pane.referenceLines();
    if (!rulerFirst) pane.oscillatorRuler();

    const double H = pane.H;
    auto drawLine = [&](const FloatDays& values) {
        pane.line([&](long i) { return H - 50 - values[i] * (H - 100) / 100; }, true,
                  [&](long i) { return values.contains(i); });
    };
    drawLine(percentK);

    FloatDays percentD(kBufferCapacity);
    skipOnError([&] {
        CalculateMA(percentK, percentD, static_cast<std::int16_t>(pane.s), add16(pane.e, 1), D);
    });
    pane.plot.ForeColor = RGB(200, 0, 0);
    drawLine(percentD);

    pane.bands();
}

} // namespace tk5::indicators
