// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include <stdexcept>
#include <string>

namespace tk5 {

// The one error type of the control. Routines that do not tolerate a failing step let it
// reach their caller; tolerant routines absorb it step by step with skipOnError().
class ChartError : public std::runtime_error {
public:
    enum class Kind {
        IndexOutOfRange, // a day or element outside the capacity of a series or buffer
        Overflow,        // a value that does not fit its type (16-bit day, 32-bit float ...)
        DivisionByZero,  // a division by zero or an undefined floating-point result
        TypeMismatch,    // a text that is not a number or a date
        File,            // a file that cannot be written or read as a whole
        OutOfMemory,     // an allocation that failed (reaches a host, never thrown inside)
        Printer,         // no printer to print on, or one that refused the page
    };

    ChartError(Kind kind, const std::string& what) : std::runtime_error(what), kind_(kind) {}
    Kind kind() const noexcept { return kind_; }

private:
    Kind kind_;
};

// Runs one step of a tolerant routine: a failing step is skipped and the routine goes on.
template <typename Step> inline void skipOnError(Step&& step) {
    try {
        step();
    } catch (const ChartError&) {}
}

} // namespace tk5
