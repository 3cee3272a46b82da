#pragma once

#include <QString>
#include <memory>

#include "core/settings/SettingsStore.h"

class QSettings;

namespace zorvex {

// The settings store as an INI file "<config folder>/Zorvex/<application title>.conf"
// (on Windows, Qt's native per-user store). Sections are INI groups.
class QtSettingsStore : public SettingsStore {
public:
    explicit QtSettingsStore(const QString& applicationTitle);
    ~QtSettingsStore() override;

    std::string Read(std::string_view section, std::string_view key,
                     std::string_view defaultValue) const override;
    void Write(std::string_view section, std::string_view key, std::string_view value) override;

    QString Location() const;

private:
    std::unique_ptr<QSettings> settings_;
};

}  // namespace zorvex
