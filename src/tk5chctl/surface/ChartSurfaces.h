// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "DrawingSurface.h"

namespace tk5 {

// The nine drawing surfaces of one control, by their names.
struct ChartSurfaces {
    DrawingSurface* Picture1 = nullptr;   // price chart
    DrawingSurface* PriceRuler = nullptr; // left of the chart
    DrawingSurface* DateRuler = nullptr;  // under the chart
    DrawingSurface* Picture2 = nullptr;   // pane 1 plot
    DrawingSurface* Picture3 = nullptr;   // pane 2 plot
    DrawingSurface* Picture4 = nullptr;   // pane 3 plot
    DrawingSurface* TechRuler1 = nullptr; // pane 1 ruler
    DrawingSurface* TechRuler2 = nullptr; // pane 2 ruler
    DrawingSurface* TechRuler3 = nullptr; // pane 3 ruler

    // Pane p = 1, 2, 3.
    DrawingSurface& plot(int p) const {
        return *(p == 1 ? Picture2 : p == 2 ? Picture3 : Picture4);
    }
    DrawingSurface& ruler(int p) const {
        return *(p == 1 ? TechRuler1 : p == 2 ? TechRuler2 : TechRuler3);
    }
};

} // namespace tk5
