#pragma once

#include <QMdiSubWindow>
#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

namespace zorvex {

// Tells a child window's content when its window becomes the active child of the main
// window: when it is shown, or when the user turns to it from another child window. Coming
// back from another application is not a new activation, so a window does not ask the
// monitor again just because the tool regained the focus.
//
// It also keeps the child window at least as large as its content needs, whatever size the
// settings or the window's own rules ask for, so that nothing is ever clipped.
class ChildActivation : public QObject {
  public:
    ChildActivation(QWidget& content, std::function<void()> onActivate);

    // The child window frame around the content, if it has one yet.
    QMdiSubWindow* Frame() const { return qobject_cast<QMdiSubWindow*>(frame_.data()); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Attach(QMdiSubWindow* frame);
    void OnAboutToActivate();
    void KeepContentUnclipped();

    QWidget& content_;
    std::function<void()> onActivate_;
    // Held as a plain object: while the main window is torn down the frame still sends
    // events from its base destructors, when it is no longer a sub-window.
    QPointer<QObject> frame_;
    bool areaWatched_ = false;
    bool active_ = false;
};

// Hides the child window holding content (or content itself when it has no frame). The
// window stays loaded with its values.
void HideChildWindow(QWidget& content);

}  // namespace zorvex
