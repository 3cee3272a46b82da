#pragma once

#include <optional>
#include <string>

namespace zorvex {

class SettingsStore;

// How the system names its serial devices when nothing is stored for a port.
enum class DeviceNaming { Posix, Windows };

#ifdef _WIN32
inline constexpr DeviceNaming kSystemDeviceNaming = DeviceNaming::Windows;
#else
inline constexpr DeviceNaming kSystemDeviceNaming = DeviceNaming::Posix;
#endif

// The tool speaks of numbered ports (Com1..Com8); the system knows devices. Each number maps
// to the device stored for it in section "Ports", key "Com" + n, or else to the system's
// usual name for that port ("/dev/ttyS" + (n - 1), or "COM" + n on Windows). A technician
// may store any path, a pseudo-terminal or a stable symlink included, or a network serial
// server as "socket://HOST:PORT" or "rfc2217://HOST:PORT".
class SerialPortMap {
  public:
    explicit SerialPortMap(SettingsStore& store, DeviceNaming naming = kSystemDeviceNaming)
        : store_(store), naming_(naming) {}

    // The device for port n; empty for a port number below 1.
    std::string DeviceFor(int portNumber) const;
    // Stores the device for port n (the next opening of that port uses it). A blank device
    // removes the choice, so the port falls back to the system's name. Port numbers below 1
    // and network ports that CheckDevice finds fault with are refused.
    bool SetDevice(int portNumber, const std::string& device);
    // What is wrong with a device text, for the technician; nothing for a path or a well
    // formed network port.
    static std::optional<std::string> CheckDevice(const std::string& device);

    std::string DefaultDevice(int portNumber) const;
    static std::string KeyFor(int portNumber) { return "Com" + std::to_string(portNumber); }
    static constexpr const char* kSection = "Ports";

  private:
    SettingsStore& store_;
    DeviceNaming naming_;
};

}  // namespace zorvex
