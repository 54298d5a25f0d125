// SPDX-License-Identifier: BSD-3-Clause
#include "mdlDisplayRSI.h"

#include <algorithm>
#include <cstring>
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

// The sums of days first .. last (element d - first), each as rsiSums gives it. The days
// whose N - 1 changes all exist (d >= 1 and d + N - 2 <= capacity - 1) run side by side, each
// weighting its own changes in its own order; the others are worked out one by one.
std::vector<Sums> rsiSumsOf(const FloatDays& price_close, long first, long last, std::int16_t N) {
    std::vector<Sums> out(static_cast<size_t>(std::max(0L, last - first + 1)));
    const long from = std::max(first, 1L);
    const long to = std::min<long>(last, price_close.capacity() - 1 - N + 2);
    const long together = N >= 2 ? std::max(0L, to - from + 1) : 0; // days from, from + 1 ..
    long done = 0;
#if defined(__GNUC__)
    if (together > 0) {
        // Each change once, element j - from for days j = from .. to + N - 2.
        const auto changes = static_cast<size_t>(together + N - 2);
        std::vector<double> gains(changes), losses(changes);
        for (size_t at = 0; at < changes; ++at) {
            const long j = from + static_cast<long>(at);
            const double change = static_cast<double>(price_close[j]) - price_close[j + 1];
            if (change >= 0)
                gains[at] = change;
            else
                losses[at] = -change;
        }
        // Two days in a register, eight days at a time; step k takes the change of day
        // d + N - k of each day d, oldest change first.
        using Pair = double __attribute__((vector_size(16)));
        constexpr long kRegisters = 4, kBlock = 2 * kRegisters;
        auto load = [](const double* p) {
            Pair v;
            std::memcpy(&v, p, sizeof v);
            return v;
        };
        const double older = N - 1, periods = N;
        for (; done + kBlock <= together; done += kBlock) {
            Pair A[kRegisters] = {}, B[kRegisters] = {};
            for (long k = 2; k <= N; ++k) {
                const auto at = static_cast<size_t>(done + N - k);
                for (long r = 0; r < kRegisters; ++r) {
                    A[r] = older * A[r] / periods + load(&gains[at + 2 * static_cast<size_t>(r)]);
                    B[r] = older * B[r] / periods + load(&losses[at + 2 * static_cast<size_t>(r)]);
                }
            }
            for (long l = 0; l < kBlock; ++l) {
                Sums& sums = out[static_cast<size_t>(from + done + l - first)];
                sums.A = A[l / 2][l % 2];
                sums.B = B[l / 2][l % 2];
            }
        }
    }
#endif
    for (long d = first; d <= last; ++d)
        if (d < from || d >= from + done)
            out[static_cast<size_t>(d - first)] = rsiSums(price_close, d, N);
    return out;
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
        // The days from 1 on (none of them shared) together.
        const long from = std::max(s, 1L);
        const std::vector<Sums> sums = rsiSumsOf(price_close, from, e + 1, N);
        for (long i = s; i <= e + 1; ++i)
            if (i >= from)
                rsi[static_cast<size_t>(i - s)] = sums[static_cast<size_t>(i - from)].rsi();
            else if (i < sharedFrom || i > sharedTo)
                rsi[static_cast<size_t>(i - s)] = CalculateRSI(price_close, i, N);
    }
    pane.line([&](long i) { return pane.oscillatorY(rsi[static_cast<size_t>(i - s)], k); });

    pane.bands();
}

} // namespace indicators
} // namespace tk5
