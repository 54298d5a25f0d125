// SPDX-License-Identifier: BSD-3-Clause
#include "mdlDisplayVolatility.h"

#include "calc/mdlCalculateExpMA.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace tk5::indicators {

void DisplayVolatility(DrawingSurface& ruler, DrawingSurface& plot, const FloatDays& price_high,
                       const FloatDays& price_low, std::int16_t starting_date,
                       std::int16_t ending_date, std::int16_t V1, std::int16_t V2,
                       const PaneLook& look) {
    PaneFrame pane(ruler, plot, starting_date, ending_date, look);
    const long s = pane.s, e = pane.e;
    const double H = pane.H;

    FloatDays range(kBufferCapacity), rangeAverage(kBufferCapacity);
    // Steps that would reach outside a series or buffer are skipped up front.
    for (long i = s; i <= e + V1 + V2 + 1; ++i) {
        if (!price_high.contains(i) || !price_low.contains(i) || !range.contains(i)) continue;
        skipOnError(
            [&] { range[i] = toSingle(static_cast<double>(price_high[i]) - price_low[i]); });
    }

    // The relative change of the average over V2 days at day j.
    auto hasChange = [&](long j) {
        return rangeAverage.contains(j) && rangeAverage.contains(j + V2);
    };
    auto change = [&](long j) {
        return divide(static_cast<double>(rangeAverage[j]) - rangeAverage[j + V2],
                      rangeAverage[j + V2]);
    };

    // The averages read nothing but the range: all of them at once, days from .. to (element
    // i - from).
    const long from = std::max(s, 1L);
    const long to = std::min<long>(e + V2 + 1, rangeAverage.capacity());
    const std::vector<float> averages = CalculateExpMAs(range, from, to, V1);

    // Downwards, so that the average of day i + V2 is known when day i needs it. The oldest
    // shown day takes no part in M.
    float M = 0;
    for (long i = e + V2 + 1; i >= s; --i) {
        if (!rangeAverage.contains(i)) continue;
        rangeAverage[i] = averages[static_cast<size_t>(i - from)];
        if (i < e && hasChange(i)) {
            skipOnError([&] {
                const float r = toSingle(std::fabs(change(i)));
                if (r > M) M = r;
            });
        }
    }

    float k = 0;
    skipOnError([&] { k = toSingle(divide(H / 2 - 50, M)); });

    pane.referenceLines();
    pane.line([&](long i) { return pane.centredY(change(i), k); }, true, hasChange);

    pane.centredRuler(pane.amountLabel(M));
    pane.bands();
}

} // namespace tk5::indicators
