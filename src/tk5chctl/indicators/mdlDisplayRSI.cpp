// SPDX-License-Identifier: BSD-3-Clause
#include "mdlDisplayRSI.h"

#include <algorithm>
#include <vector>

namespace tk5 {

namespace {

// The weighted sums of gains (A) and losses (B).
struct Sums {
    double A = 0, B = 0;
    // One more change, the older sums weighted down by (N - 1) / N.
    void add(std::int16_t N, double gain, double loss) {
        A = (N - 1) * A / N + gain;
        B = (N - 1) * B / N + loss;
    }
    double rsi() const {
        double value = 0;
        skipOnError([&] { value = 100.0 - divide(100.0, 1.0 + divide(A, B)); });
        return value;
    }
};

// The sums of day d, oldest change first. Changes exist for j = 1 .. capacity - 1 only; a
// change reaching outside the series counts as neither gain nor loss. Until the oldest
// existing change both sums stay exactly 0, so the loop starts there; with none at all both
// sums are 0.
Sums rsiSums(const FloatDays& price_close, long d, std::int16_t N) {
    Sums sums;
    const long last = price_close.capacity() - 1;
    if (d > last || d + N - 2 < 1) return sums;
    for (long k = std::max(2L, d + N - last); k <= N; ++k) {
        const long j = d + N - k;
        double gain = 0, loss = 0;
        if (price_close.contains(j) && price_close.contains(j + 1)) {
            const double change = static_cast<double>(price_close[j]) - price_close[j + 1];
            if (change >= 0)
                gain = change;
            else
                loss = -change;
        }
        sums.add(N, gain, loss);
    }
    return sums;
}

} // namespace

double CalculateRSI(const FloatDays& price_close, long d, std::int16_t N) {
    return rsiSums(price_close, d, N).rsi();
}

namespace indicators {

void DisplayRSI(DrawingSurface& ruler, DrawingSurface& plot, const FloatDays& price_close,
                std::int16_t starting_date, std::int16_t ending_date, std::int16_t N,
                const PaneLook& look) {
    PaneFrame pane(ruler, plot, starting_date, ending_date, look);
    const long s = pane.s, e = pane.e;

    pane.referenceLines();
    pane.oscillatorRuler();

    const float k = pane.oscillatorK();
    // Each day's value once: days s .. e + 1, element i - s. The line's first segment needs
    // the positions of days e and e + 1; without them no value is ever drawn.
    std::vector<double> rsi(static_cast<size_t>(e + 2 - s));
    if (pane.reaches(e) && pane.reaches(e + 1)) {
        // A day d <= 0 whose changes take in every existing one (d + N - 2 >= capacity - 1)
        // has the sums of day d + 1 with one more change of nothing: those days follow each
        // other, newest first, instead of running N changes each.
        const long last = price_close.capacity() - 1;
        const long sharedFrom = std::max(s, last + 2 - N);
        const long sharedTo = std::min(0L, e + 1);
        if (sharedFrom <= sharedTo) {
            Sums shared = rsiSums(price_close, sharedTo, N);
            for (long i = sharedTo;; --i) {
                rsi[static_cast<size_t>(i - s)] = shared.rsi();
                if (i == sharedFrom) break;
                shared.add(N, 0, 0);
            }
        }
        for (long i = s; i <= e + 1; ++i)
            if (i < sharedFrom || i > sharedTo)
                rsi[static_cast<size_t>(i - s)] = CalculateRSI(price_close, i, N);
    }
    pane.line([&](long i) { return pane.oscillatorY(rsi[static_cast<size_t>(i - s)], k); });

    pane.bands();
}

} // namespace indicators
} // namespace tk5
