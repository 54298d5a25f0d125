// Creating the control's children, the start-up sequence and the colour and indicator
// settings.

#include "TKchartPrivate.h"

#include "SettingsKeys.h"

#include "ClickLabel.h"
#include "PictureBox.h"
#include "ui/IndicatorSettingsTab.h"

#include <QHeaderView>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>

namespace tk5 {

namespace {

QColor toQColor(Color c) { return QColor(redOf(c), greenOf(c), blueOf(c)); }

void setBackground(QWidget* w, Color c, QPalette::ColorRole role = QPalette::Window) {
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

Color readColor(const SettingsStore& store, const QString& key, Color fallback) {
    const std::int32_t v = store.readInt32(key, static_cast<std::int32_t>(fallback));
    if (v < 0 || v > 0xFFFFFF) return fallback;
    return static_cast<Color>(v);
}

TabPage::TabPage(QTabWidget* strip) : QWidget(strip), strip_(strip) {}

void TabPage::place(QWidget* child, const QRectF& twips) {
    for (auto& entry : children_)
        if (entry.first == child) {
            entry.second = twips;
            placeOne(child, twips);
            return;
        }
    children_.emplace_back(child, twips);
    placeOne(child, twips);
}

void TabPage::placeOne(QWidget* child, const QRectF& twips) {
    // Where this page begins inside the strip, below the tab headers.
    const QPoint offset = isAncestorOf(child) && strip_->isAncestorOf(this)
                              ? mapTo(strip_, QPoint(0, 0))
                              : QPoint(0, 0);
    child->setGeometry(ImageSurface::toPixel(static_cast<float>(twips.left())) - offset.x(),
                       ImageSurface::toPixel(static_cast<float>(twips.top())) - offset.y(),
                       ImageSurface::toPixel(static_cast<float>(twips.width())),
                       ImageSurface::toPixel(static_cast<float>(twips.height())));
}

void TabPage::placeAll() {
    for (const auto& entry : children_)
        if (entry.first) placeOne(entry.first, entry.second);
}

void TabPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeAll();
}

void TabPage::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    placeAll();
}

void TabPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    placeAll();
}

TKchartPrivate::TKchartPrivate(TKchart& owner, std::unique_ptr<SettingsStore> settings)
    : q(owner), store(std::move(settings)), ownPrompts(&owner) {
    core.setSettingsStore(store.get());
    core.onDrawComplete = [this] { emit q.DrawComplete(); };
    core.onCaptionChanged = [this] { syncCaptions(); };
}

TKchartPrivate::~TKchartPrivate() = default;

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
    setTextColor(ChangeLabel, core.state().change_color);

    // The time buttons in their released look: dark text on white.
    TimeBackward = new ClickLabel(QStringLiteral("TimeBackward"), QStringLiteral("<<"), &q);
    TimeForward = new ClickLabel(QStringLiteral("TimeForward"), QStringLiteral(">>"), &q);
    for (ClickLabel* b : {TimeBackward, TimeForward}) {
        b->setFont(arial(true));
        setBackground(b, RGB(255, 255, 255));
        setTextColor(b, RGB(35, 35, 35));
    }

    SSTab1 = new QTabWidget(&q);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->setDocumentMode(false);
    SSTab1->setUsesScrollButtons(false);
    indicatorsPage = new TabPage(SSTab1);
    transactionsPage = new TabPage(SSTab1);
    SSTab1->addTab(indicatorsPage, QStringLiteral("Indicators"));
    SSTab1->addTab(transactionsPage, QStringLiteral("Transactions"));

    Frame2 = new IndicatorSettingsTab(core, prompts, indicatorsPage);
    if (Frame2->objectName().isEmpty()) Frame2->setObjectName(QStringLiteral("Frame2"));

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
        ListView1->header()->resizeSection(c, ImageSurface::toPixel(kListWidths[c]));

    SumGain = new QLabel(QStringLiteral("Summarized gain"), transactionsPage);
    SumGain->setObjectName(QStringLiteral("SumGain"));
    CumGain = new QLabel(QStringLiteral("Cumulative gain"), transactionsPage);
    CumGain->setObjectName(QStringLiteral("CumGain"));
    // Their left edge and size stay as designed; the layout moves them up and down.
    place(SumGain, 120, 0, 2295, 255);
    place(CumGain, 120, 0, 2295, 255);

    // A click on a tab header widens the indicator lists, once.
    QObject::connect(SSTab1->tabBar(), &QTabBar::tabBarClicked, &q, [this](int) {
        try {
            Frame2->widenListsOnce();
        } catch (...) {}
    });
}

