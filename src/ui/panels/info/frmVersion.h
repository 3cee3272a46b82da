#pragma once

#include <QWidget>

#include "core/panels/info/InfoLabels.h"
#include "core/support/CommandSink.h"

class QLabel;

namespace zorvex {

// "Version": the monitor's firmware and ROM versions beside the tool's own. Asks for both
// each time it becomes active and on "ReRead".
class frmVersion : public QWidget {
    Q_OBJECT
  public:
    explicit frmVersion(CommandSink& sink, QWidget* parent = nullptr);

    // lblMonitorFirmwareVersionValue or lblMonitorEpromVersionValue.
    void SetValue(InfoLabel label, const QString& text);
    void OnActivate();

  private:
    CommandSink& sink_;
    QLabel* firmware_;
    QLabel* eprom_;
};

}  // namespace zorvex
