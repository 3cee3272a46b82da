#include "ui/link/frmConnect.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QCoreApplication>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStringListModel>
#include <QThreadPool>
#include <QVBoxLayout>

#include "core/link/ConnectionController.h"
#include "core/link/NetworkAddress.h"
#include "core/link/SerialPortMap.h"
#include "platform/QtSerialPort.h"
#include "ui/app/QtText.h"

namespace zorvex {

namespace {
QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, const char* tip) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    if (tip != nullptr) {
        button->setToolTip(QString::fromLatin1(tip));
    }
    return button;
}

// Colours of the indicator as the tool has always shown them: red 255, green 65280.
void Paint(QPushButton* indicator, bool online) {
    indicator->setStyleSheet(online ? QStringLiteral("background-color: rgb(0, 255, 0);")
                                    : QStringLiteral("background-color: rgb(255, 0, 0);"));
    indicator->setProperty("online", online);
}
}  // namespace

frmConnect::frmConnect(ConnectionController& connection, SerialPortMap& ports, QWidget* parent)
    : QWidget(parent),
      connection_(connection),
      ports_(ports),
      listDevices_(AvailableSerialDevices),
      deviceExists_(SerialDeviceExists) {
    setObjectName(QStringLiteral("frmConnect"));
    setWindowTitle(QStringLiteral("Monitor Connection"));

    // One completer over the devices found serves every box: a line edit takes it over when it
    // gets the focus, and a box left without one would build its own (eight at start-up).
    deviceNames_ = new QStringListModel(this);
    auto* completer = new QCompleter(deviceNames_, this);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setCompletionMode(QCompleter::InlineCompletion);

    auto* portsGrid = new QGridLayout;
    for (int i = 0; i < kPortCount; ++i) {
        optCommPort_[i] = new QRadioButton(this);
        optCommPort_[i]->setObjectName(QStringLiteral("optCommPort(%1)").arg(i));
        lblCom_[i] = new QLabel(QStringLiteral("Com%1").arg(i + 1), this);
        lblCom_[i]->setObjectName(QStringLiteral("lblCom%1").arg(i + 1));
        lblCom_[i]->setBuddy(optCommPort_[i]);
        cboDevice_[i] = new QComboBox(this);
        cboDevice_[i]->setObjectName(QStringLiteral("cboDevice(%1)").arg(i));
        // Editable through its own line edit: setEditable would also build the drop-down
        // list now, which Qt otherwise builds when the list is first opened.
        auto* deviceText = new QLineEdit(cboDevice_[i]);
        deviceText->setCompleter(completer);
        cboDevice_[i]->setLineEdit(deviceText);
        cboDevice_[i]->setInsertPolicy(QComboBox::NoInsert);
        cboDevice_[i]->setToolTip(
            QStringLiteral("The device Com%1 opens: pick one or type its path, or a network "
                           "serial server as socket://HOST:PORT or rfc2217://HOST:PORT.")
                .arg(i + 1));
        // Wide enough for a network port such as rfc2217://serial-box.site:4001.
        cboDevice_[i]->setMinimumContentsLength(24);
        portsGrid->addWidget(optCommPort_[i], i, 0);
        portsGrid->addWidget(lblCom_[i], i, 1);
        portsGrid->addWidget(cboDevice_[i], i, 2);
        lblDeviceState_[i] = new QLabel(this);
        lblDeviceState_[i]->setObjectName(QStringLiteral("lblDeviceState(%1)").arg(i));
        portsGrid->addWidget(lblDeviceState_[i], i, 3);
        connect(optCommPort_[i], &QRadioButton::clicked, this, [this, i] { OnPortClicked(i); });
        connect(cboDevice_[i], &QComboBox::activated, this, [this, i] { OnDeviceChosen(i); });
        connect(cboDevice_[i]->lineEdit(), &QLineEdit::editingFinished, this,
                [this, i] { OnDeviceChosen(i); });
    }

    ckAutoReConnect_ = new QCheckBox(this);
    ckAutoReConnect_->setObjectName(QStringLiteral("ckAutoReConnect"));
    ckAutoReConnect_->setChecked(true);
    connection_.SetAutoReconnect(true);
    lblReConnect_ = new QLabel(QStringLiteral("Auto ReConnect"), this);
    lblReConnect_->setObjectName(QStringLiteral("lblReConnect"));
    lblReConnect_->setBuddy(ckAutoReConnect_);
    connect(ckAutoReConnect_, &QCheckBox::toggled, this,
            [this](bool checked) { connection_.SetAutoReconnect(checked); });

    btnInd_ = MakeButton(this, "btnInd", "", nullptr);
    btnInd_->setFixedSize(24, 24);
    btnInd_->setFocusPolicy(Qt::NoFocus);
    Paint(btnInd_, false);

    btnOK_ = MakeButton(this, "btnOK", "OK", "Try this port.");
    btnOffline_ = MakeButton(this, "btnOffline", "Offline", "Work without a monitor.");
    btnDone_ = MakeButton(this, "btnDone", "Done", "Close Window");
    connect(btnOK_, &QPushButton::clicked, this, [this] { connection_.Ok(); });
    connect(btnOffline_, &QPushButton::clicked, this, [this] { connection_.Offline(); });
    connect(btnDone_, &QPushButton::clicked, this, [this] { connection_.Done(); });

    // A newcomer sees at once which devices this computer has.
    lblDevicesFound_ = new QLabel(this);
    lblDevicesFound_->setObjectName(QStringLiteral("lblDevicesFound"));
    lblDevicesFound_->setWordWrap(true);

    lbl1_ = new QLabel(this);
    lbl1_->setObjectName(QStringLiteral("lbl1"));
    lbl1_->setWordWrap(true);
    lbl1_->setMinimumWidth(260);

    auto* reconnectRow = new QHBoxLayout;
    reconnectRow->addWidget(ckAutoReConnect_);
    reconnectRow->addWidget(lblReConnect_);
    reconnectRow->addStretch();
    reconnectRow->addWidget(btnInd_);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnOK_);
    buttons->addWidget(btnOffline_);
    buttons->addWidget(btnDone_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(portsGrid);
    layout->addWidget(lblDevicesFound_);
    layout->addLayout(reconnectRow);
    layout->addWidget(lbl1_);
    layout->addLayout(buttons);

    // The system's list is taken when the window is shown; until then each box shows the
    // device its port maps to, and a path that is not there is marked already (a bare name
    // such as "COM3" waits for the list).
    for (int i = 0; i < kPortCount; ++i) {
        const QString device = FromBytes(ports_.DeviceFor(i + 1));
        cboDevice_[i]->addItem(device);
        if (QDir::isAbsolutePath(device)) {
            ShowDeviceState(i, device);
        }
    }
}

