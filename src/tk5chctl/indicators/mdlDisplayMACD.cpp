// SPDX-License-Identifier: BSD-3-Clause
#include "mdlDisplayMACD.h"

#include "calc/mdlCalculateExpMA.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace tk5::indicators {

void DisplayMACD(DrawingSurface& ruler, DrawingSurface& plot, const FloatDays& price_close,
                 std::int16_t starting_date, std::int16_t ending_date, std::int16_t N1,
                 std::int16_t N2, std::int16_t N3, const PaneLook& look) {
    PaneFrame pane(ruler, plot, starting_date, ending_date, look);
    const long s = pane.s, e = pane.e;

    pane.referenceLines();

    FloatDays macd(kBufferCapacity);
    // The averages of the close of the days the loop below reaches: it ends with ChartError at
    // the first day outside the buffer, at s itself when s is not a buffer day.
    const long last = e + N3;
    const long reached = macd.contains(s) ? std::min<long>(last, macd.capacity() + 1) : s;
    const std::vector<float> fast = CalculateExpMAs(price_close, s, reached, N1),
                             slow = CalculateExpMAs(price_close, s, reached, N2);
    auto averageOf = [&](const std::vector<float>& known, long i, std::int16_t N) {
        return i <= reached ? known[static_cast<size_t>(i - s)] : CalculateExpMA(price_close, i, N);
    };
    float M = 0;
    for (long i = s; i <= last; ++i) {
        const float m =
            toSingle(static_cast<double>(averageOf(fast, i, N1)) - averageOf(slow, i, N2));
        if (std::fabs(m) > M) M = std::fabs(m);
        macd[i] = m;
    }
    const float k = pane.centredK(M);

    // The signal of days s .. e + 1 once (element i - s); the one of day e + 1 reads the
    // MACD value of day e + 1 + N3, which was never computed and holds 0.
    const std::vector<float> signal = CalculateExpMAs(macd, s, e + 1, N3);
    auto signalOf = [&](long i) { return static_cast<double>(signal[static_cast<size_t>(i - s)]); };

    plot.ForeColor = RGB(28, 177, 227);
    for (long i = e; i >= s; --i)
        pane.bar(i, pane.H / 2, pane.centredY(static_cast<double>(macd[i]) - signalOf(i), k));

    plot.ForeColor = RGB(0, 0, 0);
    pane.line([&](long i) { return pane.centredY(macd[i], k); });

    plot.ForeColor = RGB(200, 0, 0);
    pane.line([&](long i) { return pane.centredY(signalOf(i), k); });

    pane.centredRuler(pane.amountLabel(M));
    pane.bands();
}

} // namespace tk5::indicators
