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

// Positions in twips (left, top, width, height) inside the dialog's client area.
struct Twips {
    int left, top, width, height;
};

constexpr int kCustomWidth = 3090, kCustomHeight = 1335;
constexpr Twips kCustomLabel1 = {240, 225, 1755, 255};
constexpr Twips kCustomText1 = {2160, 240, 435, 255};
constexpr Twips kCustomOK = {180, 720, 1215, 375};
constexpr Twips kCustomCancel = {1680, 720, 1215, 375};

constexpr int kEnvelopesWidth = 3405, kEnvelopesHeight = 1815;
constexpr Twips kEnvelopesLabel1 = {315, 315, 1755, 255};
constexpr Twips kEnvelopesText1 = {2235, 330, 435, 255};
constexpr Twips kEnvelopesLabel2 = {315, 675, 1755, 255};
constexpr Twips kEnvelopesText2 = {2235, 690, 435, 255};
constexpr Twips kEnvelopesOK = {360, 1170, 1215, 375};
constexpr Twips kEnvelopesCancel = {1800, 1170, 1215, 375};

void place(QWidget& w, const Twips& t) {
    w.setGeometry(twipsToPixels(QRectF(t.left, t.top, t.width, t.height)));
}

// Name, caption, font and fixed client size of a dialog; the children inherit the font.
void setUp(QDialog& dialog, const QString& name, const QString& title, int widthTwips,
           int heightTwips) {
    dialog.setObjectName(name);
    dialog.setWindowTitle(title);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(11); // 8.25 pt at 96 dpi, like the rest of the control
    dialog.setFont(f);
    dialog.setFixedSize(twipsToPixels(widthTwips), twipsToPixels(heightTwips));
}

void addLabel(QDialog& dialog, const QString& name, const QString& text, const Twips& at) {
    auto* label = new QLabel(text, &dialog);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    place(*label, at);
}

QLineEdit* addBox(QDialog& dialog, const QString& name, const QString& text, const Twips& at) {
    auto* box = new QLineEdit(text, &dialog);
    box->setObjectName(name);
    place(*box, at);
    return box;
}

QPushButton* addButton(QDialog& dialog, const QString& name, const QString& text, const Twips& at) {
    auto* button = new QPushButton(text, &dialog);
    button->setObjectName(name);
    place(*button, at);
    return button;
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

// Runs a button's action so that no failure reaches the event loop; a failed action leaves
// the dialog open.
template <typename Action> void guarded(Action action) noexcept {
    try {
        action();
    } catch (...) {
        // The dialog stays as it is; the user may try again or cancel.
    }
}

} // namespace

CustomMAperiodsDialog::CustomMAperiodsDialog(OverlaySettings& settings, Prompts& prompts,
                                             QWidget* parent)
    : QDialog(parent), settings_(settings), prompts_(prompts) {
    setUp(*this, QStringLiteral("frmCustomMAperiods"), QStringLiteral("Enter periods"),
          kCustomWidth, kCustomHeight);
    addLabel(*this, QStringLiteral("Label1"), QStringLiteral("Moving average periods"),
             kCustomLabel1);
    text1_ = addBox(*this, QStringLiteral("Text1"), QStringLiteral("30"), kCustomText1);
    ok_ = addButton(*this, QStringLiteral("OKButton"), QStringLiteral("OK"), kCustomOK);
    cancel_ =
        addButton(*this, QStringLiteral("CancelButton"), QStringLiteral("Cancel"), kCustomCancel);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, [this] { guarded([this] { ok(); }); });
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    // Load: the periods in use.
    text1_->setText(QString::number(settings_.custom_ma_periods));
}

void CustomMAperiodsDialog::ok() {
    const std::optional<std::int16_t> periods = readPeriods(*text1_, *text1_, prompts_);
    if (!periods) return;
    settings_.custom_ma_periods = *periods;
    accept();
}

EnvelopesDialog::EnvelopesDialog(OverlaySettings& settings, Prompts& prompts, QWidget* parent)
    : QDialog(parent), settings_(settings), prompts_(prompts) {
    setUp(*this, QStringLiteral("frmEnvelopes"), QStringLiteral("Enter Envelopes Settings"),
          kEnvelopesWidth, kEnvelopesHeight);
    addLabel(*this, QStringLiteral("Label1"), QStringLiteral("Moving average periods"),
             kEnvelopesLabel1);
    text1_ = addBox(*this, QStringLiteral("Text1"), QStringLiteral("20"), kEnvelopesText1);
    addLabel(*this, QStringLiteral("Label2"), QStringLiteral("Percentage difference"),
             kEnvelopesLabel2);
    text2_ = addBox(*this, QStringLiteral("Text2"), QStringLiteral("5"), kEnvelopesText2);
    ok_ = addButton(*this, QStringLiteral("OKButton"), QStringLiteral("OK"), kEnvelopesOK);
    cancel_ = addButton(*this, QStringLiteral("CancelButton"), QStringLiteral("Cancel"),
                        kEnvelopesCancel);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, [this] { guarded([this] { ok(); }); });
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    // Load: the periods in use. The percentage box keeps its 5 whatever the settings hold.
    text1_->setText(QString::number(settings_.envelope_periods));
}

void EnvelopesDialog::ok() {
    // Each box is stored as soon as it is read, so a later failure keeps the earlier value.
    const std::optional<std::int16_t> periods = readPeriods(*text1_, *text1_, prompts_);
    if (!periods) return;
    settings_.envelope_periods = *periods;
    const std::optional<std::int16_t> percent = readPeriods(*text2_, *text1_, prompts_);
    if (!percent) return;
    settings_.envelope_percent = *percent;
    accept();
}

void showCustomMAperiodsDialog(QWidget* parent, OverlaySettings& settings, Prompts& prompts) {
    guarded([&] {
        CustomMAperiodsDialog dialog(settings, prompts, parent);
        dialog.exec();
    });
}

void showEnvelopesDialog(QWidget* parent, OverlaySettings& settings, Prompts& prompts) {
    guarded([&] {
        EnvelopesDialog dialog(settings, prompts, parent);
        dialog.exec();
    });
}

} // namespace tk5
