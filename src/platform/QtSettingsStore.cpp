#include "platform/QtSettingsStore.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace zorvex {

namespace {
QString ToQt(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QString KeyPath(std::string_view section, std::string_view key) {
    return ToQt(section) + QLatin1Char('/') + ToQt(key);
}
}  // namespace

QtSettingsStore::QtSettingsStore(const QString& applicationTitle) {
#ifdef Q_OS_WIN
    settings_ = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            QStringLiteral("Zorvex"), applicationTitle);
#else
    // XDG_CONFIG_HOME, falling back to ~/.config, as the desktop expects.
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty()) {
        base = QDir::homePath() + QStringLiteral("/.config");
    }
    settings_ = std::make_unique<QSettings>(
        base + QStringLiteral("/Zorvex/") + applicationTitle + QStringLiteral(".conf"),
        QSettings::IniFormat);
#endif
    pendingWrites_.setSingleShot(true);
    QObject::connect(&pendingWrites_, &QTimer::timeout, [this] { settings_->sync(); });
}

// QSettings writes what is still pending as it goes.
QtSettingsStore::~QtSettingsStore() = default;

std::string QtSettingsStore::Read(std::string_view section, std::string_view key,
                                  std::string_view defaultValue) const {
    // A fresh look at the file, so another writer's change is seen; while this store's own
    // writes wait, what it holds is newer than the file.
    if (!pendingWrites_.isActive()) {
        settings_->sync();
    }
    QVariant value = settings_->value(KeyPath(section, key));
    if (!value.isValid()) {
        return std::string(defaultValue);
    }
    return value.toString().toLatin1().toStdString();
}

void QtSettingsStore::Write(std::string_view section, std::string_view key,
                            std::string_view value) {
    settings_->setValue(KeyPath(section, key), ToQt(value));
    pendingWrites_.start();
}

QString QtSettingsStore::Location() const {
    return settings_->fileName();
}

}  // namespace zorvex
