#pragma once

#include "ChartCore.h"
#include "DrawingSurface.h"
#include "SettingsStore.h"
#include "tk5chctl/Prompts.h"
#include "tk5chctl/TKchart.h"

#include <QHash>
#include <QPointer>
#include <QRectF>
#include <QWidget>

#include <array>
#include <memory>
#include <utility>
#include <vector>

class QLabel;
class QTabWidget;
class QTreeWidget;

namespace tk5 {

class ClickLabel;
class IndicatorSettingsTab;
class PictureBox;

// Every prompt goes to the host's prompts when it set some, otherwise to the control's own
// message boxes. The settings tab keeps a reference to this one object, so a host can
// replace the prompts at any time.
class ForwardingPrompts final : public Prompts {
public:
    explicit ForwardingPrompts(Prompts& fallback) : fallback_(fallback) {}
    void setTarget(Prompts* target) { target_ = target; }
    void message(const QString& text, MessageIcon icon) override { current().message(text, icon); }
    bool confirm(const QString& text) override { return current().confirm(text); }

private:
    Prompts& current() { return target_ ? *target_ : fallback_; }
    Prompts& fallback_;
    Prompts* target_ = nullptr;
};

// A page of the tab strip. Its children are placed in twips relative to the tab strip
// itself (the tab headers included), so they are placed again whenever the page is laid
// out inside the strip.
class TabPage : public QWidget {
public:
    explicit TabPage(QTabWidget* strip);
    // Places child (a widget on this page) at the twip rectangle given relative to the strip.
    void place(QWidget* child, const QRectF& twips);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void placeAll();
    void placeOne(QWidget* child, const QRectF& twips);
    QTabWidget* strip_;
    std::vector<std::pair<QPointer<QWidget>, QRectF>> children_;
};

// The colour defaults of one reading of the colour keys.
struct ColorDefaults {
    Color chart;      // "BkgChart"
    Color rulers;     // "BkgRulers"
    Color tech1;      // "BkgTech1"
    Color tech2;      // "BkgTech2"
    Color tech3;      // "BkgTech3"
    Color buySell;    // "BkgBuySell"
    Color rulersText; // "BkgRulersText"
};
// At start-up: white chart, panes and list; black rulers with white text.
inline constexpr ColorDefaults kStartUpColors{0xFFFFFF, 0x000000, 0xFFFFFF, 0xFFFFFF,
                                              0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
// In SetColors: pale yellow chart and panes, light grey list.
inline constexpr ColorDefaults kSetColorsColors{0xC4FFFF, 0x000000, 0xC4FFFF, 0xC4FFFF,
                                                0xC4FFFF, 0xEFEFEF, 0xFFFFFF};

// A colour key read as a 32-bit integer; a value that is missing, not a whole number or
// outside 0..0xFFFFFF counts as the default.
Color readColor(const SettingsStore& store, const QString& key, Color fallback);

// The control's widgets and the headless core they are wired to.
class TKchartPrivate {
public:
    TKchartPrivate(TKchart& owner, std::unique_ptr<SettingsStore> settings);
    ~TKchartPrivate();

    static TKchartPrivate& of(TKchart& chart) { return *chart.d; }
    static const TKchartPrivate& of(const TKchart& chart) { return *chart.d; }

    // ---- start-up and settings (StartUp.cpp) ----
    void createChildren();
    void startUp();
    void applyColors(const ColorDefaults& defaults);
    void readPeriods();
    void readKinds();
    void useStore(std::unique_ptr<SettingsStore> settings);

    // ---- layout (Layout.cpp) ----
    // Places every child for a control of W x H twips; a statement that fails is skipped.
    void layout(double W, double H);
    // Places one child; a negative width or height fails with ChartError.
    void place(QWidget* child, double left, double top, double width, double height);
    // The twip rectangle a child has now: the one it was placed at, or its pixels in twips.
    QRectF twipsOf(QWidget* child) const;
    // The full redraw over the current window, with every failure caught: event handlers
    // never let an error reach the host.
    void redrawAtEvent();

    void syncCaptions();
    void setRecording(bool on);
    std::array<PictureBox*, 9> pictureBoxes() const;

    TKchart& q;
    std::unique_ptr<SettingsStore> store;
    ChartCore core;
    WidgetPrompts ownPrompts;
    ForwardingPrompts prompts{ownPrompts};
    DrawLog log;
    bool recording = false;

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

    // The twip rectangle each placed child was given, by object name.
    QHash<QString, QRectF> placed;
};

} // namespace tk5
