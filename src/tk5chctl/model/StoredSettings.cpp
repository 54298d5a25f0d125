// SPDX-License-Identifier: BSD-3-Clause
#include "StoredSettings.h"

#include <cmath>
#include <optional>

namespace tk5 {

QString readLookupHost(const SettingsStore* store, const QString& fallback) {
    const QString host = store ? store->value(QStringLiteral("LookupHost")).trimmed() : QString();
    return host.isEmpty() ? fallback : host;
}

namespace {

// A pane's period setting: its key, stored prefixed by the pane's digit ("2RSI_periods"), and
// the field it fills. In the order they are read at start-up and saved by "Apply now".
struct PeriodKey {
    const char* key;
    std::int16_t IndicatorSettings::*field;
};
constexpr std::array<PeriodKey, 14> kPeriodKeys = {{
    {"RSI_periods", &IndicatorSettings::rsi_periods},
    {"FS_periodsD", &IndicatorSettings::fs_periods_d},
    {"FS_periodsK", &IndicatorSettings::fs_periods_k},
    {"SS_periodsD", &IndicatorSettings::ss_periods_d},
    {"SS_periodsK", &IndicatorSettings::ss_periods_k},
    {"ExpMAperiods1", &IndicatorSettings::exp_ma_periods1},
    {"ExpMAperiods2", &IndicatorSettings::exp_ma_periods2},
    {"MACDperiods1", &IndicatorSettings::macd_periods1},
    {"MACDperiods2", &IndicatorSettings::macd_periods2},
    {"MACDperiods3", &IndicatorSettings::macd_periods3},
    {"Momentumperiods", &IndicatorSettings::momentum_periods},
    {"Volatilityperiods1", &IndicatorSettings::volatility_periods1},
    {"Volatilityperiods2", &IndicatorSettings::volatility_periods2},
    {"MoneyFlowperiods", &IndicatorSettings::money_flow_periods},
}};

QString periodKey(int pane, const PeriodKey& k) {
    return QString::number(pane) + QLatin1String(k.key);
}

QString kindKey(int pane) { return QStringLiteral("Tech") + QString::number(pane); }

constexpr Color kDefaultBandColor = 0x340000;

// Pane p's indicator kind. A stored value that is not a number counts as the pane's default;
// a number too large for 16 bits is still a kind outside 1..10, so it reads as 0 (no kind, the
// pane stays empty) rather than as the default.
std::int16_t readKind(const SettingsStore& store, int p) {
    const QString text = store.value(kindKey(p));
    const std::optional<double> v = text.isNull() ? std::nullopt : textToNumber(text);
    if (!v) return kDefaultKinds[size_t(p - 1)];
    const double kind = std::nearbyint(*v);
    return kind >= -32768.0 && kind <= 32767.0 ? static_cast<std::int16_t>(kind) : std::int16_t{0};
}

} // namespace

Color readColor(const SettingsStore& store, const QString& key, Color fallback) {
    const std::int32_t v = store.readInt32(key, static_cast<std::int32_t>(fallback));
    if (v < 0 || v > 0xFFFFFF) return fallback;
    return static_cast<Color>(v);
}

ChartColors readColors(const SettingsStore& store, const ChartColors& d) {
    return {readColor(store, QStringLiteral("BkgChart"), d.chart),
            readColor(store, QStringLiteral("BkgRulers"), d.rulers),
            readColor(store, QStringLiteral("BkgTech1"), d.tech1),
            readColor(store, QStringLiteral("BkgTech2"), d.tech2),
            readColor(store, QStringLiteral("BkgTech3"), d.tech3),
            readColor(store, QStringLiteral("BkgBuySell"), d.buySell),
            readColor(store, QStringLiteral("BkgRulersText"), d.rulersText)};
}

Color readPaneBandColor(const SettingsStore* store) {
    return store ? readColor(*store, QStringLiteral("BkgRulers"), kDefaultBandColor)
                 : kDefaultBandColor;
}

void readPaneSettings(const SettingsStore& store, std::array<IndicatorSettings, 3>& panes) {
    const IndicatorSettings defaults;
    for (int p = 1; p <= 3; ++p)
        for (const PeriodKey& k : kPeriodKeys)
            panes[size_t(p - 1)].*k.field = store.readInt16(periodKey(p, k), defaults.*k.field);
    for (int p = 1; p <= 3; ++p)
        panes[size_t(p - 1)].kind = readKind(store, p);
}

void savePeriods(SettingsStore& store, const std::array<IndicatorSettings, 3>& panes) {
    for (int p = 1; p <= 3; ++p)
        for (const PeriodKey& k : kPeriodKeys)
            store.setValue(periodKey(p, k), QString::number(panes[size_t(p - 1)].*k.field));
}

void saveKinds(SettingsStore& store, const std::array<IndicatorSettings, 3>& panes) {
    for (int p = 1; p <= 3; ++p)
        store.setValue(kindKey(p), QString::number(panes[size_t(p - 1)].kind));
}

} // namespace tk5
