#include "platform/NetworkPortLoader.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

#include "platform/NetworkPortModule.h"

namespace zorvex {

namespace {
constexpr const char* kModuleFile = "zorvex-network.so";
}  // namespace

QStringList NetworkPortLoader::InstalledPlaces() {
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QString file = QString::fromLatin1(kModuleFile);
    return {programFolder + QLatin1Char('/') + file,
            programFolder + QStringLiteral("/" ZORVEX_MODULE_DIR_FROM_BIN "/") + file};
}

NetworkPortLoader::NetworkPortLoader(QStringList places) : places_(std::move(places)) {}

bool NetworkPortLoader::Load(std::string& why) {
    if (module_.isLoaded()) {
        return true;
    }
    for (const QString& place : places_) {
        if (!QFileInfo::exists(place)) {
            continue;
        }
        module_.setFileName(place);
        if (module_.load()) {
            return true;
        }
        why =
            "the network serial server module did not load: " + module_.errorString().toStdString();
        return false;
    }
    why = std::string("the network serial server module ") + kModuleFile +
          " is not installed (looked in " + places_.join(QStringLiteral(", ")).toStdString() + ")";
    return false;
}

std::unique_ptr<SerialPort> NetworkPortLoader::MakePort(const SerialPortMap& map,
                                                        std::string& why) {
    if (!Load(why)) {
        return nullptr;
    }
    auto make = reinterpret_cast<MakeNetworkPortFunction>(module_.resolve(kMakeNetworkPortSymbol));
    if (make == nullptr) {
        why = module_.fileName().toStdString() +
              " is not the network module of this version of the tool";
        return nullptr;
    }
    return std::unique_ptr<SerialPort>(make(map));
}

}  // namespace zorvex
