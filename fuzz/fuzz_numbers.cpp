// SPDX-License-Identifier: BSD-3-Clause
// The conversions from text to numbers: the history rows' leading numbers, the locale-aware
// reading of the dialogs, the Indicators tab and the settings store, and the period boxes'
// validation. The first byte picks the user's locale by its value modulo 4 (the seed corpus uses
// the digits 0 to 3): en_US, en_GB, de_DE, fr_FR; with German and French, the C library's
// numbers follow too when the system has those locales (scripts/fuzz.sh makes them), as in a Qt
// application, which takes the user's. The rest is the text, as UTF-8. Checked for each input:
//  - leadingNumber: never NaN; blanks before the text and a comma after it change nothing; a
//    finite result reads back from its own shortest C text; a text the C library reads whole
//    (in the C locale) as a decimal number gives the C library's value;
//  - textToNumber: a finite number or nothing; blanks around the text change nothing; a number
//    reads back from the locale's shortest text of it; in the locales with a decimal point, a
//    text the C library reads whole as a decimal number gives the same value, or nothing when
//    the value overflows a double;
//  - CheckField over 1..300: the verdict, the message and its icon follow textToNumber's
//    value, the box is red while the message shows and white afterwards;
//  - "Apply now" of the Indicators tab stores the RSI period rounded half to even exactly when
//    the box is valid, and tells the user otherwise;
//  - OK of the custom-average dialog stores the rounded value, refuses a value outside 16 bits
//    silently and a text that is not a number with a message; the settings store reads a
//    value the same way, counting what it cannot take as the key's default.

#include "FuzzCheck.h"

#include "common/Numbers.h"
#include "model/SettingsStore.h"
#include "ui/IndicatorSettingsTab.h"
#include "ui/OverlayDialogs.h"
#include "ui/mdlValidation.h"

#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

#include <array>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>

using namespace tk5;

