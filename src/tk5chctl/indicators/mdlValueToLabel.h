// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include <QString>

namespace tk5 {

// A large count as a short label: above 100 it is divided by 1000 (" T"), again above 100
// (" M") and once more above 100 (" B"). Thousands and millions show one decimal ("2.5 M"),
// billions two ("0.25 B"); 100 or less, negative values included, gives the empty text.
QString ValueToLabel(float value);

} // namespace tk5
