#include "platform/QtMappedPort.h"

#include "core/link/NetworkAddress.h"
#include "core/link/SerialPortMap.h"

namespace zorvex {

QtMappedPort::QtMappedPort(const SerialPortMap& map) : map_(map), serial_(map), network_(map) {}

PortOpenResult QtMappedPort::Open(int portNumber) {
    // Only one of the two is ever open: the other is closed, whatever it was.
    active_->Close();
    active_ = IsNetworkDevice(map_.DeviceFor(portNumber)) ? static_cast<SerialPort*>(&network_)
                                                          : &serial_;
    return active_->Open(portNumber);
}

void QtMappedPort::SetReceiveHandler(std::function<void(std::string_view)> handler) {
    serial_.SetReceiveHandler(handler);
    network_.SetReceiveHandler(std::move(handler));
}

void QtMappedPort::SetFailureHandler(std::function<void(const std::string&)> handler) {
    // A loss the port put aside is told only while that port is still the one in use.
    auto from = [this, handler](const SerialPort* port) {
        return std::function<void(const std::string&)>([this, handler, port](const auto& why) {
            if (active_ == port && handler) {
                handler(why);
            }
        });
    };
    serial_.SetFailureHandler(from(&serial_));
    network_.SetFailureHandler(from(&network_));
}

}  // namespace zorvex
