// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include <cstdint>
#include <optional>

namespace tk5 {

// A window of days: s the newest shown day, e the oldest. Days count back in time from 1.
// Every computation below is 16-bit: a step that leaves 16 bits fails with ChartError.
struct DayWindow {
    std::int16_t s = 1;
    std::int16_t e = 200;
    friend bool operator==(const DayWindow&, const DayWindow&) = default;
};

// One width further back in time: the oldest shown day becomes the newest; a window passing
// the oldest loaded day is moved back onto it with its width kept.
DayWindow windowBackward(DayWindow w, std::int16_t dayCount);
// One width forward in time; a window passing day 1 starts at day 1 with its width kept.
DayWindow windowForward(DayWindow w);
// The oldest 30 % (rounded half to even) drop off; never narrower than the newest day plus
// three when that would turn the window round.
DayWindow windowZoomedIn(DayWindow w);
// Three times as wide around its middle, cut at day 1 and the oldest loaded day; a one-day
// window gains the day before it.
DayWindow windowZoomedOut(DayWindow w, std::int16_t dayCount);
// Five days back (the "<<" button); none when that passes the oldest loaded day.
std::optional<DayWindow> windowStepBack(DayWindow w, std::int16_t dayCount);
// Five days forward (the ">>" button); none when that passes day 1.
std::optional<DayWindow> windowStepForward(DayWindow w);
// The window of the same width (at least one day) starting at the newest loaded day, or
// ending at the oldest one.
DayWindow windowNewest(DayWindow w);
DayWindow windowOldest(DayWindow w, std::int16_t dayCount);

} // namespace tk5