void frmConnect::SetDeviceLister(std::function<QStringList()> lister) {
    listDevices_ = std::move(lister);
    RefreshDevices();
}

void frmConnect::SetDeviceChecker(std::function<bool(const QString&, const QStringList&)> exists) {
    deviceExists_ = std::move(exists);
    ShowDevices(listed_);
}

void frmConnect::RefreshDevices() {
    ++listing_;
    ShowDevices(listDevices_ ? listDevices_() : QStringList());
}

void frmConnect::RefreshDevicesSoon() {
    if (!listDevices_) {
        ShowDevices({});
        return;
    }
    const int listing = ++listing_;
    QPointer<frmConnect> window(this);
    QThreadPool::globalInstance()->start([window, listing, list = listDevices_] {
        QStringList listed = list();
        // Back on the user-interface thread; the window may be gone by then.
        QMetaObject::invokeMethod(
            qApp,
            [window, listing, listed = std::move(listed)] {
                if (window && window->listing_ == listing) {
                    window->ShowDevices(listed);
                }
            },
            Qt::QueuedConnection);
    });
}

void frmConnect::ShowDevices(const QStringList& listed) {
    listed_ = listed;
    deviceNames_->setStringList(listed);
    for (int i = 0; i < kPortCount; ++i) {
        QComboBox* box = cboDevice_[i];
        const QSignalBlocker quiet(box);
        const QString current = FromBytes(ports_.DeviceFor(i + 1));
        box->clear();
        box->addItems(listed);
        if (box->findText(current) < 0) {
            box->insertItem(0, current);
        }
        box->setCurrentText(current);
        ShowDeviceState(i, current);
    }
    lblDevicesFound_->setText(
        listed.isEmpty()
            ? QStringLiteral("No serial devices found on this computer; type the path of one.")
            : QStringLiteral("Serial devices found: %1").arg(listed.join(QStringLiteral(", "))));
}

void frmConnect::ShowDeviceState(int index, const QString& device) {
    QLabel* state = lblDeviceState_[index];
    const auto problem = SerialPortMap::CheckDevice(ToBytes(device));
    // A network serial server is only found by connecting to it.
    if (!problem &&
        (!deviceExists_ || IsNetworkDevice(ToBytes(device)) || deviceExists_(device, listed_))) {
        state->clear();
        state->setToolTip(QString());
        return;
    }
    state->setText(problem ? QStringLiteral("not valid") : QStringLiteral("not found"));
    state->setStyleSheet(QStringLiteral("color: rgb(192, 0, 0);"));
    state->setToolTip(problem ? FromBytes(*problem)
                              : QStringLiteral("There is no device %1 on this computer: pick one "
                                               "of the devices found, or type the path of yours.")
                                    .arg(device));
}

void frmConnect::showEvent(QShowEvent* event) {
    // Adapters come and go: the list is taken again each time the window is shown.
    RefreshDevicesSoon();
    QWidget::showEvent(event);
}

void frmConnect::OnPortClicked(int index) {
    Report(connection_.SelectPort(index));
}

void frmConnect::OnDeviceChosen(int index) {
    const int portNumber = index + 1;
    const std::string device = ToBytes(cboDevice_[index]->currentText().trimmed());
    if (device == ports_.DeviceFor(portNumber)) {
        return;
    }
    if (const auto problem = SerialPortMap::CheckDevice(device)) {
        // Nothing is stored; the text stays in the box to be mended.
        ShowDeviceState(index, FromBytes(device));
        Report(problem);
        return;
    }
    ports_.SetDevice(portNumber, device);
    {
        const QSignalBlocker quiet(cboDevice_[index]);
        cboDevice_[index]->setCurrentText(FromBytes(ports_.DeviceFor(portNumber)));
    }
    ShowDeviceState(index, FromBytes(ports_.DeviceFor(portNumber)));
    Report(connection_.DeviceChanged(portNumber));
}

void frmConnect::Report(const std::optional<std::string>& message) {
    if (message && showMessage_) {
        showMessage_(*message);
    }
}

void frmConnect::SetStatusText(const std::string& text) {
    lbl1_->setText(FromBytes(text));
}

void frmConnect::SetIndicatorOnline(bool online) {
    Paint(btnInd_, online);
}

void frmConnect::SetSelectedPort(int portNumber) {
    if (portNumber >= 1 && portNumber <= kPortCount) {
        optCommPort_[portNumber - 1]->setChecked(true);
    }
}

}  // namespace zorvex
