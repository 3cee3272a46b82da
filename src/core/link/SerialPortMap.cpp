#include "core/link/SerialPortMap.h"

#include "core/link/NetworkAddress.h"
#include "core/settings/SettingsStore.h"

namespace zorvex {

namespace {
std::string Trimmed(const std::string& text) {
    const char* blanks = " \t\r\n";
    std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}
}  // namespace

std::string SerialPortMap::DefaultDevice(int portNumber) const {
    if (portNumber < 1) {
        return {};
    }
    if (naming_ == DeviceNaming::Windows) {
        return "COM" + std::to_string(portNumber);
    }
    return "/dev/ttyS" + std::to_string(portNumber - 1);
}

std::string SerialPortMap::DeviceFor(int portNumber) const {
    if (portNumber < 1) {
        return {};
    }
    // A stored blank (a hand-edited file) is no device: use the system's name instead.
    std::string stored = Trimmed(store_.Read(kSection, KeyFor(portNumber), ""));
    return stored.empty() ? DefaultDevice(portNumber) : stored;
}

std::optional<std::string> SerialPortMap::CheckDevice(const std::string& device) {
    const std::string text = Trimmed(device);
    if (!IsNetworkDevice(text)) {
        return std::nullopt;
    }
    NetworkAddressParse parsed = ParseNetworkAddress(text);
    if (parsed.address) {
        return std::nullopt;
    }
    return parsed.error;
}

bool SerialPortMap::SetDevice(int portNumber, const std::string& device) {
    if (portNumber < 1 || CheckDevice(device)) {
        return false;
    }
    store_.Write(kSection, KeyFor(portNumber), Trimmed(device));
    return true;
}

}  // namespace zorvex
