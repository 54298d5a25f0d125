// SPDX-License-Identifier: BSD-3-Clause
#include "IndicatorSettingsTab.h"

#include "mdlComboFix.h"
#include "mdlValidation.h"

#include "common/Numbers.h"
#include "common/Twips.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace tk5 {

namespace {

using Field = std::int16_t IndicatorSettings::*;

// The bounds every period box must lie in.
constexpr std::int16_t kMinPeriods = 1;
constexpr std::int16_t kMaxPeriods = 300;

// One period row of a kind: its caption and the field its box shows and sets. A row without
// a field is hidden.
struct PeriodRow {
    const char* caption = nullptr;
    Field field = nullptr;
};
using KindRows = std::array<PeriodRow, 3>;

constexpr std::array<KindRows, 10> kRowsOfKind = {{
    {},                                                           // 1 Volume
    {{{"RSI periods", &IndicatorSettings::rsi_periods}, {}, {}}}, // 2 RSI
    {{{"%K periods fast", &IndicatorSettings::fs_periods_k},      // 3 Fast Stochastic
      {"%D periods fast", &IndicatorSettings::fs_periods_d},
      {}}},
    {{{"%K periods slow", &IndicatorSettings::ss_periods_k}, // 4 Slow Stochastic
      {"%D periods slow", &IndicatorSettings::ss_periods_d},
      {}}},
    {{{"First MA per.", &IndicatorSettings::macd_periods1}, // 5 MACD
      {"Second MA per.", &IndicatorSettings::macd_periods2},
      {"Signal MA per.", &IndicatorSettings::macd_periods3}}},
    {{{"1st periods", &IndicatorSettings::exp_ma_periods1}, // 6 Exp. MA Difference
      {"2nd periods", &IndicatorSettings::exp_ma_periods2},
      {}}},
    {{{"Momentum per.", &IndicatorSettings::momentum_periods}, {}, {}}}, // 7 Momentum
    {{{"1st periods", &IndicatorSettings::volatility_periods1},          // 8 Volatility
      {"2nd periods", &IndicatorSettings::volatility_periods2},
      {}}},
    {}, // 9 On Balance Volume
    // 10 Money Flow Index: the same caption as Momentum.
    {{{"Momentum per.", &IndicatorSettings::money_flow_periods}, {}, {}}},
}};

// The rows of a kind; a kind outside 1..10 has none.
KindRows rowsOfKind(std::int16_t kind) {
    if (kind < 1 || kind > 10) return {};
    return kRowsOfKind[static_cast<size_t>(kind - 1)];
}

// Positions in twips (left, top, width, height) inside the frame.
struct Twips {
    int left, top, width, height;
};
constexpr Twips kFrame = {120, 420, 2265, 6825};
constexpr std::array<Twips, 3> kCombo = {
    {{180, 360, 1935, 315}, {180, 1905, 1935, 315}, {180, 3540, 1935, 315}}};
// [row][pane]
constexpr std::array<std::array<Twips, 3>, 3> kLabel = {{
    {{{240, 780, 1215, 195}, {240, 2445, 1275, 195}, {240, 4080, 1275, 195}}},
    {{{240, 1140, 1275, 255}, {240, 2805, 1275, 255}, {240, 4440, 1215, 255}}},
    {{{240, 1500, 1275, 255}, {240, 3165, 1275, 255}, {240, 4800, 1275, 255}}},
}};
constexpr std::array<std::array<Twips, 3>, 3> kText = {{
    {{{1560, 780, 495, 285}, {1560, 2385, 495, 285}, {1560, 4020, 495, 285}}},
    {{{1560, 1140, 495, 285}, {1560, 2745, 495, 285}, {1560, 4380, 495, 285}}},
    {{{1560, 1500, 495, 285}, {1560, 3105, 495, 285}, {1560, 4740, 495, 285}}},
}};
constexpr Twips kCommand1 = {240, 6180, 1815, 315};

void place(QWidget& w, const Twips& t) {
    w.setGeometry(twipsToPixels(QRectF(t.left, t.top, t.width, t.height)));
}

size_t at(int pane) { return static_cast<size_t>(pane - 1); }

} // namespace

