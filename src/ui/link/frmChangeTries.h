#pragma once

#include <QWidget>
#include <functional>
#include <string>

class QLineEdit;
class QPushButton;

namespace zorvex {

class ConnectionController;

// "Change Retry Limit": the limit to type, "OK" and "Cancel".
class frmChangeTries : public QWidget {
    Q_OBJECT
  public:
    explicit frmChangeTries(ConnectionController& connection, QWidget* parent = nullptr);

    void SetMessageHandler(std::function<void(const std::string&)> show) {
        showMessage_ = std::move(show);
    }
    void SetLimitText(const std::string& text);

  private:
    void Apply();

    ConnectionController& connection_;
    std::function<void(const std::string&)> showMessage_;
    QLineEdit* txtConnectRetryLimit_ = nullptr;
    QPushButton* btnOK_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
};

}  // namespace zorvex
