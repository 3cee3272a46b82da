#pragma once

#include <memory>

#include "core/support/SerialPort.h"
#include "platform/NetworkPortLoader.h"
#include "platform/QtSerialPort.h"

namespace zorvex {

// The port the tool opens: the device text the map holds for the port number decides
// whether it is a serial device or a network serial server ("socket://", "rfc2217://").
// Everything above sees one serial port either way. The network port comes from its module,
// loaded the first time a network device is opened.
class QtMappedPort : public SerialPort {
  public:
    explicit QtMappedPort(const SerialPortMap& map);
    ~QtMappedPort() override;

    PortOpenResult Open(int portNumber) override;
    void Close() override { active_->Close(); }
    bool IsOpen() const override { return active_->IsOpen(); }
    bool Write(std::string_view bytes) override { return active_->Write(bytes); }
    void SetReceiveHandler(std::function<void(std::string_view)> handler) override;
    void SetFailureHandler(std::function<void(const std::string& reason)> handler) override;

  private:
    // A loss the port put aside is told only while that port is still the one in use.
    std::function<void(const std::string&)> FailureFrom(const SerialPort* port);
    SerialPort* NetworkPort(std::string& why);

    const SerialPortMap& map_;
    QtSerialPort serial_;
    NetworkPortLoader networkModule_;  // outlives network_, whose code it holds
    std::unique_ptr<SerialPort> network_;
    SerialPort* active_ = &serial_;
    std::function<void(std::string_view)> receive_;
    std::function<void(const std::string&)> failure_;
};

}  // namespace zorvex
