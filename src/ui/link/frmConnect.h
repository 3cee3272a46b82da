#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <optional>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QStringListModel;

namespace zorvex {

class ConnectionController;
class SerialPortMap;

// "Monitor Connection": the port choice, Auto ReConnect, the indicator and the three buttons.
// Beside each port option the device it maps to; a device can be picked from the ones the
// system lists or typed as a path, and is stored for that port.
class frmConnect : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kPortCount = 8;

    frmConnect(ConnectionController& connection, SerialPortMap& ports, QWidget* parent = nullptr);

    // Messages the clicks give back go here (a box with an OK button, raised by the owner).
    void SetMessageHandler(std::function<void(const std::string&)> show) {
        showMessage_ = std::move(show);
    }
    // The devices offered in the device boxes; the system's list unless replaced.
    void SetDeviceLister(std::function<QStringList()> lister);
    // Whether a device is there, given the devices listed; a missing one is marked beside its
    // port.
    void SetDeviceChecker(std::function<bool(const QString&, const QStringList&)> exists);

    void SetStatusText(const std::string& text);
    void SetIndicatorOnline(bool online);
    void SetSelectedPort(int portNumber);
    // Fills the device boxes from the map and the system's list again, listing once.
    void RefreshDevices();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void OnPortClicked(int index);
    void OnDeviceChosen(int index);
    // Lists the devices on a worker thread and fills the boxes when the list comes back, so
    // showing the window never waits for the system's list.
    void RefreshDevicesSoon();
    void ShowDevices(const QStringList& listed);
    void ShowDeviceState(int index, const QString& device);
    void Report(const std::optional<std::string>& message);

    ConnectionController& connection_;
    SerialPortMap& ports_;
    std::function<void(const std::string&)> showMessage_;
    std::function<QStringList()> listDevices_;
    std::function<bool(const QString&, const QStringList&)> deviceExists_;
    QStringList listed_;
    QStringListModel* deviceNames_ = nullptr;
    // Only the newest listing is shown; an older one that comes back late is dropped.
    int listing_ = 0;
    std::array<QRadioButton*, kPortCount> optCommPort_{};
    std::array<QLabel*, kPortCount> lblCom_{};
    std::array<QComboBox*, kPortCount> cboDevice_{};
    std::array<QLabel*, kPortCount> lblDeviceState_{};
    QLabel* lblDevicesFound_ = nullptr;
    QCheckBox* ckAutoReConnect_ = nullptr;
    QLabel* lblReConnect_ = nullptr;
    QPushButton* btnInd_ = nullptr;
    QPushButton* btnOK_ = nullptr;
    QPushButton* btnOffline_ = nullptr;
    QPushButton* btnDone_ = nullptr;
    QLabel* lbl1_ = nullptr;
};

}  // namespace zorvex
