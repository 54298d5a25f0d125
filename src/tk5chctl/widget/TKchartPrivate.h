// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "core/ChartCore.h"
#include "model/SettingsStore.h"
#include "model/StoredSettings.h"
#include "surface/DrawingSurface.h"
#include "tk5chctl/Prompts.h"
#include "tk5chctl/TKchart.h"
#include "ui/IndicatorSettingsTab.h"

#include <QHash>
#include <QObject>
#include <QPalette>
#include <QRectF>

#include <array>
#include <memory>

class QKeyEvent;
class QLabel;
class QMenu;
class QTimer;
class QTabWidget;
class QTreeWidget;
class QWidget;

namespace tk5 {

class ClickLabel;
class PictureBox;
class TabPage;

// Colours of the control's widgets: a Color as a QColor, a widget's back colour (painted) and
// its text colour.
void setBackground(QWidget* w, Color c, QPalette::ColorRole role = QPalette::Window);
void setTextColor(QWidget* w, Color c);

// The overlay settings every chart control of the running library shares; each control's
// start-up resets them.
OverlaySettings& sharedOverlaySettings();

// Every prompt goes to the host's prompts when it set some, otherwise to the control's own
// message boxes. The children that prompt share this object, so it lives as long as the
// longest of them and a host can replace the prompts at any time.
class ForwardingPrompts final : public Prompts {
public:
    explicit ForwardingPrompts(QWidget* owner) : fallback_(owner) {}
    void setTarget(Prompts* target) { target_ = target; }
    void message(const QString& text, MessageIcon icon) override { current().message(text, icon); }
    bool confirm(const QString& text, const QString& title, MessageIcon icon) override {
        return current().confirm(text, title, icon);
    }

private:
    Prompts& current() { return target_ ? *target_ : fallback_; }
    WidgetPrompts fallback_;
    Prompts* target_ = nullptr;
};

// The control's widgets and the headless core they are wired to. No child keeps a reference
// into this object: children report through signals whose connections end with it.
class TKchartPrivate {
public:
    TKchartPrivate(TKchart& owner, std::unique_ptr<SettingsStore> settings);
    ~TKchartPrivate();
    TKchartPrivate(const TKchartPrivate&) = delete;
    TKchartPrivate& operator=(const TKchartPrivate&) = delete;

    static TKchartPrivate& of(TKchart& chart) { return *chart.d; }
    static const TKchartPrivate& of(const TKchart& chart) { return *chart.d; }

    // ---- start-up and settings (StartUp.cpp) ----
    void createChildren();
    void startUp();
    void applyColors(const ChartColors& defaults);
    // Puts the control on another store and reads colours, indicators and periods again.
    void useStore(std::unique_ptr<SettingsStore> settings);

    // ---- layout and redraws (Layout.cpp) ----
    // Places every child for a control of W x H twips; a statement that fails is skipped.
    void layout(double W, double H);
    // Places one child; a negative width or height fails with ChartError.
    void place(QWidget* child, double left, double top, double width, double height);
    // The twip rectangle a child has now: the one it was placed at, or its pixels in twips.
    QRectF twipsOf(QWidget* child) const;
    // The full redraw over the current window, with every failure caught: event handlers
    // never let an error reach the host.
    void redrawAtEvent();
    // "Apply now": the core takes, saves and redraws; a redraw that fails is told to the user,
    // since the indicator choices then stay unsaved.
    void applyIndicatorSettings(const PaneSettings& panes);

    // ---- mouse, keyboard, popup menu and time buttons (Interaction.cpp) ----
    void connectInteraction();
    void chartMouseDown(int button, float x);
    void chartMouseMove(int button, float x, float y);
    void chartMouseUp(int button, float x, float y);
    void priceRulerMouse(int button, float y);
    // The right-click sequence: the vertical line to the click, the check marks, the menu.
    void rightClick(float x, float y);
    void chooseCustomAverage();
    void chooseEnvelopes();
    void sendTimeRangeKey();
    void timeButtonDown(ClickLabel* label, QTimer* timer);
    void timeButtonUp(ClickLabel* label, QTimer* timer);
    bool handleKey(const QKeyEvent& event);
    // The wheel over the chart: each notch away from the user zooms in, towards zooms out.
    void wheelTurned(int delta);

    // ---- the Transactions tab (TransactionsTab.cpp) ----
    void connectTransactions();
    // The list and the gain labels as the core's transaction list has them.
    void showTransactions();
    // The right button over the list: the list's menu when the last row is selected.
    void listMenuAt(const QPoint& pos);
    void deleteSelectedTransaction();

    void setRecording(bool on);
    // The company-name lookup of DrawLabel (cut 2) and DrawLabelNoEvent (cut 1, line breaks
    // removed): the caption and company_name. False when the control went away meanwhile.
    bool lookUpCompanyName(int cut, bool stripLineBreaks);
    // The printed page to this target, recorded with the surfaces while recording.
    void print(const PrintTarget& target);
    std::array<PictureBox*, 9> pictureBoxes() const;

    TKchart& q;
    std::unique_ptr<SettingsStore> store;
    ChartCore core;
    std::shared_ptr<ForwardingPrompts> prompts;
    DrawLog log;
    bool recording = false;
    PrintTarget printTarget; // where PrintEntireChart() sends the page (never a device)

    PictureBox* Picture1 = nullptr;
    PictureBox* PriceRuler = nullptr;
    PictureBox* DateRuler = nullptr;
    PictureBox* Picture2 = nullptr;
    PictureBox* Picture3 = nullptr;
    PictureBox* Picture4 = nullptr;
    PictureBox* TechRuler1 = nullptr;
    PictureBox* TechRuler2 = nullptr;
    PictureBox* TechRuler3 = nullptr;
    QLabel* CaptionLabel = nullptr;
    QLabel* ChangeLabel = nullptr;
    ClickLabel* TimeBackward = nullptr;
    ClickLabel* TimeForward = nullptr;
    QTabWidget* SSTab1 = nullptr;
    TabPage* indicatorsPage = nullptr;
    TabPage* transactionsPage = nullptr;
    IndicatorSettingsTab* Frame2 = nullptr;
    QTreeWidget* ListView1 = nullptr;
    QLabel* SumGain = nullptr;
    QLabel* CumGain = nullptr;
    QMenu* mnuPopup = nullptr;
    QMenu* mnuPopupListView = nullptr;
    QTimer* Timer1 = nullptr; // repeats ">>" while it is held
    QTimer* Timer2 = nullptr; // repeats "<<" while it is held

    // The pointer's last position over the price chart, in twips.
    float mouse_x = 0;
    float mouse_y = 0;
    // Wheel rotation not yet turned into a zoom step, in eighths of a degree.
    int wheelRest = 0;

    // The twip rectangle each placed child was given, by object name.
    QHash<QString, QRectF> placed;

    // The context of every connection from a child to this object. Declared last, so it is
    // destroyed first: the children, deleted after this object, can no longer reach it.
    QObject connections;
};

} // namespace tk5
