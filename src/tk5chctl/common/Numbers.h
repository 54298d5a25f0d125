// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "ChartError.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

class QString;

namespace tk5 {

// ---- Flags: 16-bit booleans, true is -1 and false is 0 -------------------------------
using Flag = std::int16_t;
inline constexpr Flag kTrue = -1;
inline constexpr Flag kFalse = 0;
// A drawing step treats a flag as set only when it holds exactly -1.
inline constexpr bool isSet(Flag f) noexcept { return f == kTrue; }
// 0 becomes -1, anything else becomes 0.
inline constexpr Flag toggled(Flag f) noexcept { return f == 0 ? kTrue : kFalse; }
inline constexpr Flag toFlag(bool b) noexcept { return b ? kTrue : kFalse; }

// ---- Colours: 0x00BBGGRR, red in the low byte -----------------------------------------
using Color = std::uint32_t;
inline constexpr Color RGB(int r, int g, int b) noexcept {
    return static_cast<Color>((r & 0xff) | ((g & 0xff) << 8) | ((b & 0xff) << 16));
}
inline constexpr int redOf(Color c) noexcept { return static_cast<int>(c & 0xff); }
inline constexpr int greenOf(Color c) noexcept { return static_cast<int>((c >> 8) & 0xff); }
inline constexpr int blueOf(Color c) noexcept { return static_cast<int>((c >> 16) & 0xff); }

// ---- Rounding and checked conversions --------------------------------------------------
// Nearest integer, an exact half going to the even neighbour.
inline double roundHalfEven(double v) noexcept { return std::nearbyint(v); }

// A floating-point value as a 16-bit integer, rounded half to even; a value outside the
// 16-bit range (or not a number) is an overflow.
inline std::int16_t toInt16(double v) {
    const double r = std::nearbyint(v);
    if (!(r >= -32768.0 && r <= 32767.0))
        throw ChartError(ChartError::Kind::Overflow, "value does not fit in 16 bits");
    return static_cast<std::int16_t>(r);
}

inline std::int32_t toInt32(double v) {
    const double r = std::nearbyint(v);
    if (!(r >= -2147483648.0 && r <= 2147483647.0))
        throw ChartError(ChartError::Kind::Overflow, "value does not fit in 32 bits");
    return static_cast<std::int32_t>(r);
}

// Whether a double can be stored in a 32-bit float: not too large, and a number.
inline bool fitsSingle(double v) noexcept {
    return !std::isnan(v) && std::fabs(v) <= static_cast<double>(std::numeric_limits<float>::max());
}

// A double stored in a 32-bit float; a value too large for a float (or not a number) is an
// overflow.
inline float toSingle(double v) {
    if (!fitsSingle(v))
        throw ChartError(ChartError::Kind::Overflow, "value does not fit in a 32-bit float");
    return static_cast<float>(v);
}

// a / b, failing on a zero divisor or an undefined result.
inline double divide(double a, double b) {
    if (b == 0.0) throw ChartError(ChartError::Kind::DivisionByZero, "division by zero");
    const double q = a / b;
    if (std::isnan(q) || std::isinf(q))
        throw ChartError(ChartError::Kind::Overflow, "division result out of range");
    return q;
}

// 16-bit integer arithmetic that fails instead of wrapping.
inline std::int16_t add16(long a, long b) {
    const long r = a + b;
    if (r < -32768 || r > 32767) throw ChartError(ChartError::Kind::Overflow, "16-bit overflow");
    return static_cast<std::int16_t>(r);
}

// ---- Reading numbers from text ---------------------------------------------------------
// The longest leading numeric prefix of a field: leading blanks skipped, an optional sign,
// digits with "." as the decimal point (whatever the locale) and an optional exponent; no
// thousands separators. A field with no leading number reads as 0.
double leadingNumber(const QString& text);

// The whole text as a number in the user's locale (blanks around it allowed, the locale's
// decimal separator, an optional exponent, no group separators). Empty when it is not one, or
// when it is too large for a double ("1e400"); a number nearer 0 than the smallest double
// ("1e-400") is 0.
std::optional<double> textToNumber(const QString& text);

} // namespace tk5
