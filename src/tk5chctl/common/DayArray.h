// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "ChartError.h"

#include <algorithm>
#include <string>
#include <vector>

namespace tk5 {

// A fixed-capacity sequence addressed from 1: day 1 (the newest day) lives in element 0.
// Reading or writing outside 1..capacity throws ChartError, which is how the drawing code
// tells a failing step from a good one.
template <typename T> class DayArray {
public:
    explicit DayArray(int capacity) : items_(static_cast<size_t>(capacity), T{}) {}

    int capacity() const noexcept { return static_cast<int>(items_.size()); }
    bool contains(long day) const noexcept { return day >= 1 && day <= capacity(); }

    T& operator[](long day) {
        check(day);
        return items_[static_cast<size_t>(day - 1)];
    }
    const T& operator[](long day) const {
        check(day);
        return items_[static_cast<size_t>(day - 1)];
    }

    // Every element back to its empty value.
    void reset() { std::fill(items_.begin(), items_.end(), T{}); }

private:
    void check(long day) const {
        if (!contains(day)) throw ChartError(ChartError::Kind::IndexOutOfRange, outside(day));
    }
    std::string outside(long day) const;
    std::vector<T> items_;
};

using FloatDays = DayArray<float>;

// Capacities named by what they hold.
inline constexpr int kSeriesCapacity = 5000;     // days of a loaded history
inline constexpr int kBufferCapacity = 3000;     // days of a scratch or overlay work buffer
inline constexpr int kTransactionCapacity = 250; // buys, and sells, that can be recorded

// Says in a user's words why an index lies outside a sequence of that capacity.
std::string outsideMessage(long index, int capacity);

template <typename T> std::string DayArray<T>::outside(long day) const {
    return outsideMessage(day, capacity());
}

} // namespace tk5
