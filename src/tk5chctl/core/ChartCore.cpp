// SPDX-License-Identifier: BSD-3-Clause
#include "ChartCore.h"

#include "chart/Crosshair.h"
#include "chart/DateRuler.h"
#include "chart/Marks.h"
#include "chart/PriceChart.h"
#include "chart/PriceRuler.h"
#include "chartfile/ChartFile.h"
#include "data/HistoryFile.h"
#include "indicators/TechnicalIndicators.h"
#include "transactions/Gains.h"
#include "transactions/Records.h"

#include "common/DayAxis.h"

#include <algorithm>
#include <exception>
#include <string>

namespace tk5 {

ChartCore::ChartCore(OverlaySettings& overlays) : overlays_(overlays) {}

QString ChartCore::histDir() const { return histDir_.isEmpty() ? histDirectory() : histDir_; }

QVariant ChartCore::ReadDataFile(const QString& ticker, bool& b_Today_flag) {
    const QString caption = tk5::ReadDataFile(state_, ticker, b_Today_flag, histDir());
    if (onCaptionChanged) onCaptionChanged(caption);
    return {};
}

void ChartCore::DrawPriceRuler(std::int16_t& starting_date, std::int16_t& ending_date) {
    tk5::DrawPriceRuler(state_, surfaces_, starting_date, ending_date);
}

void ChartCore::DisplayChart(std::int16_t& starting_date, std::int16_t& ending_date) {
    tk5::DisplayChart(state_, overlays_, surfaces_, starting_date, ending_date);
}

float ChartCore::MaximumPrice() const {
    return GetMaximumPrice(state_.starting_date_local, state_.ending_date_local);
}

float ChartCore::MinimumPrice() const {
    return GetMinimumPrice(state_.starting_date_local, state_.ending_date_local);
}

float ChartCore::GetMaximumPrice(std::int16_t starting_date, std::int16_t ending_date) const {
    return tk5::GetMaximumPrice(state_.series, starting_date, ending_date);
}

float ChartCore::GetMinimumPrice(std::int16_t starting_date, std::int16_t ending_date) const {
    return tk5::GetMinimumPrice(state_.series, starting_date, ending_date);
}

void ChartCore::Clear() { tk5::Clear(state_, surfaces_); }

void ChartCore::DrawDateRuler(std::int16_t& starting_date, std::int16_t& ending_date) {
    tk5::DrawDateRuler(state_, surfaces_, starting_date, ending_date);
}

void ChartCore::UpdateCaption(float x) {
    const CaptionTexts t = captionAt(state_, surfaces_.Picture1->Width(), x);
    if (t.caption && onCaptionChanged) onCaptionChanged(*t.caption);
    if (onChangeTextChanged) onChangeTextChanged(t.change, t.changeColor);
}

void ChartCore::moveVerticalLine(float X) {
    tk5::moveVerticalLine(state_, surfaces_, X, [this](float x) { UpdateCaption(x); });
}

void ChartCore::moveHorizontalLine(float Y) { tk5::moveHorizontalLine(state_, surfaces_, Y); }

void ChartCore::moveVerticalLineByDays(int days) {
    const float W = surfaces_.Picture1->Width();
    const std::int16_t s = state_.starting_date_local;
    const std::int16_t oldest = std::min(state_.ending_date_local, state_.series.day_count);
    if (oldest < s) return;
    std::int16_t day = s;
    if (isSet(state_.isVerticalLineDisplayed)) {
        const std::optional<std::int16_t> under = dayUnder(state_, W, state_.OldVerticalLineX);
        if (under) day = static_cast<std::int16_t>(std::clamp<long>(*under + days, s, oldest));
    }
    moveVerticalLine(DayAxis(W, s, state_.ending_date_local).x(day));
}

void ChartCore::RecordBuy(float x) {
    switch (recordBuy(state_, list_, *surfaces_.Picture1, x)) {
    case Recorded::Done:
        transactionsChanged();
        break;
    case Recorded::Full:
        warn(QStringLiteral("No more than 250 buys can be recorded."));
        break;
    default:
        break;
    }
}

void ChartCore::RecordSell(float x) {
    const Recorded r = recordSell(state_, list_, *surfaces_.Picture1, x);
    if (r == Recorded::NotADay) return;
    if (r == Recorded::BeforeBuy)
        warn(QStringLiteral("You can't sell the security before you bought it"));
    else if (r == Recorded::Full)
        warn(QStringLiteral("No more than 250 sells can be recorded."));
    calculateGains();
}

void ChartCore::ClearBuysSells() {
    state_.buy_number = 0;
    state_.sell_number = 0;
    list_ = TransactionList{};
    redrawThen(1, [this] { transactionsChanged(); });
}

void ChartCore::SaveChartInFile(const QString& filepath) const {
    tk5::SaveChartInFile(state_, filepath);
}

float ChartCore::xOfDay(std::int16_t day) const {
    return DayAxis(surfaces_.Picture1->Width(), state_.starting_date_local,
                   state_.ending_date_local)
        .x(day);
}

void ChartCore::PrintEntireChart(const PrintTarget& target, DrawLog* log) const {
    printChart({state_, overlays_.custom_ma_periods, log}, target);
}

void ChartCore::OpenChartFromFile(const QString& filepath) {
    applyChartFile(state_, readChartFile(filepath));
}

void ChartCore::clearTransactionList() {
    list_ = TransactionList{};
    transactionsChanged();
}

void ChartCore::FillListView() {
    fillList(state_, list_);
    transactionsChanged();
}

QString ChartCore::PrintTransactionsReport() const {
    return tk5::PrintTransactionsReport(state_, list_);
}

void ChartCore::CalculateSumGain() {
    tk5::CalculateSumGain(state_, list_);
    transactionsChanged();
}

void ChartCore::CalculateCumGain() {
    tk5::CalculateCumGain(state_, list_);
    transactionsChanged();
}

void ChartCore::calculateGains() {
    tk5::CalculateSumGain(state_, list_);
    tk5::CalculateCumGain(state_, list_);
    transactionsChanged();
}

void ChartCore::deleteTransaction(int row) {
    redrawThen(deleteLastTransaction(state_, list_, row), [this] { calculateGains(); });
}

void ChartCore::redrawThen(int times, const std::function<void()>& after) {
    std::exception_ptr failure;
    try {
        for (int i = 0; i < times; ++i)
            FullRedraw();
    } catch (...) {
        failure = std::current_exception();
    }
    after();
    if (failure) std::rethrow_exception(failure);
}

void ChartCore::DrawBuy(float x) { tk5::DrawBuy(state_, *surfaces_.Picture1, x); }

void ChartCore::DrawSell(float x) { tk5::DrawSell(state_, *surfaces_.Picture1, x); }

void ChartCore::DisplayTechnicalIndicators(std::int16_t indicator1, std::int16_t indicator2,
                                           std::int16_t indicator3) {
    tk5::DisplayTechnicalIndicators(state_, surfaces_, indicator1, indicator2, indicator3,
                                    readPaneBandColor(settings_));
    if (onDrawComplete) onDrawComplete();
}

void ChartCore::showWindow(DayWindow w) {
    state_.starting_date_local = w.s;
    state_.ending_date_local = w.e;
    FullRedraw();
}

DayWindow ChartCore::window() const {
    return {state_.starting_date_local, state_.ending_date_local};
}

template <typename Step> auto ChartCore::moved(Step step) const {
    const DayWindow w = window();
    try {
        return step(w);
    } catch (const ChartError& e) {
        if (e.kind() != ChartError::Kind::Overflow) throw;
        throw ChartError(ChartError::Kind::Overflow,
                         "The window of days " + std::to_string(w.s) + " to " +
                             std::to_string(w.e) +
                             " cannot be moved or resized: a day index would leave the range "
                             "-32768 to 32767");
    }
}

void ChartCore::GoBackward() {
    showWindow(moved([this](DayWindow w) { return windowBackward(w, state_.series.day_count); }));
}
void ChartCore::GoForward() { showWindow(moved(windowForward)); }
void ChartCore::ZoomIn() { showWindow(moved(windowZoomedIn)); }
void ChartCore::ZoomOut() {
    showWindow(moved([this](DayWindow w) { return windowZoomedOut(w, state_.series.day_count); }));
}

bool ChartCore::stepBackward() {
    const std::optional<DayWindow> w =
        moved([this](DayWindow now) { return windowStepBack(now, state_.series.day_count); });
    if (w) showWindow(*w);
    return w.has_value();
}

bool ChartCore::stepForward() {
    const std::optional<DayWindow> w = moved(windowStepForward);
    if (w) showWindow(*w);
    return w.has_value();
}

void ChartCore::goNewest() { showWindow(moved(windowNewest)); }
void ChartCore::goOldest() {
    showWindow(moved([this](DayWindow w) { return windowOldest(w, state_.series.day_count); }));
}

std::int16_t ChartCore::ConvertDateToInteger(const QString& str_date) const {
    return tk5::ConvertDateToInteger(state_.series, str_date);
}

QString ChartCore::dateOfDay(std::int16_t day) const {
    return state_.series.price_date.contains(day) ? state_.series.price_date[day] : QString();
}

QString ChartCore::StartingDate() const { return dateOfDay(state_.starting_date_local); }
QString ChartCore::EndingDate() const { return dateOfDay(state_.ending_date_local); }

QVariant ChartCore::convert_trading_date(const QString& input_date) const {
    return tk5::convert_trading_date(input_date);
}

void ChartCore::FullRedraw() {
    Clear();
    DrawPriceRuler(state_.starting_date_local, state_.ending_date_local);
    DrawDateRuler(state_.starting_date_local, state_.ending_date_local);
    DisplayChart(state_.starting_date_local, state_.ending_date_local);
    DisplayTechnicalIndicators(state_.pane(1).kind, state_.pane(2).kind, state_.pane(3).kind);
}

void ChartCore::applyIndicatorSettings(const std::array<IndicatorSettings, 3>& panes) {
    state_.pane_settings = panes;
    if (settings_) savePeriods(*settings_, state_.pane_settings);
    FullRedraw();
    if (settings_) saveKinds(*settings_, state_.pane_settings);
}

ChartColors ChartCore::readColors(const ChartColors& defaults) const {
    return settings_ ? tk5::readColors(*settings_, defaults) : defaults;
}

void ChartCore::readPaneSettings() {
    if (settings_) tk5::readPaneSettings(*settings_, state_.pane_settings);
}

} // namespace tk5
