// SPDX-License-Identifier: BSD-3-Clause
#include "DayAxis.h"

#include "Numbers.h"

namespace tk5 {

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

std::int16_t DayAxis::dayAt(double x) const {
    const double slots = fromSlotWidth_ ? divide(width_, slotWidth_) : slots_;
    const double v = divide((width_ - x) * slots, width_) + static_cast<double>(newest_);
    return add16(toInt16(v), -1);
}

} // namespace tk5
