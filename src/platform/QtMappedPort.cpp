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
    serial_.SetFailureHandler(handler);
    network_.SetFailureHandler(std::move(handler));
}

}  // namespace zorvex