void TKchartPrivate::startUp() {
    ChartState& st = core.state();
    // 1. The window and the display flags.
    st.starting_date_local = 1;
    st.ending_date_local = 200;
    st.show_ma10 = st.show_ma50 = st.show_ma200 = kTrue;
    st.show_envelopes = st.show_bands = st.show_ma_custom = kFalse;
    st.chart_hidden = st.combos_extended = kFalse;
    st.show_vertical_grid = st.show_horizontal_grid = st.show_high_low_close = kTrue;
    // 2. The overlay settings, shared by every control of the library.
    overlaySettings() = OverlaySettings{};
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
    readPeriods();
    readKinds();
    // 9, 10. The indicator choosers.
    try {
        Frame2->fillChoosers();
        Frame2->selectPaneKinds();
    } catch (...) {
        // A chooser that cannot be filled leaves the tab incomplete, never the host broken.
    }
}

void TKchartPrivate::applyColors(const ColorDefaults& defaults) {
    const SettingsStore& s = *store;
    Picture1->setBackColor(readColor(s, QStringLiteral("BkgChart"), defaults.chart));

    const Color rulers = readColor(s, QStringLiteral("BkgRulers"), defaults.rulers);
    for (PictureBox* r : {TechRuler1, TechRuler2, TechRuler3, PriceRuler, DateRuler})
        r->setBackColor(rulers);
    setBackground(ChangeLabel, rulers);
    setBackground(CaptionLabel, rulers);

    Picture2->setBackColor(readColor(s, QStringLiteral("BkgTech1"), defaults.tech1));
    Picture3->setBackColor(readColor(s, QStringLiteral("BkgTech2"), defaults.tech2));
    Picture4->setBackColor(readColor(s, QStringLiteral("BkgTech3"), defaults.tech3));

    setBackground(ListView1, readColor(s, QStringLiteral("BkgBuySell"), defaults.buySell),
                  QPalette::Base);

    const Color text = readColor(s, QStringLiteral("BkgRulersText"), defaults.rulersText);
    for (PictureBox* r : {TechRuler1, TechRuler2, TechRuler3, PriceRuler, DateRuler})
        r->setForeColor(text);
    setTextColor(CaptionLabel, text);
}

void TKchartPrivate::readPeriods() {
    for (int n = 1; n <= 3; ++n) {
        IndicatorSettings& pane = core.state().pane(n);
        for (const PeriodKey& k : kPeriodKeys)
            pane.*k.field = store->readInt16(periodKey(n, k), k.fallback);
    }
}

void TKchartPrivate::readKinds() {
    for (int p = 1; p <= 3; ++p)
        core.state().pane(p).kind = store->readInt16(kindKey(p), kDefaultKinds[size_t(p - 1)]);
}

void TKchartPrivate::useStore(std::unique_ptr<SettingsStore> settings) {
    store = std::move(settings);
    core.setSettingsStore(store.get());
    applyColors(kStartUpColors);
    readPeriods();
    readKinds();
    try {
        Frame2->selectPaneKinds();
    } catch (...) {}
}

void TKchartPrivate::syncCaptions() {
    const ChartState& st = core.state();
    CaptionLabel->setText(st.caption);
    ChangeLabel->setText(st.change_caption);
    setTextColor(ChangeLabel, st.change_color);
}

void TKchartPrivate::setRecording(bool on) {
    recording = on;
    for (PictureBox* p : pictureBoxes())
        p->surface().setLog(on ? &log : nullptr);
}

} // namespace tk5
