// SPDX-License-Identifier: BSD-3-Clause
// Creating the control's children, the start-up sequence and the colour and indicator
// settings.

#include "TKchartPrivate.h"

#include "ClickLabel.h"
#include "PictureBox.h"
#include "TabPage.h"

#include "common/Twips.h"
#include "model/StoredSettings.h"
#include "net/CompanyLookup.h"
#include "net/mdlINETapi.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPalette>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>

namespace tk5 {

void setBackground(QWidget* w, Color c, QPalette::ColorRole role) {
    QPalette pal = w->palette();
    pal.setColor(role, toQColor(c));
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

void setTextColor(QWidget* w, Color c) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, toQColor(c));
    pal.setColor(QPalette::Text, toQColor(c));
    w->setPalette(pal);
}

namespace {

// The caption labels, the time buttons and the text of the tab strip use Arial 8.25 pt,
// sized for 96 dots per inch like everything the control places in twips.
QFont arial(bool bold) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(11); // 8.25 pt at 96 dpi
    f.setBold(bold);
    return f;
}

QLabel* captionLabel(const QString& name, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    l->setFont(arial(true));
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    l->setAutoFillBackground(true);
    return l;
}

// The transaction list's columns and their widths in twips.
constexpr const char* kListHeaders[] = {"", "Price", "Date", "%"};
constexpr float kListWidths[] = {344, 1191, 1535, 1085};

} // namespace

OverlaySettings& sharedOverlaySettings() {
    static OverlaySettings settings;
    return settings;
}

TKchartPrivate::TKchartPrivate(TKchart& owner, std::unique_ptr<SettingsStore> settings)
    : q(owner), store(std::move(settings)), core(sharedOverlaySettings()),
      prompts(std::make_shared<ForwardingPrompts>(&owner)) {
    core.setSettingsStore(store.get());
    core.onDrawComplete = [this] { Q_EMIT q.DrawComplete(); };
    core.onCaptionChanged = [this](const QString& caption) { CaptionLabel->setText(caption); };
    core.onChangeTextChanged = [this](const QString& change, Color color) {
        ChangeLabel->setText(change);
        setTextColor(ChangeLabel, color);
    };
}

// The surfaces keep logging into this object while recording: they stop before it goes.
TKchartPrivate::~TKchartPrivate() { setRecording(false); }

std::array<PictureBox*, 9> TKchartPrivate::pictureBoxes() const {
    return {Picture1, PriceRuler, DateRuler,  Picture2,  Picture3,
            Picture4, TechRuler1, TechRuler2, TechRuler3};
}

