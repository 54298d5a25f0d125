// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "Navigation.h"

#include "model/ChartState.h"
#include "model/SettingsStore.h"
#include "model/StoredSettings.h"
#include "model/Transactions.h"
#include "print/PrintOutput.h"
#include "surface/ChartSurfaces.h"

#include <QString>
#include <QVariant>

#include <array>
#include <cstdint>
#include <functional>

namespace tk5 {

// The control without its widgets: the chart state, the nine surfaces it draws on, and the
// operations of its programming interface, each a thin call into the data, chart and
// indicator modules. Every change that shows a new picture ends in FullRedraw(). The widget
// wires its children to one of these; tests and hosts without a window use it directly.
class ChartCore {
public:
    // The overlay settings are shared with every other chart of the library; the core reads
    // them at every drawing and never owns them.
    explicit ChartCore(OverlaySettings& overlays);

    ChartState& state() { return state_; }
    const ChartState& state() const { return state_; }
    void setSurfaces(const ChartSurfaces& surfaces) { surfaces_ = surfaces; }
    const ChartSurfaces& surfaces() const { return surfaces_; }

    // Where settings are read and saved (never owned); null means none, so every key reads as
    // its default and nothing is saved.
    void setSettingsStore(SettingsStore* store) { settings_ = store; }

    // Folder of the history files; empty means histDirectory().
    void setHistDir(const QString& dir) { histDir_ = dir; }
    QString histDir() const;

    // Raised at the end of every complete indicator drawing.
    std::function<void()> onDrawComplete;
    // Told the caption text each time a load or a crosshair move sets it.
    std::function<void(const QString& caption)> onCaptionChanged;
    // Told after every change of the transaction list or its gain captions.
    std::function<void()> onTransactionsChanged;
    // Told a warning for the user (a refused sell, a full list).
    std::function<void(const QString& text)> onWarning;
    // Told the change text and its colour each time a crosshair move sets them.
    std::function<void(const QString& change, Color color)> onChangeTextChanged;

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
    void UpdateCaption(float x);
    void RecordBuy(float x);
    void RecordSell(float x);
    void DrawBuy(float x);
    void DrawSell(float x);
    void ClearBuysSells();
    void DisplayTechnicalIndicators(std::int16_t indicator1, std::int16_t indicator2,
                                    std::int16_t indicator3);
    void SaveChartInFile(const QString& filepath) const;
    // Reads the whole file first: a file that fails leaves the chart as it was.
    void OpenChartFromFile(const QString& filepath);
    void FillListView();
    void GoBackward();
    void GoForward();
    void ZoomIn();
    void ZoomOut();
    std::int16_t ConvertDateToInteger(const QString& str_date) const;
    QString StartingDate() const;
    QString EndingDate() const;
    QString PrintTransactionsReport() const;
    void CalculateSumGain();
    void CalculateCumGain();
    QVariant convert_trading_date(const QString& input_date) const;
    // The chart on one printed page to the target, each call on the page also kept in `log`
    // when set. Changes nothing in the chart.
    void PrintEntireChart(const PrintTarget& target, DrawLog* log) const;

    // ---- the redraw and the operations that end in it --------------------------------
    // The one full redraw: Clear, the price ruler, the date ruler, the chart and the three
    // panes over starting_date_local..ending_date_local (the chart may lower the end to the
    // oldest loaded day). A failing step ends it with ChartError; what was drawn stays.
    void FullRedraw();

    // "Apply now" of the Indicators tab: takes the panes' kinds and periods, saves the
    // periods, redraws, then saves the kinds. When the redraw fails the periods stay taken
    // and saved, the kinds are not saved, and the ChartError reaches the caller.
    void applyIndicatorSettings(const std::array<IndicatorSettings, 3>& panes);

    // The "<<" and ">>" buttons: five days back or forward and the full redraw; false (and
    // nothing drawn) when the step would pass the oldest loaded day or day 1.
    bool stepBackward();
    bool stepForward();
    // The window of the same width at the newest or the oldest loaded days, redrawn.
    void goNewest();
    void goOldest();

    // ---- the transaction list ----------------------------------------------------------
    const TransactionList& transactions() const { return list_; }
    // Deletes the transaction at row (0-based; only the last row can be), redrawing after
    // each change of the counts, then computes both gains.
    void deleteTransaction(int row);
    // No rows, the gain labels as at start-up; the records stay.
    void clearTransactionList();
    // Both gains computed again (after a cancelled deletion too).
    void calculateGains();

    // ---- the crosshair -----------------------------------------------------------------
    // The vertical line to X (twips on the price chart) with the caption of its day; the
    // dashed horizontal line to Y. Neither redraws anything.
    void moveVerticalLine(float X);
    void moveHorizontalLine(float Y);
    // The x (twips on the price chart) of a day of the shown window, whose day under it is
    // that day; ChartError when the window gives it no position.
    float xOfDay(std::int16_t day) const;
    // The vertical line one day older (days > 0) or newer, kept inside the shown loaded days;
    // from the newest shown day when no line is displayed.
    void moveVerticalLineByDays(int days);

    // Colours and the panes' indicators and periods as the settings store gives them (the
    // colours with these defaults); the state takes the panes'.
    ChartColors readColors(const ChartColors& defaults) const;
    void readPaneSettings();

private:
    QString dateOfDay(std::int16_t day) const;
    // Stores a new window and redraws it.
    void showWindow(DayWindow w);
    DayWindow window() const;
    // The window a step makes of the current one; a day index leaving 16 bits fails with a
    // ChartError that names the window.
    template <typename Step> auto moved(Step step) const;

    // Redraws `times` times, then runs `after` even when a redraw failed; the failure then
    // reaches the caller.
    void redrawThen(int times, const std::function<void()>& after);
    void transactionsChanged() {
        if (onTransactionsChanged) onTransactionsChanged();
    }
    void warn(const QString& text) {
        if (onWarning) onWarning(text);
    }

    ChartState state_;
    TransactionList list_;
    OverlaySettings& overlays_;
    ChartSurfaces surfaces_;
    SettingsStore* settings_ = nullptr;
    QString histDir_;
};

} // namespace tk5
