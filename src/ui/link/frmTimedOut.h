#pragma once

#include <QWidget>

class QPushButton;

namespace zorvex {

class ConnectionController;

inline constexpr const char* TimedOutNoticeText =
    "The monitor is not responding. Make sure the monitor is connected and turned on, then try "
    "again.";

// "Monitor Connection Timed Out": the notice, hidden by its button or after five seconds.
class frmTimedOut : public QWidget {
    Q_OBJECT
  public:
    explicit frmTimedOut(ConnectionController& connection, QWidget* parent = nullptr);

  private:
    ConnectionController& connection_;
    QPushButton* btnDismiss_ = nullptr;
};

}  // namespace zorvex
