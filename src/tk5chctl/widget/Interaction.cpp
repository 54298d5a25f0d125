// SPDX-License-Identifier: BSD-3-Clause
// The mouse on the price chart and the price ruler, the popup menu and its dialogs, the time
// buttons with their repeat timers, and the keyboard and wheel. Every handler catches every
// failure: the host keeps running and the picture keeps what was drawn.

#include "TKchartPrivate.h"

#include "ClickLabel.h"
#include "PictureBox.h"

#include "chart/Crosshair.h"
#include "common/Twips.h"
#include "ui/ChartMenu.h"
#include "ui/OverlayDialogs.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>

#include <functional>

namespace tk5 {

namespace {

// Runs an event's work; a failure ends that work and nothing else.
template <typename F> void atEvent(F&& work) noexcept {
    try {
        work();
    } catch (...) {}
}

constexpr int kRepeatMs = 300;
constexpr int kWheelStep = 120; // one notch of a mouse wheel

} // namespace

void TKchartPrivate::connectInteraction() {
    QObject* ctx = &connections;
    Picture1->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(Picture1, &PictureBox::mouseDown, ctx,
                     [this](int button, int, float x, float) { chartMouseDown(button, x); });
    QObject::connect(Picture1, &PictureBox::mouseMove, ctx,
                     [this](int button, int, float x, float y) { chartMouseMove(button, x, y); });
    QObject::connect(Picture1, &PictureBox::mouseUp, ctx,
                     [this](int button, int, float x, float y) { chartMouseUp(button, x, y); });
    QObject::connect(PriceRuler, &PictureBox::mouseDown, ctx,
                     [this](int button, int, float, float y) { priceRulerMouse(button, y); });
    QObject::connect(PriceRuler, &PictureBox::mouseMove, ctx,
                     [this](int button, int, float, float y) { priceRulerMouse(button, y); });

    for (PictureBox* b : pictureBoxes())
        QObject::connect(b, &PictureBox::wheelTurned, ctx,
                         [this](int delta) { wheelTurned(delta); });

    mnuPopup = createChartMenu(&q);
    auto onItem = [&](const char* name, auto&& work) {
        QObject::connect(menuItem(*mnuPopup, name), &QAction::triggered, ctx,
                         [work](bool) { atEvent(work); });
    };
    auto toggleItem = [&](const char* name, Flag ChartState::*flag) {
        onItem(name, [this, flag] {
            Flag& f = core.state().*flag;
            f = toggled(f);
            core.FullRedraw();
        });
    };
    toggleItem("mnuPopupMA10Days", &ChartState::show_ma10);
    toggleItem("mnuPopupMA50Days", &ChartState::show_ma50);
    toggleItem("mnuPopupMA200Days", &ChartState::show_ma200);
    toggleItem("mnuPriceIndicatorsBands", &ChartState::show_bands);
    toggleItem("mnuPopupHighLowClose", &ChartState::show_high_low_close);
    toggleItem("mnuGridSettingsVertical", &ChartState::show_vertical_grid);
    toggleItem("mnuGridSettingsHorizontal", &ChartState::show_horizontal_grid);
    toggleItem("mnuPopupHideChart", &ChartState::chart_hidden);
    onItem("mnuPopupMACustom", [this] { chooseCustomAverage(); });
    onItem("mnuPriceIndicatorsEnvelopes", [this] { chooseEnvelopes(); });
    onItem("mnuPopupTimeRange", [this] { sendTimeRangeKey(); });
    onItem("mnuPopupRecordBuy", [this] { core.RecordBuy(mouse_x); });
    onItem("mnuPopupRecordSell", [this] { core.RecordSell(mouse_x); });

    Timer1 = new QTimer(&q);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer2 = new QTimer(&q);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    auto forward = [this] { atEvent([this] { core.stepForward(); }); };
    auto backward = [this] { atEvent([this] { core.stepBackward(); }); };
    QObject::connect(Timer1, &QTimer::timeout, ctx, forward);
    QObject::connect(Timer2, &QTimer::timeout, ctx, backward);
    QObject::connect(TimeForward, &ClickLabel::clicked, ctx, forward);
    QObject::connect(TimeBackward, &ClickLabel::clicked, ctx, backward);
    QObject::connect(TimeForward, &ClickLabel::mouseDown, ctx,
                     [this](int, int, float, float) { timeButtonDown(TimeForward, Timer1); });
    QObject::connect(TimeForward, &ClickLabel::mouseUp, ctx,
                     [this](int, int, float, float) { timeButtonUp(TimeForward, Timer1); });
    QObject::connect(TimeBackward, &ClickLabel::mouseDown, ctx,
                     [this](int, int, float, float) { timeButtonDown(TimeBackward, Timer2); });
    QObject::connect(TimeBackward, &ClickLabel::mouseUp, ctx,
                     [this](int, int, float, float) { timeButtonUp(TimeBackward, Timer2); });
}

void TKchartPrivate::chartMouseDown(int button, float x) {
    atEvent([&] {
        if (button == 1) core.moveVerticalLine(x);
    });
    for (DrawingSurface* s : verticalLineSurfaces(core.surfaces()))
        s->DrawMode = kDrawCopy;
}

void TKchartPrivate::chartMouseMove(int button, float x, float y) {
    mouse_x = x;
    mouse_y = y;
    if (button == 1) atEvent([&] { core.moveVerticalLine(x); });
}

void TKchartPrivate::chartMouseUp(int button, float x, float y) {
    if (button == 2) rightClick(x, y);
}

void TKchartPrivate::rightClick(float x, float y) {
    chartMouseDown(1, x);
    setChartMenuChecks(*mnuPopup, core.state());
    const QPoint at = Picture1->mapToGlobal(QPoint(twipsToPixels(x), twipsToPixels(y)));
    mnuPopup->exec(at);
}

void TKchartPrivate::priceRulerMouse(int button, float y) {
    if (button == 1) atEvent([&] { core.moveHorizontalLine(y); });
    DrawingSurface& chart = Picture1->surface();
    chart.DrawMode = kDrawCopy;
    chart.DrawStyle = kSolid;
}

void TKchartPrivate::chooseCustomAverage() {
    ChartState& st = core.state();
    if (st.show_ma_custom == kFalse) {
        st.show_ma_custom = kTrue;
        showCustomMAperiodsDialog(&q, sharedOverlaySettings(), *prompts);
    } else {
        st.show_ma_custom = kFalse;
    }
    core.FullRedraw();
}

void TKchartPrivate::chooseEnvelopes() {
    ChartState& st = core.state();
    if (st.show_envelopes == kFalse) {
        showEnvelopesDialog(&q, sharedOverlaySettings(), *prompts);
        st.show_envelopes = kTrue;
    } else {
        st.show_envelopes = kFalse;
    }
    core.FullRedraw();
}

void TKchartPrivate::sendTimeRangeKey() {
    QWidget* target = QApplication::focusWidget();
    if (!target) target = QApplication::activeWindow();
    if (!target) return;
    const QString ctrlT(QChar(0x14));
    QCoreApplication::postEvent(
        target, new QKeyEvent(QEvent::KeyPress, Qt::Key_T, Qt::ControlModifier, ctrlT));
    QCoreApplication::postEvent(
        target, new QKeyEvent(QEvent::KeyRelease, Qt::Key_T, Qt::ControlModifier, ctrlT));
}

void TKchartPrivate::timeButtonDown(ClickLabel* label, QTimer* timer) {
    setBackground(label, RGB(35, 35, 35));
    setTextColor(label, RGB(255, 255, 255));
    timer->setInterval(kRepeatMs);
    timer->start();
}

void TKchartPrivate::timeButtonUp(ClickLabel* label, QTimer* timer) {
    setBackground(label, RGB(255, 255, 255));
    setTextColor(label, RGB(35, 35, 35));
    timer->stop();
}

bool TKchartPrivate::handleKey(const QKeyEvent& event) {
    const Qt::KeyboardModifiers mods =
        event.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    if (mods != Qt::NoModifier) return false;
    // The keys of the chart and what each runs on the core.
    static const std::pair<int, std::function<void(ChartCore&)>> kKeys[] = {
        {Qt::Key_Left, [](ChartCore& c) { c.moveVerticalLineByDays(1); }},
        {Qt::Key_Right, [](ChartCore& c) { c.moveVerticalLineByDays(-1); }},
        {Qt::Key_PageUp, &ChartCore::GoBackward},
        {Qt::Key_PageDown, &ChartCore::GoForward},
        {Qt::Key_Plus, &ChartCore::ZoomIn},
        {Qt::Key_Equal, &ChartCore::ZoomIn},
        {Qt::Key_Minus, &ChartCore::ZoomOut},
        {Qt::Key_Home, &ChartCore::goNewest},
        {Qt::Key_End, &ChartCore::goOldest},
    };
    for (const auto& entry : kKeys)
        if (event.key() == entry.first) {
            atEvent([&] { entry.second(core); });
            return true;
        }
    return false;
}

void TKchartPrivate::wheelTurned(int delta) {
    wheelRest += delta;
    while (wheelRest >= kWheelStep) {
        wheelRest -= kWheelStep;
        atEvent([this] { core.ZoomIn(); });
    }
    while (wheelRest <= -kWheelStep) {
        wheelRest += kWheelStep;
        atEvent([this] { core.ZoomOut(); });
    }
}

} // namespace tk5
