// SPDX-License-Identifier: BSD-3-Clause
#include "Navigation.h"

#include "common/Numbers.h"

#include <algorithm>

namespace tk5 {

namespace {

// 2a - b in 16-bit steps.
std::int16_t twiceMinus(std::int16_t a, std::int16_t b) { return add16(add16(a, a), -b); }

std::int16_t widthOf(DayWindow w) { return add16(w.e, -w.s); }

} // namespace

DayWindow windowBackward(DayWindow w, std::int16_t dayCount) {
    DayWindow n{w.e, twiceMinus(w.e, w.s)};
    if (n.e > dayCount) {
        n.e = dayCount;
        n.s = add16(dayCount, -widthOf(w));
    }
    return n;
}

DayWindow windowForward(DayWindow w) {
    DayWindow n{twiceMinus(w.s, w.e), w.s};
    if (n.s < 1) {
        n.s = 1;
        n.e = add16(widthOf(w), 1);
    }
    return n;
}

DayWindow windowZoomedIn(DayWindow w) {
    const long k = static_cast<long>(roundHalfEven(widthOf(w) * 0.3));
    DayWindow n{w.s, add16(w.e, -k)};
    if (n.s > n.e) n.e = add16(n.s, 3);
    return n;
}

DayWindow windowZoomedOut(DayWindow w, std::int16_t dayCount) {
    if (w.s == w.e) return {w.s, add16(w.e, 1)};
    DayWindow n{twiceMinus(w.s, w.e), twiceMinus(w.e, w.s)};
    if (n.s < 1) n.s = 1;
    if (n.e > dayCount) n.e = dayCount;
    return n;
}

std::optional<DayWindow> windowStepBack(DayWindow w, std::int16_t dayCount) {
    const DayWindow n{add16(w.s, 5), add16(w.e, 5)};
    if (n.e > dayCount) return std::nullopt;
    return n;
}

std::optional<DayWindow> windowStepForward(DayWindow w) {
    const DayWindow n{add16(w.s, -5), add16(w.e, -5)};
    if (n.s < 1) return std::nullopt;
    return n;
}

DayWindow windowNewest(DayWindow w) {
    const std::int16_t width = std::max<std::int16_t>(widthOf(w), 0);
    return {1, add16(1, width)};
}

DayWindow windowOldest(DayWindow w, std::int16_t dayCount) {
    const std::int16_t width = std::max<std::int16_t>(widthOf(w), 0);
    const std::int16_t last = std::max<std::int16_t>(dayCount, 1);
    return {std::max<std::int16_t>(add16(last, -width), 1), last};
}

} // namespace tk5
