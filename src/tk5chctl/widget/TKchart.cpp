// SPDX-License-Identifier: BSD-3-Clause
#include "tk5chctl/TKchart.h"

#include "TKchartPrivate.h"

#include "PictureBox.h"
#include "TKchartTesting.h"

#include "common/ChartError.h"
#include "common/Twips.h"

#include <QKeyEvent>
#include <QLabel>
#include <QResizeEvent>

#include <new>

using tk5::ChartError;
using tk5::TKchartPrivate;

static_assert(static_cast<int>(TKchartError::Kind::Printer) ==
                  static_cast<int>(ChartError::Kind::Printer),
              "the public failure kinds follow the internal ones");

TKchartError::TKchartError(Kind kind, const std::string& what)
    : std::runtime_error(what), kind_(kind) {}

namespace {

// Runs a member for the host: an internal failure reaches it as TKchartError.
template <typename F> decltype(auto) forHost(F&& f) {
    try {
        return f();
    } catch (const ChartError& e) {
        throw TKchartError(static_cast<TKchartError::Kind>(e.kind()), e.what());
    } catch (const std::bad_alloc&) {
        throw TKchartError(TKchartError::Kind::OutOfMemory,
                           "There was not enough memory to finish the operation");
    }
}

} // namespace

TKchart::TKchart(std::unique_ptr<tk5::SettingsStore> settings, QWidget* parent)
    : QWidget(parent), d(std::make_unique<TKchartPrivate>(*this, std::move(settings))) {
    d->createChildren();
    d->startUp();
}

TKchart::TKchart(QWidget* parent) : TKchart(std::make_unique<tk5::QSettingsStore>(), parent) {}

TKchart::TKchart(const QMap<QString, QString>& settings, QWidget* parent)
    : TKchart(std::make_unique<tk5::MemorySettingsStore>(settings), parent) {}

TKchart::~TKchart() = default;

// ---- the public variables ----------------------------------------------------------------
QString TKchart::ticker_name() const { return d->core.state().ticker_name; }
void TKchart::setTicker_name(const QString& value) { d->core.state().ticker_name = value; }
qint16 TKchart::buy_number() const { return d->core.state().buy_number; }
void TKchart::setBuy_number(qint16 value) { d->core.state().buy_number = value; }
qint16 TKchart::sell_number() const { return d->core.state().sell_number; }
void TKchart::setSell_number(qint16 value) { d->core.state().sell_number = value; }
qint16 TKchart::starting_date_local() const { return d->core.state().starting_date_local; }
void TKchart::setStarting_date_local(qint16 value) { d->core.state().starting_date_local = value; }
qint16 TKchart::ending_date_local() const { return d->core.state().ending_date_local; }
void TKchart::setEnding_date_local(qint16 value) { d->core.state().ending_date_local = value; }
float TKchart::OldVerticalLineX() const { return d->core.state().OldVerticalLineX; }
void TKchart::setOldVerticalLineX(float value) { d->core.state().OldVerticalLineX = value; }
float TKchart::OldHorizontalLineY() const { return d->core.state().OldHorizontalLineY; }
void TKchart::setOldHorizontalLineY(float value) { d->core.state().OldHorizontalLineY = value; }
bool TKchart::isVerticalLineDisplayed() const {
    return d->core.state().isVerticalLineDisplayed != 0;
}
void TKchart::setIsVerticalLineDisplayed(bool value) {
    d->core.state().isVerticalLineDisplayed = tk5::toFlag(value);
}
bool TKchart::isHorizontalLineDisplayed() const {
    return d->core.state().isHorizontalLineDisplayed != 0;
}
void TKchart::setIsHorizontalLineDisplayed(bool value) {
    d->core.state().isHorizontalLineDisplayed = tk5::toFlag(value);
}

// ---- methods and read-only properties ----------------------------------------------------
QVariant TKchart::ReadDataFile(const QString& Ticker, bool& b_Today_flag) {
    return forHost([&] { return d->core.ReadDataFile(Ticker, b_Today_flag); });
}

