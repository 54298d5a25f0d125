// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "ChartState.h"
#include "SettingsStore.h"

#include <array>

namespace tk5 {

// Reading and writing the control's keys in the settings store: colours, the panes'
// indicators and their periods. Nothing else in the library knows the key names.

// The colours of the seven colour keys, in the order they are read and applied.
struct ChartColors {
    Color chart;      // "BkgChart": the price chart
    Color rulers;     // "BkgRulers": the five rulers and the caption labels
    Color tech1;      // "BkgTech1": pane 1
    Color tech2;      // "BkgTech2": pane 2
    Color tech3;      // "BkgTech3": pane 3
    Color buySell;    // "BkgBuySell": the transaction list
    Color rulersText; // "BkgRulersText": the rulers' and the caption's text
};
// At start-up: white chart, panes and list; black rulers with white text.
inline constexpr ChartColors kStartUpColors{0xFFFFFF, 0x000000, 0xFFFFFF, 0xFFFFFF,
                                            0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
// In SetColors: pale yellow chart and panes, light grey list.
inline constexpr ChartColors kSetColorsColors{0xC4FFFF, 0x000000, 0xC4FFFF, 0xC4FFFF,
                                              0xC4FFFF, 0xEFEFEF, 0xFFFFFF};

// A colour key read as a 32-bit integer; a value that is missing, not a whole number or
// outside 0..0xFFFFFF counts as the default.
Color readColor(const SettingsStore& store, const QString& key, Color fallback);
// The seven colour keys, each with its default from `defaults`.
ChartColors readColors(const SettingsStore& store, const ChartColors& defaults);
// The margin bands of the indicator panes: "BkgRulers", read like every colour, defaulting to
// a dark blue (0x340000); that default too when there is no store.
Color readPaneBandColor(const SettingsStore* store);

// "LookupHost": the host (and port) of the company-name lookup service; the default when the
// store has none or there is no store.
QString readLookupHost(const SettingsStore* store, const QString& fallback);

// The fourteen period keys of each pane ("1RSI_periods" .. "3MoneyFlowperiods"), then the
// kinds "Tech1".."Tech3". A value that is missing, not a whole number or outside 16 bits
// counts as the key's default (the periods of a new IndicatorSettings, the kinds 1, 3, 6).
void readPaneSettings(const SettingsStore& store, std::array<IndicatorSettings, 3>& panes);
// The fourteen periods of panes 1, 2, 3 as decimal text, pane by pane in the order they are
// read.
void savePeriods(SettingsStore& store, const std::array<IndicatorSettings, 3>& panes);
// "Tech1".."Tech3" as decimal text.
void saveKinds(SettingsStore& store, const std::array<IndicatorSettings, 3>& panes);

} // namespace tk5
