#pragma once

#include <QObject>
#include <QTcpSocket>
#include <QTimer>
#include <optional>

#include "core/link/NetworkAddress.h"
#include "core/link/TelnetComPort.h"
#include "core/support/SerialPort.h"

namespace zorvex {

class SerialPortMap;

// A serial line behind a network serial server, as the core's serial port: the port number
// maps to "socket://HOST:PORT" (raw TCP) or "rfc2217://HOST:PORT" (telnet with COM-PORT,
// which sets the far port to 9600 8N1). Opening only starts the connection, so the window
// never waits; what is written meanwhile goes out once it is made. A refusal, a name that
// does not resolve, no answer within the connect timeout, or a connection that drops is
// reported once through the failure handler, in words a technician can act on, exactly as a
// serial device that goes away.
class QtNetworkPort : public QObject, public SerialPort {
    Q_OBJECT
  public:
    static constexpr int kConnectTimeoutMs = 5000;
    // Written bytes left unacknowledged this long mean the server is gone, even when the
    // network fails without a word (a pulled network cable, a server switched off).
    static constexpr int kUnacknowledgedLimitMs = 10000;

    explicit QtNetworkPort(const SerialPortMap& map, int connectTimeoutMs = kConnectTimeoutMs,
                           QObject* parent = nullptr);
    ~QtNetworkPort() override;

    PortOpenResult Open(int portNumber) override;
    void Close() override;
    bool IsOpen() const override;
    bool Write(std::string_view bytes) override;
    void SetReceiveHandler(std::function<void(std::string_view)> handler) override;
    void SetFailureHandler(std::function<void(const std::string& reason)> handler) override;

  private:
    void OnConnected();
    void OnReadyRead();
    void OnError(QAbstractSocket::SocketError error);
    bool Send(const std::string& bytes);
    void Lose(const std::string& reason);
    void ReportLoss();

    const SerialPortMap& map_;
    QTcpSocket socket_;
    QTimer connectTimer_;
    NetworkAddress address_;
    std::optional<TelnetComPort> telnet_;  // only for rfc2217://
    std::string pending_;                  // written before the connection was made
    bool open_ = false;
    // From the first sign of loss until it is reported, so a storm becomes one report.
    bool losing_ = false;
    std::string lossReason_;
    std::function<void(std::string_view)> receive_;
    std::function<void(const std::string&)> failure_;
};

}  // namespace zorvex
