#pragma once

#include "ChartState.h"

#include <QString>

#include <array>
#include <cstdint>

namespace tk5 {

// A pane's period setting: its key (stored prefixed by the pane's digit, "2RSI_periods"),
// its default and the field it fills.
struct PeriodKey {
    const char* key;
    std::int16_t fallback;
    std::int16_t IndicatorSettings::*field;
};

// In the order they are read at start-up and saved by "Apply now".
inline constexpr std::array<PeriodKey, 14> kPeriodKeys = {{
    {"RSI_periods", 14, &IndicatorSettings::rsi_periods},
    {"FS_periodsD", 5, &IndicatorSettings::fs_periods_d},
    {"FS_periodsK", 5, &IndicatorSettings::fs_periods_k},
    {"SS_periodsD", 5, &IndicatorSettings::ss_periods_d},
    {"SS_periodsK", 5, &IndicatorSettings::ss_periods_k},
    {"ExpMAperiods1", 10, &IndicatorSettings::exp_ma_periods1},
    {"ExpMAperiods2", 15, &IndicatorSettings::exp_ma_periods2},
    {"MACDperiods1", 12, &IndicatorSettings::macd_periods1},
    {"MACDperiods2", 26, &IndicatorSettings::macd_periods2},
    {"MACDperiods3", 5, &IndicatorSettings::macd_periods3},
    {"Momentumperiods", 12, &IndicatorSettings::momentum_periods},
    {"Volatilityperiods1", 10, &IndicatorSettings::volatility_periods1},
    {"Volatilityperiods2", 10, &IndicatorSettings::volatility_periods2},
    {"MoneyFlowperiods", 10, &IndicatorSettings::money_flow_periods},
}};

inline QString periodKey(int pane, const PeriodKey& k) {
    return QString::number(pane) + QLatin1String(k.key);
}

// The indicator kinds of panes 1, 2, 3 ("Tech1".."Tech3") when the store names none:
// Volume, Fast Stochastic, Exp. MA Difference.
inline constexpr std::array<std::int16_t, 3> kDefaultKinds = {Volume, FastStochastic,
                                                              ExpMADifference};

inline QString kindKey(int pane) { return QStringLiteral("Tech") + QString::number(pane); }

} // namespace tk5
