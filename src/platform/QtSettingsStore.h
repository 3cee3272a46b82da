#pragma once

#include <QString>
#include <QTimer>
#include <memory>

#include "core/settings/SettingsStore.h"

class QSettings;

namespace zorvex {

// The settings store as an INI file "<config folder>/Zorvex/<application title>.conf"
// (on Windows, Qt's native per-user store). Sections are INI groups.
//
// A read takes a fresh look at the file, so another writer's change is seen. Writes go out
// together on the event loop's next turn (and at the latest when the store goes): a run of
// them, as at start-up or exit, rewrites the file once instead of once each.
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
    QTimer pendingWrites_;  // running while writes wait to go out
};

}  // namespace zorvex
