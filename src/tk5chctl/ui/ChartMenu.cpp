// SPDX-License-Identifier: BSD-3-Clause
#include "ChartMenu.h"

#include <QAction>
#include <QMenu>

namespace tk5 {

namespace {

QAction* item(QMenu* menu, const char* name, const char* caption, bool checkable) {
    QAction* a = menu->addAction(QString::fromLatin1(caption));
    a->setObjectName(QString::fromLatin1(name));
    a->setCheckable(checkable);
    return a;
}

QMenu* submenu(QMenu* menu, const char* name, const char* caption) {
    QMenu* sub = menu->addMenu(QString::fromLatin1(caption));
    sub->setObjectName(QString::fromLatin1(name));
    sub->menuAction()->setObjectName(QString::fromLatin1(name));
    return sub;
}

void separator(QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}

// Which flag checks which item.
struct Check {
    const char* item;
    Flag ChartState::*flag;
};
constexpr Check kChecks[] = {
    {"mnuPopupHideChart", &ChartState::chart_hidden},
    {"mnuPopupHighLowClose", &ChartState::show_high_low_close},
    {"mnuPopupMA10Days", &ChartState::show_ma10},
    {"mnuPopupMA50Days", &ChartState::show_ma50},
    {"mnuPopupMA200Days", &ChartState::show_ma200},
    {"mnuPopupMACustom", &ChartState::show_ma_custom},
    {"mnuPriceIndicatorsBands", &ChartState::show_bands},
    {"mnuPriceIndicatorsEnvelopes", &ChartState::show_envelopes},
    {"mnuGridSettingsHorizontal", &ChartState::show_horizontal_grid},
    {"mnuGridSettingsVertical", &ChartState::show_vertical_grid},
};

} // namespace

QMenu* createChartMenu(QWidget* parent) {
    auto* menu = new QMenu(QStringLiteral("Popup"), parent);
    menu->setObjectName(QStringLiteral("mnuPopup"));
    QMenu* ma = submenu(menu, "mnuPopupMA", "Moving  Averages");
    item(ma, "mnuPopupMA10Days", "10 Days", true);
    item(ma, "mnuPopupMA50Days", "50 Days", true);
    item(ma, "mnuPopupMA200Days", "200 Days", true);
    separator(ma, "mnuPopupMASeparator");
    item(ma, "mnuPopupMACustom", "Custom", true);
    QMenu* price = submenu(menu, "mnuPriceIndicators", "Price Indicators");
    item(price, "mnuPriceIndicatorsBands", "Bollinger Bands", true);
    item(price, "mnuPriceIndicatorsEnvelopes", "Envelopes", true);
    item(menu, "mnuPopupHighLowClose", "High-Low-Close", true);
    separator(menu, "mnuPopupSep2");
    QMenu* grid = submenu(menu, "mnuGridSettings", "Grid Settings");
    item(grid, "mnuGridSettingsVertical", "Vertical", true);
    item(grid, "mnuGridSettingsHorizontal", "Horizontal", true);
    separator(menu, "mnuPopupSep");
    item(menu, "mnuPopupTimeRange", "Time Range", false);
    separator(menu, "mnuPopupSep3");
    item(menu, "mnuPopupRecordBuy", "Record &Buy", false);
    item(menu, "mnuPopupRecordSell", "Record &Sell", false);
    item(menu, "mnuPopupHideChart", "Hide Chart", true)->setVisible(false);
    return menu;
}

QAction* menuItem(const QMenu& menu, const char* name) {
    return menu.findChild<QAction*>(QString::fromLatin1(name));
}

void setChartMenuChecks(const QMenu& menu, const ChartState& st) {
    for (const Check& c : kChecks)
        if (QAction* a = menuItem(menu, c.item)) a->setChecked(st.*(c.flag) != 0);
}

} // namespace tk5
