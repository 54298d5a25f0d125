// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include <QDate>
#include <QString>

#include <optional>

namespace tk5 {

// Number formats. All use the decimal separator of the user's locale (QLocale()).

// "####0.00" (decimals = 2) and "####0.0" (decimals = 1): no thousands separator, at least
// one digit before the separator, a leading minus sign when negative.
QString formatFixed(double value, int decimals);

// "###.00": two decimals, no digit before the separator when the value is below 1
// (0.5 gives ".50").
QString formatNoLeadingZero(double value);

// The general number format of a 32-bit value: up to 7 significant digits, no trailing
// zeros, no fixed decimals (12.5, 100, 0.05).
QString formatGeneral(float value);
// The same for a double-precision value (up to 15 significant digits).
QString formatGeneral(double value);

// Date reading: accepts 2001-01-31, 31-Jan-01, 31-Jan-2001, 1/31/2001 and the locale's own
// short and long forms. Two-digit years 00-29 are 2000-2029, 30-99 are 1930-1999.
std::optional<QDate> readDate(const QString& text);

// Date patterns built from "d", "dd", "mmm", "yy", "yyyy" and literal separators, such as
// "d", "mmm", "yy", "mmm,yy", "dd,mmm,yyyy"; month names are the locale's abbreviated ones.
QString formatDate(const QDate& date, const QString& pattern);

} // namespace tk5
