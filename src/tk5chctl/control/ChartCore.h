#pragma once

#include "ChartState.h"
#include "ChartSurfaces.h"
#include "SettingsStore.h"

#include <QString>
#include <QVariant>

#include <cstdint>
#include <functional>

namespace tk5 {

// The control without its widgets: the state, the nine surfaces it draws on and the
// public operations, each a thin call into the drawing and data modules. TKchart wires its
// child widgets to one of these; tests and the headless renderer use it directly.
class ChartCore {
public:
    ChartCore();

    ChartState& state() { return state_; }
    const ChartState& state() const { return state_; }
    const ChartSurfaces& surfaces() const { return surfaces_; }
    void setSurfaces(const ChartSurfaces& surfaces) { surfaces_ = surfaces; }

    // Where settings are read (never owned); null means none, so every key reads as its
    // default.
    void setSettingsStore(SettingsStore* store) { settings_ = store; }
    SettingsStore* settingsStore() const { return settings_; }

    // Folder of the history files; empty means histDirectory().
    void setHistDir(const QString& dir) { histDir_ = dir; }
    QString histDir() const;

    // Raised at the end of every complete indicator drawing.
    std::function<void()> onDrawComplete;
    // Called when the caption texts in the state may have changed.
    std::function<void()> onCaptionChanged;

    // ---- the programming interface --------------------------------------------------
    QVariant ReadDataFile(const QString& ticker, bool& b_Today_flag);
    void DrawPriceRuler(std::int16_t& starting_date, std::int16_t& ending_date);
    void DisplayChart(std::int16_t& starting_date, std::int16_t& ending_date);
    float MaximumPrice() const;
    float MinimumPrice() const;
    float GetMaximumPrice(std::int16_t starting_date, std::int16_t ending_date) const;
    float GetMinimumPrice(std::int16_t starting_date, std::int16_t ending_date) const;
    void Clear();
    void DrawDateRuler(std::int16_t& starting_date, std::int16_t& ending_date);
    void DrawBuy(float x);
    void DrawSell(float x);
    void DisplayTechnicalIndicators(std::int16_t indicator1, std::int16_t indicator2,
                                    std::int16_t indicator3);
    std::int16_t ConvertDateToInteger(const QString& str_date) const;
    QString StartingDate() const;
    QString EndingDate() const;
    QVariant convert_trading_date(const QString& input_date) const;

    // Clear, price ruler, date ruler, chart and the three panes over the current window.
    void FullRedraw();

    // Band colour of the indicator panes: "BkgRulers", default 0x340000.
    Color paneBandColor() const;

private:
    QString dateOfDay(std::int16_t day) const;

    ChartState state_;
    ChartSurfaces surfaces_;
    SettingsStore* settings_ = nullptr;
    QString histDir_;
};

} // namespace tk5
