#pragma once

#include <QWidget>
#include <array>

#include "core/data/MonitorData.h"

class QLabel;
class QPushButton;

namespace zorvex {

// "Monitor Configuration": one indicator per functional unit of the monitor, green for a
// unit it has, red for one it lacks; grey, with a line that says why, where the firmware
// does not report its units. It sends nothing; it shows the flags the last
// capability answer left, each time it becomes active.
class frmCapability : public QWidget {
    Q_OBJECT
  public:
    explicit frmCapability(const MonitorData& data, QWidget* parent = nullptr);

    void OnActivate();
    // The colour an indicator shows now, by bit (btnLVPS is bit 0).
    QColor IndicatorColourOf(int bit) const;

  private:
    const MonitorData& data_;
    std::array<QPushButton*, CapabilityFlagCount> indicators_{};
    QLabel* notice_;
};

}  // namespace zorvex
