#include "ui/app/ChildWindow.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWidget>

#include "ui/app/Twips.h"

namespace zorvex {

// Turns a close into a hide and keeps the last normal geometry, which is what is stored
// even when the window is minimised or maximised at exit.
class ChildWindowSlot::Watcher : public QObject {
  public:
    explicit Watcher(ChildWindowSlot& slot) : slot_(slot) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* sub = qobject_cast<QMdiSubWindow*>(watched);
        if (sub == nullptr) {
            return false;
        }
        switch (event->type()) {
            case QEvent::Close:
                event->ignore();
                sub->hide();
                return true;
            case QEvent::Move:
            case QEvent::Resize:
                if (!sub->isMinimized() && !sub->isMaximized()) {
                    slot_.normalGeometry_ = sub->geometry();
                }
                break;
            default:
                break;
        }
        return false;
    }

  private:
    ChildWindowSlot& slot_;
};

ChildWindowSlot::ChildWindowSlot(QMdiArea& area, SettingsStore& settings, ChildPlacement placement,
                                 Factory create)
    : area_(area),
      settings_(settings),
      placement_(std::move(placement)),
      create_(std::move(create)) {}

ChildWindowSlot::~ChildWindowSlot() {
    if (subWindow_ && watcher_ != nullptr) {
        subWindow_->removeEventFilter(watcher_);
    }
    delete watcher_;
}

QWidget* ChildWindowSlot::Widget() {
    if (!Exists()) {
        Create();
    }
    return widget_;
}

QMdiSubWindow* ChildWindowSlot::SubWindow() {
    Widget();
    return subWindow_;
}

void ChildWindowSlot::Create() {
    widget_ = create_();
    subWindow_ = area_.addSubWindow(widget_);
    subWindow_->setAttribute(Qt::WA_DeleteOnClose, false);
    subWindow_->setWindowTitle(widget_->windowTitle());
    subWindow_->setWindowIcon(widget_->windowIcon());
    subWindow_->setObjectName(widget_->objectName() + QStringLiteral("Frame"));
    subWindow_->adjustSize();
    normalGeometry_ = subWindow_->geometry();
    RestorePlacement();
    if (watcher_ == nullptr) {
        watcher_ = new Watcher(*this);
    }
    subWindow_->installEventFilter(watcher_);
    subWindow_->hide();
}

void ChildWindowSlot::RestorePlacement() {
    const double dpiX = LogicalDpiX(&area_);
    const double dpiY = LogicalDpiY(&area_);
    QRect geometry = subWindow_->geometry();
    switch (placement_.kind) {
        case ChildPlacement::Kind::None:
            return;
        case ChildPlacement::Kind::Locations: {
            // On a first run a child opens at the size its controls need (as laid out by
            // adjustSize), within the workspace; half the screen would bury the main window.
            // The workspace may not be laid out yet at start-up: the main window's size
            // (placed before any child is made) is the bound then.
            QSize room = area_.viewport()->size();
            if (room.width() < 200 || room.height() < 200) {
                room = area_.window()->size() - QSize(16, 64);
            }
            const QSize fits = geometry.size().boundedTo(room.expandedTo(QSize(200, 150)));
            const TwipsSize firstRunSize{PixelsToTwips(fits.width(), dpiX),
                                         PixelsToTwips(fits.height(), dpiY)};
            const WindowPlacement p = LoadWindowPlacement(
                settings_, placement_.name, ScreenSizeInTwips(area_.screen()), firstRunSize);
            geometry = QRect(TwipsToPixels(p.left, dpiX), TwipsToPixels(p.top, dpiY),
                             TwipsToPixels(p.width, dpiX), TwipsToPixels(p.height, dpiY));
            pendingState_ = p.state;
            break;
        }
        case ChildPlacement::Kind::OwnKeys: {
            const OwnKeyPlacement p = LoadOwnKeyPlacement(settings_, placement_.ownKeys,
                                                          WidgetSizeInTwips(area_.window()),
                                                          WidgetSizeInTwips(subWindow_));
            pendingState_ = p.state;
            if (p.left)
                geometry.moveLeft(TwipsToPixels(*p.left, dpiX));
            if (p.top)
                geometry.moveTop(TwipsToPixels(*p.top, dpiY));
            if (p.width)
                geometry.setWidth(TwipsToPixels(*p.width, dpiX));
            if (p.height)
                geometry.setHeight(TwipsToPixels(*p.height, dpiY));
            break;
        }
    }
    subWindow_->setGeometry(geometry);
    normalGeometry_ = geometry;
}

void ChildWindowSlot::Show() {
    QMdiSubWindow* sub = SubWindow();
    if (!shownOnce_) {
        shownOnce_ = true;
        if (pendingState_ == WindowState::Minimised) {
            sub->showMinimized();
        } else if (pendingState_ == WindowState::Maximised) {
            sub->showMaximized();
        } else {
            sub->show();
        }
    } else if (sub->isMinimized()) {
        sub->showNormal();
    } else {
        sub->show();
    }
    widget_->show();
    sub->raise();
    area_.setActiveSubWindow(sub);
}

void ChildWindowSlot::Hide() {
    if (Exists()) {
        subWindow_->hide();
    }
}

bool ChildWindowSlot::IsVisible() const {
    return Exists() && subWindow_->isVisible();
}

WindowPlacement ChildWindowSlot::CurrentPlacement() const {
    const double dpiX = LogicalDpiX(&area_);
    const double dpiY = LogicalDpiY(&area_);
    WindowPlacement p;
    p.left = PixelsToTwips(normalGeometry_.left(), dpiX);
    p.top = PixelsToTwips(normalGeometry_.top(), dpiY);
    p.width = PixelsToTwips(normalGeometry_.width(), dpiX);
    p.height = PixelsToTwips(normalGeometry_.height(), dpiY);
    if (subWindow_->isMinimized()) {
        p.state = WindowState::Minimised;
    } else if (subWindow_->isMaximized()) {
        p.state = WindowState::Maximised;
    }
    return p;
}

void ChildWindowSlot::StorePlacement() {
    if (!Exists()) {
        return;
    }
    switch (placement_.kind) {
        case ChildPlacement::Kind::None:
            break;
        case ChildPlacement::Kind::Locations:
            SaveWindowPlacement(settings_, placement_.name, CurrentPlacement());
            break;
        case ChildPlacement::Kind::OwnKeys:
            SaveOwnKeyPlacement(settings_, placement_.ownKeys, CurrentPlacement());
            break;
    }
}

}  // namespace zorvex