QVariant TKchart::ReadDataFile(const QString& Ticker) {
    bool b_Today_flag = false;
    return ReadDataFile(Ticker, b_Today_flag);
}

void TKchart::DrawPriceRuler(qint16 starting_date, qint16 ending_date) {
    forHost([&] { d->core.DrawPriceRuler(starting_date, ending_date); });
}

void TKchart::DisplayChart(qint16& starting_date, qint16& ending_date) {
    forHost([&] { d->core.DisplayChart(starting_date, ending_date); });
}

void TKchart::DisplayChart(const qint16& starting_date, const qint16& ending_date) {
    qint16 s = starting_date;
    qint16 e = ending_date;
    DisplayChart(s, e);
}

// A property read never throws: a window that cannot be read gives 0.
float TKchart::MaximumPrice() const {
    try {
        return d->core.MaximumPrice();
    } catch (...) {
        return 0;
    }
}
float TKchart::MinimumPrice() const {
    try {
        return d->core.MinimumPrice();
    } catch (...) {
        return 0;
    }
}

float TKchart::GetMaximumPrice(qint16 starting_date, qint16 ending_date) const {
    return forHost([&] { return d->core.GetMaximumPrice(starting_date, ending_date); });
}

float TKchart::GetMinimumPrice(qint16 starting_date, qint16 ending_date) const {
    return forHost([&] { return d->core.GetMinimumPrice(starting_date, ending_date); });
}

void TKchart::Clear() {
    forHost([&] { d->core.Clear(); });
}

void TKchart::DrawDateRuler(qint16 starting_date, qint16 ending_date) {
    forHost([&] { d->core.DrawDateRuler(starting_date, ending_date); });
}

void TKchart::UpdateCaption(float x) {
    forHost([&] { d->core.UpdateCaption(x); });
}

void TKchart::RecordBuy(float x) {
    forHost([&] { d->core.RecordBuy(x); });
}

void TKchart::RecordSell(float x) {
    forHost([&] { d->core.RecordSell(x); });
}

void TKchart::DrawBuy(float x) {
    forHost([&] { d->core.DrawBuy(x); });
}

void TKchart::DrawSell(float x) {
    forHost([&] { d->core.DrawSell(x); });
}

void TKchart::ClearBuysSells() {
    forHost([&] { d->core.ClearBuysSells(); });
}

void TKchart::DisplayTechnicalIndicators(qint16 indicator1, qint16 indicator2, qint16 indicator3) {
    forHost([&] { d->core.DisplayTechnicalIndicators(indicator1, indicator2, indicator3); });
}

qint16 TKchart::TechInd1() const { return d->core.state().pane(1).kind; }
qint16 TKchart::TechInd2() const { return d->core.state().pane(2).kind; }
qint16 TKchart::TechInd3() const { return d->core.state().pane(3).kind; }

void TKchart::SaveChartInFile(const QString& filepath) {
    forHost([&] { d->core.SaveChartInFile(filepath); });
}

float TKchart::xOfDay(qint16 day) const {
    return forHost([&] { return d->core.xOfDay(day); });
}

void TKchart::UpdateHistData() {
    d->prompts->message(QStringLiteral("data updated"), tk5::MessageIcon::None);
}

void TKchart::DrawLabel() {
    if (d->lookUpCompanyName(2, false)) Q_EMIT CompanyNameResolved();
}

void TKchart::DrawLabelNoEvent() { d->lookUpCompanyName(1, true); }

void TKchart::PrintEntireChart() {
    forHost([&] { d->print(d->printTarget); });
}

void TKchart::setPrintTarget(const QString& pdfPath, const QPageSize& pageSize) {
    d->printTarget.pdfPath = pdfPath;
    d->printTarget.pageSize = pageSize;
}

QString TKchart::printTarget() const { return d->printTarget.pdfPath; }