IndicatorSettingsTab::IndicatorSettingsTab(std::shared_ptr<Prompts> prompts, QWidget* parent)
    : QGroupBox(parent), prompts_(std::move(prompts)) {
    setObjectName(QStringLiteral("Frame2"));
    setTitle(QStringLiteral("Indicators"));
    place(*this, kFrame);

    for (int p = 1; p <= 3; ++p) {
        const QString n = QString::number(p);
        auto* combo = new QComboBox(this);
        combo->setObjectName(QStringLiteral("Combo_") + n);
        place(*combo, kCombo[at(p)]);
        OpenListOnFocus(*combo);
        connect(combo, &QComboBox::currentIndexChanged, this,
                [this, p](int index) { choose(p, index); });
        // A user who picks the entry already selected still "clicks" the chooser. Picking
        // another entry raises both signals; choosing twice has the effect of once.
        connect(combo, &QComboBox::activated, this, [this, p](int index) { choose(p, index); });
        combos_[at(p)] = combo;

        for (int r = 1; r <= 3; ++r) {
            Row& row = rows_[at(p)][at(r)];
            const QString rp = QString::number(r) + QLatin1Char('_') + n;
            row.label = new QLabel(this);
            row.label->setObjectName(QStringLiteral("Label") + rp);
            place(*row.label, kLabel[at(r)][at(p)]);
            row.text = new QLineEdit(this);
            row.text->setObjectName(QStringLiteral("Text") + rp);
            place(*row.text, kText[at(r)][at(p)]);
            row.label->hide();
            row.text->hide();
        }
    }

    command1_ = new QPushButton(QStringLiteral("Apply now"), this);
    command1_->setObjectName(QStringLiteral("Command1"));
    place(*command1_, kCommand1);
    connect(command1_, &QPushButton::clicked, this, [this] { apply(); });
}

void IndicatorSettingsTab::fillChoosers() {
    for (QComboBox* combo : combos_) {
        // Filling must not count as choosing: the panes keep the kinds read at start-up
        // until showPanes() selects them.
        const QSignalBlocker quiet(combo);
        combo->clear();
        for (std::int16_t kind = 1; kind <= 10; ++kind)
            combo->addItem(indicatorName(kind));
        combo->setCurrentIndex(-1);
    }
}

void IndicatorSettingsTab::showPanes(const PaneSettings& panes) {
    panes_ = panes;
    for (int p = 1; p <= 3; ++p) {
        QComboBox* combo = combos_[at(p)];
        const std::int16_t kind = panes_[at(p)].kind;
        const bool listed = kind >= 1 && kind <= 10 && kind <= combo->count();
        const int position = listed ? kind - 1 : -1;
        {
            // Selecting by code is not a user's choice: the rows show, nothing is reported.
            const QSignalBlocker quiet(combo);
            combo->setCurrentIndex(position);
        }
        showRows(p);
    }
}

void IndicatorSettingsTab::widenListsOnce() {
    if (listsWidened_) return;
    listsWidened_ = true;
    for (QComboBox* combo : combos_)
        WidenList(*combo);
}

void IndicatorSettingsTab::pauseListOpening(bool paused) {
    for (QComboBox* combo : combos_)
        PauseListOpening(*combo, paused);
}

QComboBox* IndicatorSettingsTab::chooser(int pane) const {
    return pane >= 1 && pane <= 3 ? combos_[at(pane)] : nullptr;
}

QPushButton* IndicatorSettingsTab::applyButton() const { return command1_; }

void IndicatorSettingsTab::choose(int pane, int listPosition) {
    if (listPosition < 0 || listPosition >= 10) return;
    const auto kind = static_cast<std::int16_t>(listPosition + 1);
    panes_[at(pane)].kind = kind;
    showRows(pane);
    Q_EMIT kindChosen(pane, kind);
}

void IndicatorSettingsTab::showRows(int pane) {
    const IndicatorSettings& settings = panes_[at(pane)];
    const KindRows periodRows = rowsOfKind(settings.kind);
    for (size_t r = 0; r < 3; ++r) {
        const Row& row = rows_[at(pane)][r];
        const PeriodRow& periodRow = periodRows[r];
        if (periodRow.field) {
            row.label->setText(QString::fromLatin1(periodRow.caption));
            row.text->setText(QString::number(settings.*periodRow.field));
        }
        row.label->setVisible(periodRow.field != nullptr);
        row.text->setVisible(periodRow.field != nullptr);
    }
}

bool IndicatorSettingsTab::validateShownRows() {
    bool allValid = true;
    for (int p = 1; p <= 3; ++p) {
        const KindRows periodRows = rowsOfKind(panes_[at(p)].kind);
        for (size_t r = 0; r < 3; ++r) {
            if (!periodRows[r].field) continue;
            switch (CheckField(*rows_[at(p)][r].text, kMinPeriods, kMaxPeriods, *prompts_)) {
            case FieldCheck::Valid:
                break;
            case FieldCheck::NotANumber:
                return false; // no later field is checked
            case FieldCheck::BelowMin:
            case FieldCheck::AboveMax:
                allValid = false;
                break;
            }
        }
    }
    return allValid;
}

void IndicatorSettingsTab::apply() {
    if (!validateShownRows()) return;
    PaneSettings panes = panes_;
    for (int p = 1; p <= 3; ++p) {
        IndicatorSettings& settings = panes[at(p)];
        const KindRows periodRows = rowsOfKind(settings.kind);
        for (size_t r = 0; r < 3; ++r) {
            if (!periodRows[r].field) continue;
            // Validated: a number within 1..300, so it fits.
            const std::optional<double> value = textToNumber(rows_[at(p)][r].text->text());
            settings.*periodRows[r].field = toInt16(value.value_or(0.0));
        }
    }
    panes_ = panes;
    Q_EMIT applyRequested(panes);
}

} // namespace tk5
