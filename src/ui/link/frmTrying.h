#pragma once

#include <QWidget>
#include <string>

class QLabel;
class QPushButton;

namespace zorvex {

class ConnectionController;

// "Trying to Connect to Monitor": the limit and the tries left, "Change ..." and "Cancel".
class frmTrying : public QWidget {
    Q_OBJECT
  public:
    // The window's fixed size in twips, whatever its stored place says.
    static constexpr double kWidthTwips = 3825;
    static constexpr double kHeightTwips = 1470;

    explicit frmTrying(ConnectionController& connection, QWidget* parent = nullptr);

    void SetLimitText(const std::string& text);
    void SetToGoText(const std::string& text);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    // Widens the window where a text needs more than it has, so no scroll bar cuts it.
    void FitTexts();

    ConnectionController& connection_;
    QLabel* lblLimit_ = nullptr;
    QLabel* lblToGo_ = nullptr;
    QPushButton* btnChange_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
};

}  // namespace zorvex