namespace {

struct Message {
    QString text;
    MessageIcon icon;
    bool red; // the box under test was painted red while the message showed
};

// Keeps every message, noting the colour of the box being checked.
struct RecordingPrompts : Prompts {
    QList<Message> messages;
    const QLineEdit* box = nullptr;
    void message(const QString& text, MessageIcon icon) override {
        const bool red = box && box->palette().color(QPalette::Base) == QColor(255, 0, 0);
        messages.append({text, icon, red});
    }
    bool confirm(const QString&, const QString&, MessageIcon) override { return false; }
};

struct Locale {
    QLocale locale;
    bool decimalPoint; // "." separates the decimals
    const char* cLocale;
};

const std::array<Locale, 4>& locales() {
    static const std::array<Locale, 4> all{{
        {QLocale(QLocale::English, QLocale::UnitedStates), true, "C"},
        {QLocale(QLocale::English, QLocale::UnitedKingdom), true, "C"},
        {QLocale(QLocale::German, QLocale::Germany), false, "de_DE.UTF-8"},
        {QLocale(QLocale::French, QLocale::France), false, "fr_FR.UTF-8"},
    }};
    return all;
}

// The whole text, blanks around it left out, as the C library reads a decimal number
// (whatever the process's locale); nothing for other texts.
std::optional<double> cDecimal(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return std::nullopt;
    for (const QChar c : t)
        if (!((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('+') ||
              c == QLatin1Char('-') || c == QLatin1Char('.') || c == QLatin1Char('e') ||
              c == QLatin1Char('E')))
            return std::nullopt;
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t{});
    const std::string s = t.toStdString();
    char* end = nullptr;
    const double v = strtod_l(s.c_str(), &end, c);
    if (end != s.c_str() + s.size()) return std::nullopt;
    return v;
}

void checkLeadingNumber(const QString& text) {
    const double v = leadingNumber(text);
    TK5_FUZZ_CHECK(!std::isnan(v));
    TK5_FUZZ_CHECK(leadingNumber(QStringLiteral(" \t ") + text) == v);
    TK5_FUZZ_CHECK(leadingNumber(text + QStringLiteral(",9")) == v);
    if (std::isfinite(v))
        TK5_FUZZ_CHECK(leadingNumber(QString::fromLatin1(
                           QByteArray::number(v, 'g', QLocale::FloatingPointShortest))) == v);
    if (text == text.trimmed()) // leadingNumber skips only spaces and tabs
        if (const std::optional<double> c = cDecimal(text)) TK5_FUZZ_CHECK(v == *c);
}

std::optional<double> checkTextToNumber(const QString& text, const Locale& here) {
    const std::optional<double> v = textToNumber(text);
    TK5_FUZZ_CHECK(textToNumber(QStringLiteral(" ") + text + QStringLiteral("\t ")) == v);
    if (here.decimalPoint) {
        if (const std::optional<double> c = cDecimal(text)) {
            if (std::isinf(*c))
                TK5_FUZZ_CHECK(!v);
            else
                TK5_FUZZ_CHECK(v && *v == *c);
        }
    }
    if (!v) return v;
    TK5_FUZZ_CHECK(std::isfinite(*v));
    QLocale plain = here.locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    TK5_FUZZ_CHECK(textToNumber(plain.toString(*v, 'g', QLocale::FloatingPointShortest)) == v);
    return v;
}

// The only message of the prompts, when there is exactly one.
std::optional<Message> onlyMessage(const RecordingPrompts& prompts) {
    if (prompts.messages.size() != 1) return std::nullopt;
    return prompts.messages.front();
}

void checkField(const QString& text, const std::optional<double>& v) {
    static QLineEdit box;
    RecordingPrompts prompts;
    prompts.box = &box;
    box.setText(text);
    const FieldCheck verdict = CheckField(box, 1, 300, prompts);
    TK5_FUZZ_CHECK(box.palette().color(QPalette::Base) == QColor(255, 255, 255));
    if (v && *v >= 1 && *v <= 300) {
        TK5_FUZZ_CHECK(verdict == FieldCheck::Valid && prompts.messages.isEmpty());
        return;
    }
    const std::optional<Message> m = onlyMessage(prompts);
    TK5_FUZZ_CHECK(m && m->red);
    if (!v)
        TK5_FUZZ_CHECK(verdict == FieldCheck::NotANumber &&
                       m->text == QStringLiteral("Numeric expression required") &&
                       m->icon == MessageIcon::Exclamation);
    else if (*v < 1)
        TK5_FUZZ_CHECK(verdict == FieldCheck::BelowMin &&
                       m->text == QStringLiteral("The value has to be greater than 1") &&
                       m->icon == MessageIcon::None);
    else
        TK5_FUZZ_CHECK(verdict == FieldCheck::AboveMax &&
                       m->text == QStringLiteral("The value has to be less than 300") &&
                       m->icon == MessageIcon::None);
}

// Pane 1 shows RSI's one period box; Volume and On Balance Volume show none.
void checkApplyNow(const QString& text, const std::optional<double>& v) {
    static const auto prompts = std::make_shared<RecordingPrompts>();
    static IndicatorSettingsTab tab(prompts);
    static std::optional<PaneSettings> applied;
    static const PaneSettings shown = [] {
        PaneSettings p{};
        p[0].kind = RSI;
        p[1].kind = Volume;
        p[2].kind = OnBalanceVolume;
        p[0].rsi_periods = 77;
        tab.fillChoosers();
        QObject::connect(&tab, &IndicatorSettingsTab::applyRequested,
                         [](const PaneSettings& panes) { applied = panes; });
        return p;
    }();
    tab.showPanes(shown);
    applied.reset();
    prompts->messages.clear();
    auto* box = tab.findChild<QLineEdit*>(QStringLiteral("Text1_1"));
    TK5_FUZZ_CHECK(box && box->isVisibleTo(&tab));
    prompts->box = box;
    box->setText(text);
    tab.applyButton()->click();
    if (v && *v >= 1 && *v <= 300) {
        TK5_FUZZ_CHECK(applied && prompts->messages.isEmpty());
        TK5_FUZZ_CHECK(applied->at(0).rsi_periods == static_cast<std::int16_t>(std::nearbyint(*v)));
        TK5_FUZZ_CHECK(tab.panes()[0].rsi_periods == applied->at(0).rsi_periods);
    } else {
        TK5_FUZZ_CHECK(!applied && prompts->messages.size() == 1);
        TK5_FUZZ_CHECK(tab.panes()[0].rsi_periods == 77);
    }
}

// A number rounded half to even, when it fits 16 bits.
std::optional<std::int16_t> whole16(const std::optional<double>& v) {
    if (!v) return std::nullopt;
    const double r = std::nearbyint(*v);
    if (!(r >= -32768.0 && r <= 32767.0)) return std::nullopt;
    return static_cast<std::int16_t>(r);
}

void checkDialogAndStore(const QString& text, const std::optional<double>& v) {
    static OverlaySettings settings;
    static RecordingPrompts prompts;
    static CustomMAperiodsDialog dialog(settings, prompts);
    auto* box = dialog.findChild<QLineEdit*>(QStringLiteral("Text1"));
    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("OKButton"));
    TK5_FUZZ_CHECK(box && ok);
    settings.custom_ma_periods = 4321;
    prompts.messages.clear();
    dialog.setResult(QDialog::Rejected);
    box->setText(text);
    ok->click();
    const std::optional<std::int16_t> periods = whole16(v);
    TK5_FUZZ_CHECK(settings.custom_ma_periods == periods.value_or(4321));
    TK5_FUZZ_CHECK((dialog.result() == QDialog::Accepted) == periods.has_value());
    if (v) {
        TK5_FUZZ_CHECK(prompts.messages.isEmpty());
    } else {
        const std::optional<Message> m = onlyMessage(prompts);
        TK5_FUZZ_CHECK(m && m->text == QStringLiteral("Numeric expression required") &&
                       m->icon == MessageIcon::Exclamation);
    }

    const MemorySettingsStore store({{QStringLiteral("1RSI_periods"), text}});
    TK5_FUZZ_CHECK(store.readInt16(QStringLiteral("1RSI_periods"), 4321) == periods.value_or(4321));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Qt gets arguments of its own: libFuzzer's options are not Qt's to read.
    static int argc = 1;
    static char name[] = "fuzz_numbers";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const Locale& here = locales()[data[0] % locales().size()];
    QLocale::setDefault(here.locale);
    if (!std::setlocale(LC_NUMERIC, here.cLocale)) std::setlocale(LC_NUMERIC, "C");
    const QString text = QString::fromUtf8(fuzz::bytesOf(data + 1, size - 1));
    checkLeadingNumber(text);
    const std::optional<double> v = checkTextToNumber(text, here);
    checkField(text, v);
    checkApplyNow(text, v);
    checkDialogAndStore(text, v);
    return 0;
}
