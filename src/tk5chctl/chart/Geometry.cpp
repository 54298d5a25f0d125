#include "Geometry.h"

namespace tk5 {

std::int16_t dayUnderPosition(float x, float W, std::int16_t s, std::int16_t e) {
    const double slotCount = static_cast<double>(e) - s + 2;
    const double v = divide((static_cast<double>(W) - x) * slotCount, W) + s;
    return add16(toInt16(v), -1);
}

} // namespace tk5
