// SPDX-License-Identifier: BSD-3-Clause
#include "SettingsStore.h"

#include <QSettings>

#include <cmath>

namespace tk5 {

namespace {

std::optional<std::int64_t> wholeNumber(const QString& text) {
    if (text.isNull()) return std::nullopt;
    const std::optional<double> v = textToNumber(text);
    if (!v || std::fabs(*v) > 9.0e15) return std::nullopt;
    return static_cast<std::int64_t>(std::nearbyint(*v));
}

} // namespace

std::int32_t SettingsStore::readInt32(const QString& key, std::int32_t fallback) const {
    const auto v = wholeNumber(value(key));
    if (!v || *v < INT32_MIN || *v > INT32_MAX) return fallback;
    return static_cast<std::int32_t>(*v);
}

std::int16_t SettingsStore::readInt16(const QString& key, std::int16_t fallback) const {
    const auto v = wholeNumber(value(key));
    if (!v || *v < INT16_MIN || *v > INT16_MAX) return fallback;
    return static_cast<std::int16_t>(*v);
}

QSettingsStore::QSettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            QStringLiteral("Tavik5"), QStringLiteral("Tavik5"))) {}

QSettingsStore::~QSettingsStore() = default;

QString QSettingsStore::value(const QString& key) const {
    const QVariant v = settings_->value(QStringLiteral("Settings/") + key);
    return v.isValid() ? v.toString() : QString();
}

void QSettingsStore::setValue(const QString& key, const QString& text) {
    settings_->setValue(QStringLiteral("Settings/") + key, text);
}

} // namespace tk5
