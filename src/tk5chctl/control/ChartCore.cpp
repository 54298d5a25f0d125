#include "ChartCore.h"

#include "SettingsKeys.h"

#include "chart/DateRuler.h"
#include "chart/PriceChart.h"
#include "chart/PriceRuler.h"
#include "data/HistoryFile.h"
#include "indicators/TechnicalIndicators.h"
#include "transactions/Marks.h"

namespace tk5 {

ChartCore::ChartCore() {
    // The panes' start-up defaults until a settings store says otherwise.
    for (int p = 1; p <= 3; ++p)
        state_.pane(p).kind = kDefaultKinds[static_cast<size_t>(p - 1)];
}

QString ChartCore::histDir() const { return histDir_.isEmpty() ? histDirectory() : histDir_; }

QVariant ChartCore::ReadDataFile(const QString& ticker, bool& b_Today_flag) {
    tk5::ReadDataFile(state_, ticker, b_Today_flag, histDir());
    if (onCaptionChanged) onCaptionChanged();
    return {};
}

void ChartCore::DrawPriceRuler(std::int16_t& starting_date, std::int16_t& ending_date) {
    tk5::DrawPriceRuler(state_, surfaces_, starting_date, ending_date);
}

void ChartCore::DisplayChart(std::int16_t& starting_date, std::int16_t& ending_date) {
    tk5::DisplayChart(state_, surfaces_, starting_date, ending_date);
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

void ChartCore::DrawBuy(float x) { tk5::DrawBuy(state_, *surfaces_.Picture1, x); }

void ChartCore::DrawSell(float x) { tk5::DrawSell(state_, *surfaces_.Picture1, x); }

void ChartCore::DisplayTechnicalIndicators(std::int16_t indicator1, std::int16_t indicator2,
                                           std::int16_t indicator3) {
    tk5::DisplayTechnicalIndicators(state_, surfaces_, indicator1, indicator2, indicator3,
                                    paneBandColor());
    if (onDrawComplete) onDrawComplete();
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

Color ChartCore::paneBandColor() const {
    constexpr std::int32_t kDefault = 0x340000;
    return static_cast<Color>(
        settings_ ? settings_->readInt32(QStringLiteral("BkgRulers"), kDefault) : kDefault);
}

} // namespace tk5
