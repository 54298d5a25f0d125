// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "common/Numbers.h"

#include <QMap>
#include <QString>

#include <cstdint>
#include <memory>

class QSettings;

namespace tk5 {

// The per-user store of text values by key, under application "Tavik5", section "Settings".
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The stored text, or a null QString when the key has none.
    virtual QString value(const QString& key) const = 0;
    virtual void setValue(const QString& key, const QString& text) = 0;

    // A stored value that is missing, not a whole number, or out of the type's range counts
    // as the key's default.
    std::int32_t readInt32(const QString& key, std::int32_t fallback) const;
    std::int16_t readInt16(const QString& key, std::int16_t fallback) const;
};

// The user's real store (QSettings, native format, user scope).
class QSettingsStore : public SettingsStore {
public:
    QSettingsStore();
    ~QSettingsStore() override;
    QString value(const QString& key) const override;
    void setValue(const QString& key, const QString& text) override;

private:
    std::unique_ptr<QSettings> settings_;
};

// A store kept in memory, for tests and for hosts that keep their own settings.
class MemorySettingsStore : public SettingsStore {
public:
    explicit MemorySettingsStore(QMap<QString, QString> values = {}) : values_(std::move(values)) {}
    QString value(const QString& key) const override { return values_.value(key); }
    void setValue(const QString& key, const QString& text) override { values_[key] = text; }
    const QMap<QString, QString>& values() const { return values_; }

private:
    QMap<QString, QString> values_;
};

} // namespace tk5
