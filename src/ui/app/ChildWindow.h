#pragma once

#include <QPointer>
#include <QRect>
#include <functional>
#include <string>

#include "core/settings/WindowPlacement.h"

class QMdiArea;
class QMdiSubWindow;
class QWidget;

namespace zorvex {

class SettingsStore;

// The child window frame around a window's content (the content sits in a scroll area inside
// it); null while the content has no frame.
QMdiSubWindow* ChildFrameOf(const QWidget& content);
// A frame at least as large as its content needs, up to a size that still fits a small
// workspace; beyond that the content scrolls.
void KeepFrameMinimum(QMdiSubWindow& frame);
// Gives every button and check box of a window whose caption is its own there an access key
// (Alt + a letter of the caption not yet taken); repeated captions such as "Save" get none.
void AssignAccessKeys(QWidget& window);

// How a child window keeps its place between runs.
struct ChildPlacement {
    enum class Kind { None, Locations, OwnKeys };
    Kind kind = Kind::None;
    std::string name;  // for Locations: the window's name, e.g. "frmConnect"
    OwnKeyWindow ownKeys = OwnKeyWindow::ID;

    static ChildPlacement None() { return {}; }
    static ChildPlacement Locations(std::string windowName) {
        return {Kind::Locations, std::move(windowName), OwnKeyWindow::ID};
    }
    static ChildPlacement OwnKeys(OwnKeyWindow window) { return {Kind::OwnKeys, {}, window}; }
};

// One child window of the main window's MDI area. It is created on first use (Widget() or
// Show()), restores its place from the settings then, and is only hidden and shown again
// until exit: closing it (also with Esc) hides it, so its controls and timers keep their
// state. The application stores its place at exit. It never opens larger than the workspace;
// a window smaller than its controls scrolls.
class ChildWindowSlot {
  public:
    using Factory = std::function<QWidget*()>;

    ChildWindowSlot(QMdiArea& area, SettingsStore& settings, ChildPlacement placement,
                    Factory create);
    ChildWindowSlot(const ChildWindowSlot&) = delete;
    ChildWindowSlot& operator=(const ChildWindowSlot&) = delete;
    ~ChildWindowSlot();

    bool Exists() const { return !subWindow_.isNull(); }
    // The window's content, created hidden on first use.
    QWidget* Widget();
    QMdiSubWindow* SubWindow();
    // Creates if needed, shows it and brings it to the front.
    void Show();
    void Hide();
    bool IsVisible() const;
    // Stores the place of a window that was created; nothing for one that never was.
    void StorePlacement();

  private:
    class Watcher;
    void Create();
    void RestorePlacement();
    WindowPlacement CurrentPlacement() const;
    // The room the workspace offers; before it is laid out, what the main window gives.
    QSize Workspace() const;
    // Shrinks (and moves) a normal window to lie within the workspace.
    void FitIntoWorkspace();

    QMdiArea& area_;
    SettingsStore& settings_;
    ChildPlacement placement_;
    Factory create_;
    QPointer<QMdiSubWindow> subWindow_;
    QPointer<QWidget> widget_;
    Watcher* watcher_ = nullptr;
    QRect normalGeometry_;
    WindowState pendingState_ = WindowState::Normal;
    bool shownOnce_ = false;
};

// A typed slot: Get() gives the window itself.
template <class W>
class ChildWindow : public ChildWindowSlot {
  public:
    using ChildWindowSlot::ChildWindowSlot;
    W& Get() { return *static_cast<W*>(Widget()); }
    W* IfExists() { return Exists() ? static_cast<W*>(Widget()) : nullptr; }
};

}  // namespace zorvex
