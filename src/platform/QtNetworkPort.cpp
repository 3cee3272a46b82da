#include "platform/QtNetworkPort.h"

#include <QNetworkProxy>

#include "core/link/SerialPortMap.h"

#ifdef Q_OS_LINUX
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#endif

namespace zorvex {

QtNetworkPort::QtNetworkPort(const SerialPortMap& map, int connectTimeoutMs, QObject* parent)
    : QObject(parent), map_(map) {
    // A serial server sits on the site network; no proxy stands between.
    socket_.setProxy(QNetworkProxy::NoProxy);
    connectTimer_.setSingleShot(true);
    connectTimer_.setInterval(connectTimeoutMs);
    connect(&connectTimer_, &QTimer::timeout, this,
            [this] { Lose("no answer from " + address_.host); });
    connect(&socket_, &QTcpSocket::connected, this, &QtNetworkPort::OnConnected);
    connect(&socket_, &QTcpSocket::readyRead, this, &QtNetworkPort::OnReadyRead);
    connect(&socket_, &QTcpSocket::errorOccurred, this, &QtNetworkPort::OnError);
    connect(&socket_, &QTcpSocket::disconnected, this,
            [this] { Lose("connection closed by " + address_.HostPort()); });
}

QtNetworkPort::~QtNetworkPort() {
    failure_ = nullptr;
    receive_ = nullptr;
    Close();
}

PortOpenResult QtNetworkPort::Open(int portNumber) {
    Close();
    PortOpenResult result;
    result.device = map_.DeviceFor(portNumber);
    NetworkAddressParse parsed = ParseNetworkAddress(result.device);
    if (!parsed.address) {
        // Stored by hand (the window refuses such text): the reason says what is wrong.
        result.failure = PortFailure::Other;
        result.reason = parsed.error;
        return result;
    }
    address_ = *parsed.address;
    telnet_.reset();
    if (address_.protocol == NetworkProtocol::Rfc2217) {
        telnet_.emplace();
    }
    open_ = true;
    connectTimer_.start();
    socket_.connectToHost(QString::fromStdString(address_.host), address_.port);
    return result;
}

void QtNetworkPort::Close() {
    open_ = false;
    losing_ = false;  // a loss not yet told is no longer news
    connectTimer_.stop();
    pending_.clear();
    socket_.abort();
}

bool QtNetworkPort::IsOpen() const {
    return open_ && !losing_;
}

bool QtNetworkPort::Write(std::string_view bytes) {
    if (!IsOpen()) {
        return false;
    }
    const std::string wire = telnet_ ? TelnetComPort::Escape(bytes) : std::string(bytes);
    if (socket_.state() != QAbstractSocket::ConnectedState) {
        pending_ += wire;
        return true;
    }
    return Send(wire);
}

bool QtNetworkPort::Send(const std::string& bytes) {
    if (socket_.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
        static_cast<qint64>(bytes.size())) {
        Lose("cannot send to " + address_.HostPort() + ": " + socket_.errorString().toStdString());
        return false;
    }
    return true;
}

void QtNetworkPort::SetReceiveHandler(std::function<void(std::string_view)> handler) {
    receive_ = std::move(handler);
}

void QtNetworkPort::SetFailureHandler(std::function<void(const std::string&)> handler) {
    failure_ = std::move(handler);
}

void QtNetworkPort::OnConnected() {
    connectTimer_.stop();
    if (!open_) {
        return;
    }
    // Commands are a few bytes each and wait for their answer: send them at once.
    socket_.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    socket_.setSocketOption(QAbstractSocket::KeepAliveOption, 1);
#ifdef Q_OS_LINUX
    const unsigned int limit = kUnacknowledgedLimitMs;
    ::setsockopt(static_cast<int>(socket_.socketDescriptor()), IPPROTO_TCP, TCP_USER_TIMEOUT,
                 &limit, sizeof limit);
#endif
    std::string first = telnet_ ? telnet_->Start() : std::string();
    first += pending_;
    pending_.clear();
    if (!first.empty()) {
        Send(first);
    }
}

void QtNetworkPort::OnReadyRead() {
    if (!IsOpen()) {
        return;
    }
    const QByteArray bytes = socket_.readAll();
    std::string data(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (telnet_) {
        TelnetComPort::Received received = telnet_->Feed(data);
        if (!received.reply.empty() && !Send(received.reply)) {
            return;
        }
        data = std::move(received.data);
    }
    // As on a serial port, NULs are dropped (telnet servers also pad with them).
    std::erase(data, '\0');
    if (data.empty() || !receive_) {
        return;
    }
    auto handler = receive_;
    handler(data);
}

void QtNetworkPort::OnError(QAbstractSocket::SocketError error) {
    switch (error) {
        case QAbstractSocket::ConnectionRefusedError:
            Lose("connection refused by " + address_.HostPort());
            break;
        case QAbstractSocket::HostNotFoundError:
            Lose("name not found: " + address_.host);
            break;
        case QAbstractSocket::RemoteHostClosedError:
            Lose("connection closed by " + address_.HostPort());
            break;
        case QAbstractSocket::SocketTimeoutError:
            Lose("no answer from " + address_.host);
            break;
        case QAbstractSocket::TemporaryError:
        case QAbstractSocket::UnfinishedSocketOperationError:
            break;
        default:
            Lose("lost the connection to " + address_.HostPort() + " (" +
                 socket_.errorString().toStdString() + ")");
            break;
    }
}

void QtNetworkPort::Lose(const std::string& reason) {
    if (losing_ || !open_) {
        return;
    }
    losing_ = true;
    lossReason_ = reason;
    connectTimer_.stop();
    // Reported from the event loop, never inside the socket's own signal, so the handler may
    // reopen the port.
    QMetaObject::invokeMethod(this, &QtNetworkPort::ReportLoss, Qt::QueuedConnection);
}

void QtNetworkPort::ReportLoss() {
    if (!losing_) {
        return;  // reopened or closed meanwhile
    }
    Close();
    if (failure_) {
        auto handler = failure_;
        handler(lossReason_);
    }
}

}  // namespace zorvex
