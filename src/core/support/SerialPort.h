#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace zorvex {

// Why an opening failed, so the window can add a hint a technician can act on.
enum class PortFailure { None, NotFound, PermissionDenied, Busy, NotSerial, Other };

struct PortOpenResult {
    PortFailure failure = PortFailure::None;
    std::string device;  // the device the port number maps to
    std::string reason;  // the system's own words, for the message
    bool Ok() const { return failure == PortFailure::None; }
};

// The serial port as the core sees it: a numbered port (1..8) that the platform maps to a
// device, opened at 9600 8N1 without handshaking, DTR and RTS off, NULs dropped.
class SerialPort {
  public:
    virtual ~SerialPort() = default;
    virtual PortOpenResult Open(int portNumber) = 0;  // closes first if open
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // Returns false when the bytes could not be handed to the device.
    virtual bool Write(std::string_view bytes) = 0;
    // Received bytes, as they arrive (NULs already dropped).
    virtual void SetReceiveHandler(std::function<void(std::string_view)> handler) = 0;
    // The device went away or failed; called once per failure, after the port was closed.
    virtual void SetFailureHandler(std::function<void(const std::string& reason)> handler) = 0;
};

}  // namespace zorvex
