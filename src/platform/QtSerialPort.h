#pragma once

#include <QObject>
#include <QSerialPort>
#include <QStringList>
#include <QTimer>

#include "core/support/SerialPort.h"

namespace zorvex {

class SerialPortMap;

// The core's serial port on QSerialPort: the port number goes through the map to a device,
// opened at 9600 8N1 without handshaking, DTR and RTS off where the device has them, NULs
// dropped on receive.
//
// A device that goes away while open (a USB adapter pulled out, the other end of a
// pseudo-terminal closed) is noticed three ways, since Qt versions differ in what they
// report: a read, resource or write error, and a check every half second that the device
// path still exists. The port is then closed at once and the failure reported once, from
// the event loop rather than from inside Qt's error signal.
class QtSerialPort : public QObject, public SerialPort {
    Q_OBJECT
  public:
    explicit QtSerialPort(const SerialPortMap& map, QObject* parent = nullptr);
    ~QtSerialPort() override;

    PortOpenResult Open(int portNumber) override;
    void Close() override;
    bool IsOpen() const override;
    bool Write(std::string_view bytes) override;
    void SetReceiveHandler(std::function<void(std::string_view)> handler) override;
    void SetFailureHandler(std::function<void(const std::string& reason)> handler) override;

    static constexpr int kPresenceCheckMs = 500;

  private:
    void OnReadyRead();
    void OnError(QSerialPort::SerialPortError error);
    void CheckPresence();
    void LoseDevice(const QString& reason);
    void ReportLoss();

    const SerialPortMap& map_;
    QSerialPort port_;
    QTimer presence_;
    QString device_;
    // Set from the first sign of loss until the port is closed and the loss reported, so a
    // storm of errors becomes one report.
    bool losing_ = false;
    QString lossReason_;
    std::function<void(std::string_view)> receive_;
    std::function<void(const std::string&)> failure_;
};

// The serial devices the system lists, for the port choice. Pseudo-terminals are not listed;
// the user may type any path instead. Listing walks every tty the system has (tens of
// milliseconds), so a caller takes it once and passes it on; any thread may call it.
QStringList AvailableSerialDevices();

// Whether a device path (or, on Windows, a port name) is there to be opened at all; `listed`
// is what AvailableSerialDevices gave, for names that are not paths.
bool SerialDeviceExists(const QString& device, const QStringList& listed);

}  // namespace zorvex
