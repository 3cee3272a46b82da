#pragma once

#include "core/panels/info/InfoLabels.h"
#include "ui/app/ChildWindow.h"
#include "ui/panels/info/frmID.h"
#include "ui/panels/info/frmOperatingTime.h"
#include "ui/panels/info/frmVersion.h"

namespace zorvex {

// The value labels replies write. A window that does not exist yet is created hidden (and
// loaded, so the operating-time window asks once more); a reply never shows a window.
class InfoWindowLabels : public InfoLabels {
  public:
    InfoWindowLabels(ChildWindow<frmID>& id, ChildWindow<frmVersion>& version,
                     ChildWindow<frmOperatingTime>& opTime)
        : id_(id), version_(version), opTime_(opTime) {}

    void SetInfoLabel(InfoLabel label, const std::string& text) override;

  private:
    ChildWindow<frmID>& id_;
    ChildWindow<frmVersion>& version_;
    ChildWindow<frmOperatingTime>& opTime_;
};

}  // namespace zorvex
