// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "Numbers.h"

#include <cmath>
#include <cstdint>

namespace tk5 {

// Where the days of a window lie across a surface W twips wide. The newest shown day sits one
// slot left of the right edge and each older day one slot further left, so the day after the
// oldest shown one lands on x = 0. Day arithmetic is 16-bit, as day indexes are: a slot count
// or a day distance that leaves 16 bits fails with ChartError where it is used.
class DayAxis {
public:
    // The window newest..oldest in n = oldest - newest + 2 equal slots; day d lies at
    // W - (d - newest + 1) x W / n, the division taken last (the indicator panes).
    DayAxis(double width, long newest, long oldest);
    // Slots of a 32-bit width already known: day d lies at W - (d - newest + 1) x slotWidth
    // (the price chart with its day width, the date ruler with its step).
    static DayAxis withSlotWidth(double width, long newest, float slotWidth);

    // x of a day as a 32-bit float. ChartError when the slot count or d - newest + 1 leaves
    // 16 bits, the window has no slots, or x is no 32-bit float.
    float x(long day) const;
    // Whether x(day) gives a position rather than failing; tolerant drawing asks first, so a
    // day it skips costs no failure.
    bool reaches(long day) const noexcept;

    // The day whose slot centre is nearest to x: round((W - x) x n / W + newest) - 1, halves to
    // the even neighbour. Near the right edge that is newest - 1, near the left edge oldest + 1.
    // ChartError when W is 0 or the day does not fit a day index.
    std::int16_t dayAt(double x) const;

private:
    DayAxis(double width, long newest, double slots, float slotWidth, bool fromSlotWidth,
            bool slotsFit);

    static constexpr long kMin16 = -32768, kMax16 = 32767;

    double width_;
    long newest_;
    double slots_;    // n, for an axis made from a window
    float slotWidth_; // for an axis made from a slot width
    bool fromSlotWidth_;
    bool slotsFit_; // n and n - 2 fit 16 bits
};

// Inline: both are asked for every day of every drawn series.
inline float DayAxis::x(long day) const {
    if (!slotsFit_) throw ChartError(ChartError::Kind::Overflow, "too many days for one window");
    const std::int16_t slot = add16(add16(day, -newest_), 1);
    if (fromSlotWidth_) return toSingle(width_ - slot * static_cast<double>(slotWidth_));
    return toSingle(width_ - divide(slot * width_, slots_));
}

inline bool DayAxis::reaches(long day) const noexcept {
    const long distance = day - newest_;
    if (!slotsFit_ || distance < kMin16 || distance >= kMax16) return false;
    const auto slot = static_cast<std::int16_t>(distance + 1);
    if (fromSlotWidth_) return fitsSingle(width_ - slot * static_cast<double>(slotWidth_));
    if (slots_ == 0.0) return false;
    const double q = slot * width_ / slots_;
    return !std::isnan(q) && !std::isinf(q) && fitsSingle(width_ - q);
}

} // namespace tk5
