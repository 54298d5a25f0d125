#include "ChartState.h"

namespace tk5 {

OverlaySettings& overlaySettings() {
    static OverlaySettings settings;
    return settings;
}

} // namespace tk5
