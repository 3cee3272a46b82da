#pragma once

#include <functional>
#include <string>

#include "core/link/ConnectionViews.h"
#include "ui/app/ChildWindow.h"
#include "ui/link/frmChangeTries.h"
#include "ui/link/frmConnect.h"
#include "ui/link/frmTimedOut.h"
#include "ui/link/frmTrying.h"

namespace zorvex {

// Moves `window` off `other` when they overlap: to its right if the workspace has room
// there, else below it, else to its left, else into the workspace's bottom corner. The port
// rows at the top of the connection window must stay in sight and clickable.
void PlaceBeside(QMdiSubWindow& window, ChildWindowSlot& other);

// The connection logic speaks to the link windows through these. A window is created the
// first time something is written into it and stays hidden until it is shown.

class ConnectWindowRoute : public ConnectWindowView {
  public:
    ConnectWindowRoute(ChildWindow<frmConnect>& window, ChildWindowSlot& tryingWindow,
                       std::function<void(const std::string&)> showMessage)
        : window_(window), trying_(tryingWindow), showMessage_(std::move(showMessage)) {}
    void ShowWindow() override {
        window_.Show();
        if (trying_.Exists()) {
            PlaceBeside(*trying_.SubWindow(), window_);
        }
    }
    void HideWindow() override { window_.Hide(); }
    void SetStatusText(const std::string& text) override { window_.Get().SetStatusText(text); }
    void SetIndicatorOnline(bool online) override { window_.Get().SetIndicatorOnline(online); }
    void SetSelectedPort(int portNumber) override { window_.Get().SetSelectedPort(portNumber); }
    void ShowMessage(const std::string& text) override { showMessage_(text); }

  private:
    ChildWindow<frmConnect>& window_;
    ChildWindowSlot& trying_;
    std::function<void(const std::string&)> showMessage_;
};

class TryingWindowRoute : public TryingWindowView {
  public:
    TryingWindowRoute(ChildWindow<frmTrying>& window, ChildWindowSlot& connectWindow)
        : window_(window), connectWindow_(connectWindow) {}
    void ShowWindow() override {
        window_.Show();
        PlaceBeside(*window_.SubWindow(), connectWindow_);
    }
    void HideWindow() override { window_.Hide(); }
    void SetLimitText(const std::string& text) override { window_.Get().SetLimitText(text); }
    void SetToGoText(const std::string& text) override { window_.Get().SetToGoText(text); }

  private:
    ChildWindow<frmTrying>& window_;
    ChildWindowSlot& connectWindow_;
};

class ChangeTriesRoute : public ChangeTriesView {
  public:
    explicit ChangeTriesRoute(ChildWindow<frmChangeTries>& window) : window_(window) {}
    void ShowWindow() override { window_.Show(); }
    void HideWindow() override { window_.Hide(); }
    void SetLimitText(const std::string& text) override { window_.Get().SetLimitText(text); }

  private:
    ChildWindow<frmChangeTries>& window_;
};

class TimedOutRoute : public TimedOutView {
  public:
    explicit TimedOutRoute(ChildWindow<frmTimedOut>& window) : window_(window) {}
    void ShowWindow() override { window_.Show(); }
    void HideWindow() override { window_.Hide(); }

  private:
    ChildWindow<frmTimedOut>& window_;
};

}  // namespace zorvex
