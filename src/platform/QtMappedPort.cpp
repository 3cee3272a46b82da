#include "platform/QtMappedPort.h"

#include "core/link/NetworkAddress.h"
#include "core/link/SerialPortMap.h"

namespace zorvex {

QtMappedPort::QtMappedPort(const SerialPortMap& map) : map_(map), serial_(map) {}

QtMappedPort::~QtMappedPort() = default;

PortOpenResult QtMappedPort::Open(int portNumber) {
    // Only one of the two is ever open: the other is closed, whatever it was.
    active_->Close();
    active_ = &serial_;
    const std::string device = map_.DeviceFor(portNumber);
    if (!IsNetworkDevice(device)) {
        return serial_.Open(portNumber);
    }
    std::string why;
    SerialPort* network = NetworkPort(why);
    if (network == nullptr) {
        return PortOpenResult{PortFailure::Other, device, why};
    }
    active_ = network;
    return network->Open(portNumber);
}

SerialPort* QtMappedPort::NetworkPort(std::string& why) {
    if (!network_) {
        network_ = networkModule_.MakePort(map_, why);
        if (network_) {
            network_->SetReceiveHandler(receive_);
            network_->SetFailureHandler(FailureFrom(network_.get()));
        }
    }
    return network_.get();
}

void QtMappedPort::SetReceiveHandler(std::function<void(std::string_view)> handler) {
    receive_ = handler;
    serial_.SetReceiveHandler(handler);
    if (network_) {
        network_->SetReceiveHandler(std::move(handler));
    }
}

void QtMappedPort::SetFailureHandler(std::function<void(const std::string&)> handler) {
    failure_ = std::move(handler);
    serial_.SetFailureHandler(FailureFrom(&serial_));
    if (network_) {
        network_->SetFailureHandler(FailureFrom(network_.get()));
    }
}

std::function<void(const std::string&)> QtMappedPort::FailureFrom(const SerialPort* port) {
    return [this, port](const std::string& why) {
        if (active_ == port && failure_) {
            failure_(why);
        }
    };
}

}  // namespace zorvex
