// SPDX-License-Identifier: BSD-3-Clause
#include "mdlDrawArrow.h"

#include "common/Numbers.h"

namespace tk5 {

void DrawArrow(float x, float y, DrawingSurface& hDC, bool is_buy) {
    // A buy arrow points up from below its tip, a sell arrow down from above it: the sell
    // is the buy mirrored at the tip's row.
    const Color pen = is_buy ? RGB(0, 180, 0) : RGB(180, 0, 0);
    const double dir = is_buy ? 1.0 : -1.0;
    // Each line as offsets from the tip: (dx1, dy1) to (dx2, dy2), dy pointing away from
    // the tip; the end point is not painted.
    static constexpr int kLines[6][4] = {
        {0, 0, 0, 12},   // shaft centre from the tip
        {-1, 1, -1, 12}, // shaft left
        {1, 1, 1, 12},   // shaft right
        {2, 2, -3, 2},   // head, 5 pixels
        {3, 3, -4, 3},   // head, 7 pixels
        {4, 4, -5, 4},   // head, 9 pixels
    };
    const double tx = x, ty = y;
    for (const auto& l : kLines)
        hDC.PenLine(toInt32(tx + l[0]), toInt32(ty + dir * l[1]), toInt32(tx + l[2]),
                    toInt32(ty + dir * l[3]), pen);
}

} // namespace tk5