void TKchart::printOn(QPagedPaintDevice& device) {
    tk5::PrintTarget target;
    target.device = &device;
    forHost([&] { d->print(target); });
}

void TKchart::OpenChartFromFile(const QString& filepath) {
    forHost([&] { d->core.OpenChartFromFile(filepath); });
    d->Frame2->showPanes(d->core.state().pane_settings);
}

void TKchart::FillListView() {
    forHost([&] { d->core.FillListView(); });
}

void TKchart::GoBackward() {
    forHost([&] { d->core.GoBackward(); });
}
void TKchart::GoForward() {
    forHost([&] { d->core.GoForward(); });
}
void TKchart::ZoomIn() {
    forHost([&] { d->core.ZoomIn(); });
}
void TKchart::ZoomOut() {
    forHost([&] { d->core.ZoomOut(); });
}

qint16 TKchart::ConvertDateToInteger(const QString& str_date) const {
    return forHost([&] { return d->core.ConvertDateToInteger(str_date); });
}

QString TKchart::StartingDate() const { return d->core.StartingDate(); }
QString TKchart::EndingDate() const { return d->core.EndingDate(); }

QString TKchart::PrintTransactionsReport() const {
    return forHost([&] { return d->core.PrintTransactionsReport(); });
}

void TKchart::CalculateSumGain() {
    forHost([&] { d->core.CalculateSumGain(); });
}

void TKchart::CalculateCumGain() {
    forHost([&] { d->core.CalculateCumGain(); });
}

QVariant TKchart::convert_trading_date(const QString& input_date) const {
    return forHost([&] { return d->core.convert_trading_date(input_date); });
}

void TKchart::SetColors() { d->applyColors(tk5::kSetColorsColors); }

void TKchart::redraw() {
    forHost([&] { d->core.FullRedraw(); });
}

QString TKchart::CompanyName() const { return d->CaptionLabel->text(); }

bool TKchart::MA10() const { return d->core.state().show_ma10 != 0; }
bool TKchart::MA50() const { return d->core.state().show_ma50 != 0; }
bool TKchart::MA200() const { return d->core.state().show_ma200 != 0; }
bool TKchart::MACustom() const { return d->core.state().show_ma_custom != 0; }

qint16 TKchart::MaximumInput() const { return 0; }
void TKchart::setMaximumInput(qint16 value) { Q_UNUSED(value); }

// ---- host conveniences -------------------------------------------------------------------
void TKchart::useSettings(const QMap<QString, QString>& settings) {
    d->useStore(std::make_unique<tk5::MemorySettingsStore>(settings));
    if (!d->placed.isEmpty()) d->redrawAtEvent();
}

QString TKchart::historyFolder() const { return d->core.histDir(); }

qint16 TKchart::loadedDays() const { return d->core.state().series.day_count; }

void TKchart::setPrompts(tk5::Prompts* prompts) { d->prompts->setTarget(prompts); }

void TKchart::startRecording() {
    d->log.clear();
    d->setRecording(true);
}

void TKchart::stopRecording() { d->setRecording(false); }

QStringList TKchart::recordedDrawCalls() const {
    QStringList lines;
    for (const tk5::DrawCall& c : d->log.calls())
        lines << c.toText();
    return lines;
}

void TKchart::keyPressEvent(QKeyEvent* event) {
    // Only with the keyboard focus on the chart: the tab strip's boxes keep their keys.
    QWidget* focus = focusWidget();
    const bool onChart = !focus || focus == this || focus == d->Picture1;
    if (onChart && d->handleKey(*event)) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TKchart::clearTransactionList() { d->core.clearTransactionList(); }

void TKchart::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    try {
        d->layout(tk5::pixelsToTwips(width()), tk5::pixelsToTwips(height()));
    } catch (...) {}
    d->redrawAtEvent();
}

namespace tk5::testing {

QRectF childTwipGeometry(const TKchart& chart, const QString& objectName) {
    return TKchartPrivate::of(chart).placed.value(objectName);
}

} // namespace tk5::testing
