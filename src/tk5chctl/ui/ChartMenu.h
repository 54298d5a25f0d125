// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "model/ChartState.h"

class QAction;
class QMenu;
class QWidget;

namespace tk5 {

// The price chart's popup menu "mnuPopup": the moving averages, price indicators, the bar
// style, grid settings, Time Range, Record Buy and Record Sell, each item a QAction named as
// the menu item (mnuPopupMA10Days, mnuPriceIndicatorsBands, ...). The overlay items are
// checkable; Hide Chart exists but is not shown. The caller connects the items.
QMenu* createChartMenu(QWidget* parent);

// The item of that name in the menu, or null.
QAction* menuItem(const QMenu& menu, const char* name);

// Every check mark set from the state's flags.
void setChartMenuChecks(const QMenu& menu, const ChartState& st);

} // namespace tk5
