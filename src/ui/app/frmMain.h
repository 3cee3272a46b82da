#pragma once

#include <QMainWindow>
#include <array>
#include <functional>

#include "core/app/MainMenu.h"
#include "core/app/ShellViews.h"
#include "core/app/StatusBar.h"
#include "core/settings/WindowPlacement.h"

class QAction;
class QLabel;
class QMdiArea;
class QProgressBar;

namespace zorvex {

// The main window: a multi-document frame with the tool's menus and a status bar. It knows
// no behaviour of its own besides arranging its child windows; each menu item calls the
// handler the application gives it.
class frmMain : public QMainWindow, public MainWindowView, public StatusBarView {
    Q_OBJECT
  public:
    explicit frmMain(QWidget* parent = nullptr);

    QMdiArea& MdiArea() { return *mdiArea_; }
    QAction* Action(MenuCommand command) const;
    void SetMenuHandler(MenuCommand command, std::function<void()> handler);
    // Runs when the window is about to close (exit), before it goes.
    void SetExitHandler(std::function<void()> handler) { exitHandler_ = std::move(handler); }

    // Place in twips, applied now; the state is applied when the window is shown.
    void ApplyPlacement(const WindowPlacement& placement);
    WindowPlacement CurrentPlacement() const;
    void ShowWithPlacedState();

    // MainWindowView
    void ShowCaption(const std::string& caption) override;
    void ShowMenuStates(const MenuStates& states) override;
    void ShowMessage(const std::string& text) override;

    // StatusBarView
    void ShowProgress(int done, int total, const std::string& text) override;
    void ShowProgressDone(const std::string& text) override;
    void ShowNotice(const std::string& text) override;
    QLabel& ProgressText() { return *progressText_; }
    QProgressBar& ProgressBar() { return *progressBar_; }

    // Window menu.
    void TileHorizontally();
    void TileVertically();
    void ArrangeIcons();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildMenus();
    void Trigger(MenuCommand command);

    QMdiArea* mdiArea_;
    QLabel* progressText_;
    QProgressBar* progressBar_;
    std::array<QAction*, MenuCommandCount> actions_{};
    std::array<std::function<void()>, MenuCommandCount> handlers_;
    std::function<void()> exitHandler_;
    WindowState placedState_ = WindowState::Normal;
};

}  // namespace zorvex
