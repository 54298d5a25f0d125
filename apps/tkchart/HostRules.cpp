// SPDX-License-Identifier: BSD-3-Clause
#include "HostRules.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace tkchart {

std::pair<qint16, qint16> windowInside(qint16 first, qint16 last, qint16 days) {
    if (days < 1 || first <= days) return {first, last};
    const int length = last - first;
    const int newFirst = std::max(1, days - length);
    return {static_cast<qint16>(newFirst), static_cast<qint16>(newFirst + length)};
}

QStringList openableTickers(const QString& folder) {
    QStringList tickers;
    const QFileInfoList files = QDir(folder).entryInfoList(
        {QStringLiteral("*.csv")}, QDir::Files | QDir::Readable, QDir::Name);
    for (const QFileInfo& f : files) {
        const QString base = f.fileName().chopped(4);
        if (f.fileName().endsWith(QLatin1String(".csv")) && !base.isEmpty() &&
            base == base.toUpper() && !base.contains(QLatin1String("..")))
            tickers << base;
    }
    return tickers;
}

} // namespace tkchart