void TKchartPrivate::createChildren() {
    q.setFont(arial(false));

    Picture1 = new PictureBox(QStringLiteral("Picture1"), &q);
    PriceRuler = new PictureBox(QStringLiteral("PriceRuler"), &q);
    DateRuler = new PictureBox(QStringLiteral("DateRuler"), &q);
    Picture2 = new PictureBox(QStringLiteral("Picture2"), &q);
    Picture3 = new PictureBox(QStringLiteral("Picture3"), &q);
    Picture4 = new PictureBox(QStringLiteral("Picture4"), &q);
    TechRuler1 = new PictureBox(QStringLiteral("TechRuler1"), &q);
    TechRuler2 = new PictureBox(QStringLiteral("TechRuler2"), &q);
    TechRuler3 = new PictureBox(QStringLiteral("TechRuler3"), &q);
    ChartSurfaces sf;
    sf.Picture1 = &Picture1->surface();
    sf.PriceRuler = &PriceRuler->surface();
    sf.DateRuler = &DateRuler->surface();
    sf.Picture2 = &Picture2->surface();
    sf.Picture3 = &Picture3->surface();
    sf.Picture4 = &Picture4->surface();
    sf.TechRuler1 = &TechRuler1->surface();
    sf.TechRuler2 = &TechRuler2->surface();
    sf.TechRuler3 = &TechRuler3->surface();
    core.setSurfaces(sf);

    CaptionLabel = captionLabel(QStringLiteral("CaptionLabel"), &q);
    ChangeLabel = captionLabel(QStringLiteral("ChangeLabel"), &q);
    setTextColor(ChangeLabel, RGB(255, 0, 0));

    // The time buttons in their look before the first press: Arial 12 pt, the window-text
    // colour on white.
    TimeBackward = new ClickLabel(QStringLiteral("TimeBackward"), QStringLiteral("<<"), &q);
    TimeForward = new ClickLabel(QStringLiteral("TimeForward"), QStringLiteral(">>"), &q);
    QFont timeFont(QStringLiteral("Arial"));
    timeFont.setPixelSize(16); // 12 pt at 96 dpi
    for (ClickLabel* b : {TimeBackward, TimeForward}) {
        b->setFont(timeFont);
        setBackground(b, RGB(255, 255, 255));
    }

    SSTab1 = new QTabWidget(&q);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->setDocumentMode(false);
    SSTab1->setUsesScrollButtons(false);
    indicatorsPage = new TabPage(SSTab1);
    transactionsPage = new TabPage(SSTab1);
    SSTab1->addTab(indicatorsPage, QStringLiteral("Indicators"));
    SSTab1->addTab(transactionsPage, QStringLiteral("Transactions"));

    Frame2 = new IndicatorSettingsTab(prompts, indicatorsPage);
    QObject::connect(Frame2, &IndicatorSettingsTab::kindChosen, &connections,
                     [this](int pane, qint16 kind) { core.state().pane(pane).kind = kind; });
    QObject::connect(Frame2, &IndicatorSettingsTab::applyRequested, &connections,
                     [this](const PaneSettings& panes) { applyIndicatorSettings(panes); });

    ListView1 = new QTreeWidget(transactionsPage);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setRootIsDecorated(false);
    ListView1->setItemsExpandable(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setColumnCount(4);
    QStringList headers;
    for (const char* h : kListHeaders)
        headers << QString::fromLatin1(h);
    ListView1->setHeaderLabels(headers);
    ListView1->header()->setStretchLastSection(false);
    ListView1->header()->setSectionsMovable(false);
    for (int c = 0; c < 4; ++c)
        ListView1->header()->resizeSection(c, twipsToPixels(kListWidths[c]));

    SumGain = new QLabel(QStringLiteral("Summarized gain"), transactionsPage);
    SumGain->setObjectName(QStringLiteral("SumGain"));
    CumGain = new QLabel(QStringLiteral("Cumulative gain"), transactionsPage);
    CumGain->setObjectName(QStringLiteral("CumGain"));
    // Their left edge and size stay as designed; the layout moves them up and down.
    place(SumGain, 120, 0, 2295, 255);
    place(CumGain, 120, 0, 2295, 255);

    // A click on a tab header widens the indicator lists, once.
    QObject::connect(SSTab1->tabBar(), &QTabBar::tabBarClicked, &connections,
                     [this](int) { Frame2->widenListsOnce(); });

    connectInteraction();
    connectTransactions();
}

void TKchartPrivate::startUp() {
    ChartState& st = core.state();
    // 1. The window and the display flags.
    st.starting_date_local = 1;
    st.ending_date_local = 200;
    st.show_ma10 = st.show_ma50 = st.show_ma200 = kTrue;
    st.show_envelopes = st.show_bands = st.show_ma_custom = kFalse;
    st.chart_hidden = kFalse;
    st.show_vertical_grid = st.show_horizontal_grid = st.show_high_low_close = kTrue;
    // 2. The overlay settings, shared by every control of the library.
    sharedOverlaySettings() = OverlaySettings{};
    // 3. No crosshair line is drawn.
    st.isVerticalLineDisplayed = st.isHorizontalLineDisplayed = kFalse;
    // 4. The transaction list selects whole rows.
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setAllColumnsShowFocus(true);
    // 5. No transactions.
    st.buy_number = st.sell_number = 0;
    // 6..8. Colours, periods and the panes' indicators.
    applyColors(kStartUpColors);
    core.readPaneSettings();
    // 9, 10. The indicator choosers.
    Frame2->fillChoosers();
    Frame2->showPanes(st.pane_settings);
}

void TKchartPrivate::applyColors(const ChartColors& defaults) {
    const ChartColors c = core.readColors(defaults);
    Picture1->setBackColor(c.chart);
    for (PictureBox* r : {TechRuler1, TechRuler2, TechRuler3, PriceRuler, DateRuler})
        r->setBackColor(c.rulers);
    setBackground(ChangeLabel, c.rulers);
    setBackground(CaptionLabel, c.rulers);
    Picture2->setBackColor(c.tech1);
    Picture3->setBackColor(c.tech2);
    Picture4->setBackColor(c.tech3);
    setBackground(ListView1, c.buySell, QPalette::Base);
    for (PictureBox* r : {TechRuler1, TechRuler2, TechRuler3, PriceRuler, DateRuler})
        r->setForeColor(c.rulersText);
    setTextColor(CaptionLabel, c.rulersText);
}

void TKchartPrivate::useStore(std::unique_ptr<SettingsStore> settings) {
    store = std::move(settings);
    core.setSettingsStore(store.get());
    applyColors(kStartUpColors);
    core.readPaneSettings();
    Frame2->showPanes(core.state().pane_settings);
}

bool TKchartPrivate::lookUpCompanyName(int cut, bool stripLineBreaks) {
    const QPointer<TKchart> alive(&q);
    // Copies: the control may be gone when the reply is there.
    const QString host = readLookupHost(store.get(), kDefaultLookupHost);
    const QString ticker = core.state().ticker_name;
    const QString caption = lookedUpCaption(
        CaptionLabel->text(), ticker, host,
        [](QString& address) {
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
            QString r = WebFetch(address);
            QGuiApplication::restoreOverrideCursor();
            return r;
        },
        cut, stripLineBreaks);
    if (!alive) return false;
    CaptionLabel->setText(caption);
    core.state().company_name = caption;
    return true;
}

void TKchartPrivate::print(const PrintTarget& target) {
    core.PrintEntireChart(target, recording ? &log : nullptr);
}

void TKchartPrivate::setRecording(bool on) {
    recording = on;
    for (PictureBox* p : pictureBoxes())
        if (p) p->surface().setLog(on ? &log : nullptr);
}

} // namespace tk5
