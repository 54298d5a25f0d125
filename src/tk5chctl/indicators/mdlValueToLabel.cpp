// SPDX-License-Identifier: BSD-3-Clause
#include "mdlValueToLabel.h"

#include "common/Formats.h"

namespace tk5 {

QString ValueToLabel(float value) {
    float v = value;
    QString suffix;
    if (v > 100) {
        v = static_cast<float>(v / 1000.0);
        suffix = QStringLiteral(" T");
    }
    if (v > 100 && suffix == QLatin1String(" T")) {
        v = static_cast<float>(v / 1000.0);
        suffix = QStringLiteral(" M");
    }
    if (v > 100 && suffix == QLatin1String(" M")) {
        v = static_cast<float>(v / 1000.0);
        suffix = QStringLiteral(" B");
    }
    if (suffix.isEmpty()) return {};
    return formatFixed(v, suffix == QLatin1String(" B") ? 2 : 1) + suffix;
}

} // namespace tk5
