#pragma once

#include "core/support/SerialPort.h"
#include "platform/QtNetworkPort.h"
#include "platform/QtSerialPort.h"

namespace zorvex {

// The port the tool opens: the device text the map holds for the port number decides
// whether it is a serial device or a network serial server ("socket://", "rfc2217://").
// Everything above sees one serial port either way.
class QtMappedPort : public SerialPort {
  public:
    explicit QtMappedPort(const SerialPortMap& map);

    PortOpenResult Open(int portNumber) override;
    void Close() override { active_->Close(); }
    bool IsOpen() const override { return active_->IsOpen(); }
    bool Write(std::string_view bytes) override { return active_->Write(bytes); }
    void SetReceiveHandler(std::function<void(std::string_view)> handler) override;
    void SetFailureHandler(std::function<void(const std::string& reason)> handler) override;

  private:
    const SerialPortMap& map_;
    QtSerialPort serial_;
    QtNetworkPort network_;
    SerialPort* active_ = &serial_;
};

}  // namespace zorvex
