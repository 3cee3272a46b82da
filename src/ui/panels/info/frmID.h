#pragma once

#include <QWidget>

#include "core/data/MonitorData.h"
#include "core/panels/info/InfoLabels.h"
#include "core/support/CommandSink.h"

class QLabel;
class QPushButton;

namespace zorvex {

class ChildActivation;

// "Model & Serial Numbers": the monitor's model, serial and part numbers. It asks for them
// each time it becomes active and shows the part-number row only for families that have one.
class frmID : public QWidget {
    Q_OBJECT
  public:
    frmID(const MonitorData& data, CommandSink& sink, QWidget* parent = nullptr);

    // lblModel, lblSerial or lblPart; other labels are not this window's.
    void SetValue(InfoLabel label, const QString& text);
    // The window became the active child: ask and lay out.
    void OnActivate();

    QSize minimumSizeHint() const override;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void LayOut();
    void PlaceDoneButton();
    int FrameHeight() const;

    const MonitorData& data_;
    CommandSink& sink_;
    QLabel* lblModel_;
    QLabel* lblSerial_;
    QLabel* lblPartLabel_;
    QLabel* lblPart_;
    QPushButton* btnDone_;
    QWidget* rows_;
    ChildActivation* activation_;
};

}  // namespace zorvex
