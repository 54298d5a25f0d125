// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include <cstdint>

class QLineEdit;

namespace tk5 {

class Prompts;

// What checking one period box found.
enum class FieldCheck {
    Valid,      // a number within [min, max]
    NotANumber, // "Numeric expression required"
    BelowMin,   // "The value has to be greater than <min>"
    AboveMax,   // "The value has to be less than <max>"
};

// Checks the text of a box as a number within [min, max], both bounds included. A text that
// fails is told to the user through the prompts, with the box painted red (RGB 255, 0, 0)
// for as long as the message is shown and white (RGB 255, 255, 255) afterwards:
//   not a number:  "Numeric expression required", exclamation icon;
//   below min:     "The value has to be greater than " + min in decimal, no icon;
//   above max:     "The value has to be less than " + max in decimal, no icon.
//
// The text is read as a number the way textToNumber() reads it, in the user's locale:
// blanks around the number are allowed; the locale's decimal separator and an exponent are
// accepted ("1e2" is 100); a leading "+" or "-" is accepted; group separators are not, so
// "2,5" in an English locale is not a number; an empty text, hexadecimal or currency
// notations, infinity and NaN are not numbers either. A number that overflows a double
// ("1e400") is not a number; one nearer 0 than the smallest double ("1e-400") is 0.
// Fractions are checked as they are ("0.5" is below 1, "300.4" above 300); rounding to whole
// periods is the caller's business.
FieldCheck CheckField(QLineEdit& box, std::int16_t min, std::int16_t max, Prompts& prompts);

// True when CheckField finds the box valid.
bool ValidateField(QLineEdit& box, std::int16_t min, std::int16_t max, Prompts& prompts);

} // namespace tk5
