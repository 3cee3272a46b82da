#include "ui/app/frmMain.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QStatusBar>
#include <algorithm>

#include "core/app/DisplayConfiguration.h"
#include "ui/app/QtText.h"
#include "ui/app/Twips.h"

namespace zorvex {

namespace {
// How long a notice stays in the status bar.
constexpr int kNoticeMs = 8000;

std::size_t Index(MenuCommand command) {
    return static_cast<std::size_t>(command);
}

QList<QMdiSubWindow*> VisibleNormalWindows(QMdiArea& area) {
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* sub : area.subWindowList(QMdiArea::CreationOrder)) {
        if (sub->isVisible() && !sub->isMinimized()) {
            windows.append(sub);
        }
    }
    return windows;
}
}  // namespace

frmMain::frmMain(QWidget* parent)
    : QMainWindow(parent),
      mdiArea_(new QMdiArea(this)),
      progressText_(new QLabel(this)),
      progressBar_(new QProgressBar(this)) {
    setObjectName(QStringLiteral("frmMain"));
    mdiArea_->setObjectName(QStringLiteral("mdiArea"));
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea_);
    BuildMenus();
    // Notices on the left; the reading progress stays on the right.
    progressText_->setObjectName(QStringLiteral("lblProgress"));
    progressBar_->setObjectName(QStringLiteral("prgUpdateAllData"));
    progressBar_->setTextVisible(false);
    progressBar_->setMaximumWidth(160);
    progressBar_->hide();
    statusBar()->addPermanentWidget(progressText_);
    statusBar()->addPermanentWidget(progressBar_);

    SetMenuHandler(MenuCommand::FileExit, [this] { close(); });
    SetMenuHandler(MenuCommand::WindowCascade, [this] { mdiArea_->cascadeSubWindows(); });
    SetMenuHandler(MenuCommand::WindowTileHorizontal, [this] { TileHorizontally(); });
    SetMenuHandler(MenuCommand::WindowTileVertical, [this] { TileVertically(); });
    SetMenuHandler(MenuCommand::WindowArrangeIcons, [this] { ArrangeIcons(); });
}

void frmMain::BuildMenus() {
    for (const MenuText& menuText : MainMenus()) {
        QMenu* menu = menuBar()->addMenu(FromBytes(menuText.caption));
        menu->setObjectName(FromBytes(menuText.name));
        for (const MenuItemText& item : menuText.items) {
            QAction* action = menu->addAction(FromBytes(item.caption));
            action->setObjectName(FromBytes(item.name));
            const MenuCommand command = item.command;
            connect(action, &QAction::triggered, this, [this, command] { Trigger(command); });
            actions_[Index(command)] = action;
        }
    }
    ShowMenuStates(MenuStates{});
}

QAction* frmMain::Action(MenuCommand command) const {
    return actions_[Index(command)];
}

void frmMain::SetMenuHandler(MenuCommand command, std::function<void()> handler) {
    handlers_[Index(command)] = std::move(handler);
}

void frmMain::Trigger(MenuCommand command) {
    if (const auto& handler = handlers_[Index(command)]) {
        handler();
    }
}

void frmMain::ShowCaption(const std::string& caption) {
    setWindowTitle(FromBytes(caption));
}

void frmMain::ShowMenuStates(const MenuStates& states) {
    for (int i = 0; i < MenuCommandCount; ++i) {
        const auto command = static_cast<MenuCommand>(i);
        actions_[Index(command)]->setEnabled(states.IsEnabled(command));
    }
}

void frmMain::ShowMessage(const std::string& text) {
    QMessageBox::information(this, FromBytes(BuiltApplicationTitle()), FromBytes(text),
                             QMessageBox::Ok);
}

void frmMain::ShowProgress(int done, int total, const std::string& text) {
    progressBar_->setRange(0, total);
    progressBar_->setValue(done);
    progressBar_->show();
    progressText_->setText(FromBytes(text));
}

void frmMain::ShowProgressDone(const std::string& text) {
    progressBar_->hide();
    progressText_->setText(FromBytes(text));
}

void frmMain::ShowNotice(const std::string& text) {
    statusBar()->showMessage(FromBytes(text), kNoticeMs);
}

void frmMain::ApplyPlacement(const WindowPlacement& placement) {
    const double dpiX = LogicalDpiX(this);
    const double dpiY = LogicalDpiY(this);
    // A stored place outside the screen is used all the same, as stored.
    resize(std::max(1, TwipsToPixels(placement.width, dpiX)),
           std::max(1, TwipsToPixels(placement.height, dpiY)));
    move(TwipsToPixels(placement.left, dpiX), TwipsToPixels(placement.top, dpiY));
    placedState_ = placement.state;
}

WindowPlacement frmMain::CurrentPlacement() const {
    const double dpiX = LogicalDpiX(this);
    const double dpiY = LogicalDpiY(this);
    // The normal place, also while minimised or maximised, so the next run restores it.
    const QRect normal = (isMinimized() || isMaximized()) ? normalGeometry() : geometry();
    const QPoint framePos = (isMinimized() || isMaximized()) ? normal.topLeft() : pos();
    WindowPlacement p;
    p.left = PixelsToTwips(framePos.x(), dpiX);
    p.top = PixelsToTwips(framePos.y(), dpiY);
    p.width = PixelsToTwips(normal.width(), dpiX);
    p.height = PixelsToTwips(normal.height(), dpiY);
    p.state = isMinimized()   ? WindowState::Minimised
              : isMaximized() ? WindowState::Maximised
                              : WindowState::Normal;
    return p;
}

void frmMain::ShowWithPlacedState() {
    switch (placedState_) {
        case WindowState::Minimised:
            showMinimized();
            break;
        case WindowState::Maximised:
            showMaximized();
            break;
        case WindowState::Normal:
            show();
            break;
    }
}

void frmMain::TileHorizontally() {
    // One above the other, each as wide as the area.
    const auto windows = VisibleNormalWindows(*mdiArea_);
    if (windows.isEmpty()) {
        return;
    }
    const QRect area = mdiArea_->viewport()->rect();
    const int height = area.height() / static_cast<int>(windows.size());
    int y = 0;
    for (QMdiSubWindow* sub : windows) {
        sub->showNormal();
        sub->setGeometry(0, y, area.width(), height);
        y += height;
    }
}

void frmMain::TileVertically() {
    // Side by side, each as high as the area.
    const auto windows = VisibleNormalWindows(*mdiArea_);
    if (windows.isEmpty()) {
        return;
    }
    const QRect area = mdiArea_->viewport()->rect();
    const int width = area.width() / static_cast<int>(windows.size());
    int x = 0;
    for (QMdiSubWindow* sub : windows) {
        sub->showNormal();
        sub->setGeometry(x, 0, width, area.height());
        x += width;
    }
}

void frmMain::ArrangeIcons() {
    // Minimised windows in a row along the bottom edge, left to right, wrapping upwards.
    const QRect area = mdiArea_->viewport()->rect();
    int x = 0;
    int y = area.bottom();
    for (QMdiSubWindow* sub : mdiArea_->subWindowList(QMdiArea::CreationOrder)) {
        if (!sub->isVisible() || !sub->isMinimized()) {
            continue;
        }
        const QSize size = sub->size();
        if (x > 0 && x + size.width() > area.width()) {
            x = 0;
            y -= size.height();
        }
        sub->move(x, y - size.height() + 1);
        x += size.width();
    }
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (exitHandler_) {
        exitHandler_();
    }
    event->accept();
}

}  // namespace zorvex
