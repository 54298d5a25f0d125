// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "surface/DrawingSurface.h"

namespace tk5 {

// A green upward buy arrow (is_buy) or a red downward sell arrow whose tip is at pixel
// (x, y), drawn with native pen lines on the surface.
void DrawArrow(float x, float y, DrawingSurface& hDC, bool is_buy);

} // namespace tk5
