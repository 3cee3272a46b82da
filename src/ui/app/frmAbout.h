#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;

namespace zorvex {

// The About window: free-standing, title, version, description, disclaimer, and the
// system-information tool where the system has one.
class frmAbout : public QDialog {
    Q_OBJECT
  public:
    explicit frmAbout(QWidget* parent = nullptr);

    // Where "System Information Is Unavailable At This Time" goes; a message box by default.
    void SetMessageSink(std::function<void(const QString&)> sink) { message_ = std::move(sink); }

    void StartSystemInfo();

  private:
    QLabel* lblTitle_;
    QLabel* lblVersion_;
    QLabel* lblDescription_;
    QLabel* lblDisclaimer_;
    QPushButton* cmdOK_;
    QPushButton* cmdSysInfo_;
    std::function<void(const QString&)> message_;
};

}  // namespace zorvex
