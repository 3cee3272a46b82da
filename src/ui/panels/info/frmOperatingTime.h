#pragma once

#include <QWidget>

#include "core/panels/info/InfoLabels.h"
#include "core/panels/info/InfoRequests.h"
#include "core/support/CommandSink.h"

class QLabel;

namespace zorvex {

// "Operating Time": the monitor's operating time and on-off cycles. Asks for them when it
// is loaded, when it becomes active and on "ReRead".
class frmOperatingTime : public QWidget {
    Q_OBJECT
  public:
    explicit frmOperatingTime(CommandSink& sink, QWidget* parent = nullptr);

    // lblOperatingTimeValue or lblOperatingCyclesValue.
    void SetValue(InfoLabel label, const QString& text);
    void OnActivate();

  private:
    OperatingTimeRequests requests_;
    QLabel* time_;
    QLabel* cycles_;
};

}  // namespace zorvex
