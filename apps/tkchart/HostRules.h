// SPDX-License-Identifier: BSD-3-Clause
#pragma once

// What tkchart decides on its own, apart from its window: which tickers it offers and where
// it moves the window for a new history.

#include <QString>
#include <QStringList>

#include <utility>

namespace tkchart {

// The window first..last moved inside a history of `days` days: a window that starts past
// the oldest day keeps its length and starts so that it ends on the oldest day (or at day 1
// for a history shorter than the window). A window that starts inside is kept.
std::pair<qint16, qint16> windowInside(qint16 first, qint16 last, qint16 days);

// The tickers whose history files in `folder` the control can open, sorted: it reads the
// upper-cased ticker with ".csv", so only such file names are offered.
QStringList openableTickers(const QString& folder);

} // namespace tkchart
