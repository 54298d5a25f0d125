// SPDX-License-Identifier: BSD-3-Clause
#include "DayAxis.h"

#include "Numbers.h"

namespace tk5 {

namespace {
constexpr long kMin16 = -32768, kMax16 = 32767;
} // namespace

DayAxis::DayAxis(double width, long newest, double slots, float slotWidth, bool fromSlotWidth,
                 bool slotsFit)
    : width_(width), newest_(newest), slots_(slots), slotWidth_(slotWidth),
      fromSlotWidth_(fromSlotWidth), slotsFit_(slotsFit) {}

DayAxis::DayAxis(double width, long newest, long oldest)
    : DayAxis(width, newest, static_cast<double>(oldest) - static_cast<double>(newest) + 2.0, 0,
              false, oldest - newest >= kMin16 && oldest - newest + 2 <= kMax16) {}

DayAxis DayAxis::withSlotWidth(double width, long newest, float slotWidth) {
    return {width, newest, 0.0, slotWidth, true, true};
}

float DayAxis::x(long day) const {
    if (!slotsFit_) throw ChartError(ChartError::Kind::Overflow, "too many days for one window");
    const std::int16_t slot = add16(add16(day, -newest_), 1);
    if (fromSlotWidth_) return toSingle(width_ - slot * static_cast<double>(slotWidth_));
    return toSingle(width_ - divide(slot * width_, slots_));
}

bool DayAxis::reaches(long day) const noexcept {
    const long distance = day - newest_;
    if (!slotsFit_ || distance < kMin16 || distance >= kMax16) return false;
    const auto slot = static_cast<std::int16_t>(distance + 1);
    if (fromSlotWidth_) return fitsSingle(width_ - slot * static_cast<double>(slotWidth_));
    if (slots_ == 0.0) return false;
    const double q = slot * width_ / slots_;
    return !std::isnan(q) && !std::isinf(q) && fitsSingle(width_ - q);
}

std::int16_t DayAxis::dayAt(double x) const {
    const double slots = fromSlotWidth_ ? divide(width_, slotWidth_) : slots_;
    const double v = divide((width_ - x) * slots, width_) + static_cast<double>(newest_);
    return add16(toInt16(v), -1);
}

} // namespace tk5
