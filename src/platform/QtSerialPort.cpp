#include "platform/QtSerialPort.h"

#include <QFileInfo>
#include <QSerialPortInfo>

#include "core/link/SerialPortMap.h"

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <unistd.h>
#endif

namespace zorvex {

namespace {
std::string ToStd(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

// Device names that are paths can be checked for presence; "COM3" cannot.
bool IsPath(const QString& device) {
    return device.startsWith(QLatin1Char('/'));
}

// QSerialPort reports a busy device and a forbidden one both as PermissionError; the file's
// access rights tell them apart.
PortFailure ClassifyPermission(const QString& device) {
#ifndef Q_OS_WIN
    if (IsPath(device)) {
        QByteArray path = QFile::encodeName(device);
        if (::access(path.constData(), R_OK | W_OK) != 0) {
            return PortFailure::PermissionDenied;
        }
        return PortFailure::Busy;
    }
#endif
    Q_UNUSED(device);
    return PortFailure::Busy;
}

// A path that opens but is no terminal (a file, /dev/null) was never a serial port.
PortFailure ClassifyOther(const QString& device, PortFailure failure) {
#ifndef Q_OS_WIN
    if (IsPath(device)) {
        const int fd =
            ::open(QFile::encodeName(device).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        const bool terminal = fd < 0 || ::isatty(fd) != 0;
        if (fd >= 0) {
            ::close(fd);
        }
        if (!terminal) {
            return PortFailure::NotSerial;
        }
    }
#endif
    Q_UNUSED(device);
    return failure;
}
}  // namespace

QtSerialPort::QtSerialPort(const SerialPortMap& map, QObject* parent) : QObject(parent), map_(map) {
    presence_.setInterval(kPresenceCheckMs);
    connect(&presence_, &QTimer::timeout, this, &QtSerialPort::CheckPresence);
    connect(&port_, &QSerialPort::readyRead, this, &QtSerialPort::OnReadyRead);
    connect(&port_, &QSerialPort::errorOccurred, this, &QtSerialPort::OnError);
}

QtSerialPort::~QtSerialPort() {
    // No reports while tearing down.
    failure_ = nullptr;
    receive_ = nullptr;
    Close();
}

PortOpenResult QtSerialPort::Open(int portNumber) {
    Close();
    losing_ = false;
    PortOpenResult result;
    device_ = QString::fromLocal8Bit(map_.DeviceFor(portNumber));
    result.device = ToStd(device_);
    if (device_.isEmpty()) {
        result.failure = PortFailure::NotFound;
        result.reason = "no device for port " + std::to_string(portNumber);
        return result;
    }
    if (IsPath(device_) && !QFileInfo::exists(device_)) {
        result.failure = PortFailure::NotFound;
        result.reason = "No such file or directory";
        return result;
    }

    port_.setPortName(device_);
    port_.setBaudRate(QSerialPort::Baud9600);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!port_.open(QIODevice::ReadWrite)) {
        switch (port_.error()) {
            case QSerialPort::DeviceNotFoundError:
                result.failure = PortFailure::NotFound;
                break;
            case QSerialPort::PermissionError:
                result.failure = ClassifyPermission(device_);
                break;
            default:
                result.failure = PortFailure::Other;
                break;
        }
        if (result.failure != PortFailure::NotFound) {
            result.failure = ClassifyOther(device_, result.failure);
        }
        result.reason = ToStd(port_.errorString());
        port_.clearError();
        return result;
    }
    // Pseudo-terminals have no modem lines: Qt refuses these two there. That is not a failure
    // to open, and nothing to tell the user.
    port_.setDataTerminalReady(false);
    port_.setRequestToSend(false);
    port_.clearError();
    // Start clean: whatever waited in the device belongs to nobody.
    port_.clear(QSerialPort::Input);
    port_.readAll();
    if (IsPath(device_)) {
        presence_.start();
    }
    return result;
}

void QtSerialPort::Close() {
    presence_.stop();
    if (port_.isOpen()) {
        port_.close();
    }
    port_.clearError();
}

bool QtSerialPort::IsOpen() const {
    return port_.isOpen() && !losing_;
}

bool QtSerialPort::Write(std::string_view bytes) {
    if (!IsOpen()) {
        return false;
    }
    qint64 written = port_.write(bytes.data(), static_cast<qint64>(bytes.size()));
    if (written != static_cast<qint64>(bytes.size())) {
        LoseDevice(tr("Write to %1 failed: %2").arg(device_, port_.errorString()));
        return false;
    }
    return true;
}

void QtSerialPort::SetReceiveHandler(std::function<void(std::string_view)> handler) {
    receive_ = std::move(handler);
}

void QtSerialPort::SetFailureHandler(std::function<void(const std::string&)> handler) {
    failure_ = std::move(handler);
}

void QtSerialPort::OnReadyRead() {
    if (losing_) {
        return;
    }
    QByteArray data = port_.readAll();
    data.removeIf([](char c) { return c == '\0'; });
    if (data.isEmpty() || !receive_) {
        return;
    }
    // The handler may close or reopen the port; it gets its own copy of the bytes.
    auto handler = receive_;
    handler(std::string_view(data.constData(), static_cast<std::size_t>(data.size())));
}

void QtSerialPort::OnError(QSerialPort::SerialPortError error) {
    switch (error) {
        case QSerialPort::ReadError:
        case QSerialPort::WriteError:
        case QSerialPort::ResourceError:
            // With Qt 6.4 a closed pseudo-terminal raises ReadError without end, and an
            // unplugged adapter raises ResourceError: both mean the device is gone.
            LoseDevice(tr("%1: %2").arg(device_, port_.errorString()));
            break;
        default:
            // Refused modem lines, timeouts and the like leave the link usable.
            break;
    }
}

void QtSerialPort::CheckPresence() {
    if (port_.isOpen() && !losing_ && !QFileInfo::exists(device_)) {
        LoseDevice(tr("%1 is no longer there").arg(device_));
    }
}

void QtSerialPort::LoseDevice(const QString& reason) {
    if (losing_ || !port_.isOpen()) {
        return;
    }
    losing_ = true;
    lossReason_ = reason;
    presence_.stop();
    // Closing and reporting happen from the event loop, never inside Qt's error signal, so
    // the failure handler may show a message or reopen the port.
    QMetaObject::invokeMethod(this, &QtSerialPort::ReportLoss, Qt::QueuedConnection);
}

void QtSerialPort::ReportLoss() {
    if (!losing_) {
        return;  // reopened or closed by hand meanwhile
    }
    Close();
    losing_ = false;
    if (failure_) {
        auto handler = failure_;
        handler(ToStd(lossReason_));
    }
}

QStringList AvailableSerialDevices() {
    QStringList devices;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        devices << info.systemLocation();
    }
    devices.removeDuplicates();
    devices.sort();
    return devices;
}

bool SerialDeviceExists(const QString& device, const QStringList& listed) {
    if (device.isEmpty()) {
        return false;
    }
    if (QFileInfo::exists(device)) {
        return true;
    }
    // A bare port name such as "COM3" is not a path: it names the listed device it ends.
    for (const QString& location : listed) {
        if (location == device || location.endsWith(QLatin1Char('/') + device) ||
            location.endsWith(QLatin1Char('\\') + device)) {
            return true;
        }
    }
    return false;
}

}  // namespace zorvex
