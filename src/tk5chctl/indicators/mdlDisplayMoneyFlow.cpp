// SPDX-License-Identifier: BSD-3-Clause
#include "mdlDisplayMoneyFlow.h"

#include "calc/WindowSums.h"

#include <algorithm>
#include <vector>

namespace tk5::indicators {

void DisplayMoneyFlow(DrawingSurface& ruler, DrawingSurface& plot, const FloatDays& price_close,
                      const FloatDays& price_high, const FloatDays& price_low,
                      const DayArray<std::int32_t>& price_volume, std::int16_t starting_date,
                      std::int16_t ending_date, std::int16_t P, const PaneLook& look) {
    PaneFrame pane(ruler, plot, starting_date, ending_date, look);
    const long s = pane.s, e = pane.e;

    FloatDays moneyFlow(kBufferCapacity), mfi(kBufferCapacity);
    for (long i = s; i <= e + P + 1; ++i) {
        // A day outside the series or the buffer is skipped up front.
        if (!price_close.contains(i) || !price_high.contains(i) || !price_low.contains(i) ||
            !price_volume.contains(i) || !moneyFlow.contains(i))
            continue;
        skipOnError([&] {
            moneyFlow[i] =
                toSingle((static_cast<double>(price_close[i]) + price_high[i] + price_low[i]) *
                         price_volume[i] / 3);
        });
    }

    // A comparison with a day outside the buffer is skipped: only days 1 .. capacity - 1 are
    // compared with the day after them. Each compared day j of the windows below counts once,
    // as rising[j] (its flow when it is not below the day after it, a tie counting as
    // positive) or falling[j] (its flow when it is below), 0 in the other; adding 0 to a sum
    // that starts at 0 changes nothing. Element j - from.
    const long from = std::max(s, 1L);
    const long to = std::min<long>(e + 1 + P, moneyFlow.capacity() - 1);
    const size_t compared = from <= to ? static_cast<size_t>(to - from + 1) : 0;
    std::vector<float> rising(compared), falling(compared);
    for (long j = from; j <= to; ++j) {
        const auto at = static_cast<size_t>(j - from);
        if (moneyFlow[j] >= moneyFlow[j + 1]) rising[at] = moneyFlow[j];
        if (moneyFlow[j] < moneyFlow[j + 1]) falling[at] = moneyFlow[j];
    }

    // The sums of the days whose P + 1 days all exist (from .. to - P), worked out together
    // when no sum can grow too large for a float; the other days add theirs below.
    long together = 0; // days from, from + 1 ..
    if (P >= 0 && SumsStayFinite(rising.data(), static_cast<long>(compared)) &&
        SumsStayFinite(falling.data(), static_cast<long>(compared)))
        together = std::max(0L, to - P - from + 1);
    std::vector<float> positive(static_cast<size_t>(together)), negative(positive.size());
    SumsOfWindows(rising.data(), together, P + 1L, positive.data());
    SumsOfWindows(falling.data(), together, P + 1L, negative.data());

    for (long i = s; i <= e + 1; ++i) {
        if (!mfi.contains(i)) continue; // a value with nowhere to go is not worked out
        float pos = 0, neg = 0;
        if (i >= from && i - from < together) {
            pos = positive[static_cast<size_t>(i - from)];
            neg = negative[static_cast<size_t>(i - from)];
        } else {
            // A sum that no longer fits a float keeps its previous value.
            for (long j = std::max(i, 1L); j <= std::min<long>(i + P, to); ++j) {
                const auto at = static_cast<size_t>(j - from);
                skipOnError([&] { pos = toSingle(static_cast<double>(pos) + rising[at]); });
                skipOnError([&] { neg = toSingle(static_cast<double>(neg) + falling[at]); });
            }
        }
        skipOnError([&] { mfi[i] = toSingle(100.0 - divide(100.0, 1.0 + divide(pos, neg))); });
    }

    const float k = pane.oscillatorK();

    pane.referenceLines();
    pane.oscillatorRuler();

    plot.ForeColor = RGB(178, 0, 178);
    pane.line([&](long i) { return pane.oscillatorY(mfi[i], k); }, true,
              [&](long i) { return mfi.contains(i); });

    pane.bands();
}

} // namespace tk5::indicators
