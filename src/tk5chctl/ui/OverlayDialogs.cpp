// SPDX-License-Identifier: BSD-3-Clause
#include "OverlayDialogs.h"

#include "common/Numbers.h"
#include "common/Twips.h"

#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>
#include <optional>

namespace tk5 {

namespace {

// A place in twips (left, top, width, height) inside the dialog's client area.
struct Twips {
    int left, top, width, height;
};

// A labelled number box and the setting it edits.
struct BoxLayout {
    const char* labelText;
    Twips label;
    const char* initialText;
    Twips box;
    std::int16_t OverlaySettings::*setting;
    bool loaded; // the box opens at the setting's value, not at its initial text
};

struct DialogLayout {
    const char* name;
    const char* title;
    int width, height;
    std::vector<BoxLayout> boxes;
    Twips ok, cancel;
};

const DialogLayout& layoutOf(OverlayDialog::Kind kind) {
    static const DialogLayout custom{"frmCustomMAperiods",
                                     "Enter periods",
                                     3090,
                                     1335,
                                     {{"Moving average periods",
                                       {240, 225, 1755, 255},
                                       "30",
                                       {2160, 240, 435, 255},
                                       &OverlaySettings::custom_ma_periods,
                                       true}},
                                     {180, 720, 1215, 375},
                                     {1680, 720, 1215, 375}};
    static const DialogLayout envelopes{"frmEnvelopes",
                                        "Enter Envelopes Settings",
                                        3405,
                                        1815,
                                        {{"Moving average periods",
                                          {315, 315, 1755, 255},
                                          "20",
                                          {2235, 330, 435, 255},
                                          &OverlaySettings::envelope_periods,
                                          true},
                                         {"Percentage difference",
                                          {315, 675, 1755, 255},
                                          "5",
                                          {2235, 690, 435, 255},
                                          &OverlaySettings::envelope_percent,
                                          false}},
                                        {360, 1170, 1215, 375},
                                        {1800, 1170, 1215, 375}};
    return kind == OverlayDialog::Kind::CustomMAperiods ? custom : envelopes;
}

template <typename W> W* placed(W* w, const QString& name, const Twips& t) {
    w->setObjectName(name);
    w->setGeometry(twipsToPixels(QRectF(t.left, t.top, t.width, t.height)));
    return w;
}

// The text of a box as whole periods, rounded half to even. A text that is not a number is
// told to the user and sends the keyboard focus to focusBox; a number that rounds outside
// the 16-bit range is refused without a word. Both give nothing.
std::optional<std::int16_t> readPeriods(const QLineEdit& box, QLineEdit& focusBox,
                                        Prompts& prompts) {
    const std::optional<double> value = textToNumber(box.text());
    if (!value) {
        prompts.message(QStringLiteral("Numeric expression required"), MessageIcon::Exclamation);
        focusBox.setFocus();
        return std::nullopt;
    }
    const double whole = std::nearbyint(*value);
    if (!(whole >= -32768.0 && whole <= 32767.0)) return std::nullopt;
    return static_cast<std::int16_t>(whole);
}

// Runs an action so that no failure reaches the event loop; a failed OK leaves the dialog
// open.
template <typename Action> void guarded(Action action) noexcept {
    try {
        action();
    } catch (...) {
        // The dialog stays as it is; the user may try again or cancel.
    }
}

} // namespace

OverlayDialog::OverlayDialog(Kind kind, OverlaySettings& settings, Prompts& prompts,
                             QWidget* parent)
    : QDialog(parent), settings_(settings), prompts_(prompts) {
    const DialogLayout& l = layoutOf(kind);
    setObjectName(QString::fromLatin1(l.name));
    setWindowTitle(QString::fromLatin1(l.title));
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(11); // 8.25 pt at 96 dpi, like the rest of the control; children inherit it
    setFont(f);
    setFixedSize(twipsToPixels(l.width), twipsToPixels(l.height));
    int n = 0;
    for (const BoxLayout& b : l.boxes) {
        const QString number = QString::number(++n);
        auto* label = placed(new QLabel(QString::fromLatin1(b.labelText), this),
                             QStringLiteral("Label") + number, b.label);
        label->setTextFormat(Qt::PlainText);
        // Load: a loaded box shows the setting in use, the others their initial text.
        const QString text =
            b.loaded ? QString::number(settings_.*(b.setting)) : QString::fromLatin1(b.initialText);
        boxes_.push_back(
            {placed(new QLineEdit(text, this), QStringLiteral("Text") + number, b.box), b.setting});
    }
    auto* okButton =
        placed(new QPushButton(QStringLiteral("OK"), this), QStringLiteral("OKButton"), l.ok);
    auto* cancelButton = placed(new QPushButton(QStringLiteral("Cancel"), this),
                                QStringLiteral("CancelButton"), l.cancel);
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, [this] { guarded([this] { ok(); }); });
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void OverlayDialog::ok() {
    for (const Box& b : boxes_) {
        const std::optional<std::int16_t> value =
            readPeriods(*b.edit, *boxes_.front().edit, prompts_);
        if (!value) return;
        settings_.*(b.setting) = *value;
    }
    accept();
}

void showCustomMAperiodsDialog(QWidget* parent, OverlaySettings& settings, Prompts& prompts) {
    guarded([&] { CustomMAperiodsDialog(settings, prompts, parent).exec(); });
}

void showEnvelopesDialog(QWidget* parent, OverlaySettings& settings, Prompts& prompts) {
    guarded([&] { EnvelopesDialog(settings, prompts, parent).exec(); });
}

} // namespace tk5
