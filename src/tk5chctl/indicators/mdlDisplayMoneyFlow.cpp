// SPDX-License-Identifier: BSD-3-Clause
#include "mdlDisplayMoneyFlow.h"

#include <algorithm>

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

    for (long i = s; i <= e + 1; ++i) {
        if (!mfi.contains(i)) continue; // a value with nowhere to go is not worked out
        float pos = 0, neg = 0;
        // A comparison with a day outside the buffer is skipped: only days 1 .. capacity - 1
        // are compared with the day after them.
        const long to = std::min<long>(i + P, moneyFlow.capacity() - 1);
        for (long j = std::max(i, 1L); j <= to; ++j) {
            // A tie counts as positive flow.
            skipOnError([&] {
                if (moneyFlow[j] >= moneyFlow[j + 1])
                    pos = toSingle(static_cast<double>(pos) + moneyFlow[j]);
            });
            skipOnError([&] {
                if (moneyFlow[j] < moneyFlow[j + 1])
                    neg = toSingle(static_cast<double>(neg) + moneyFlow[j]);
            });
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
