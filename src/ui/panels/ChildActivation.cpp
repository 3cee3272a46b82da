#include "ui/panels/ChildActivation.h"
#include "ui/app/ChildWindow.h"

#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWidget>

namespace zorvex {

ChildActivation::ChildActivation(QWidget& content, std::function<void()> onActivate)
    : QObject(&content), content_(content), onActivate_(std::move(onActivate)) {
    content_.installEventFilter(this);
    Attach(ChildFrameOf(content_));
}

void ChildActivation::Attach(QMdiSubWindow* frame) {
    if (frame == nullptr || frame == frame_) {
        return;
    }
    frame_ = frame;
    frame->installEventFilter(this);
    connect(frame, &QMdiSubWindow::aboutToActivate, this, [this] { OnAboutToActivate(); });
}

void ChildActivation::OnAboutToActivate() {
    QMdiSubWindow* frame = Frame();
    if (!areaWatched_ && frame != nullptr && frame->mdiArea() != nullptr) {
        areaWatched_ = true;
        // Another child window taking over ends this one's turn.
        connect(frame->mdiArea(), &QMdiArea::subWindowActivated, this,
                [this](QMdiSubWindow* window) {
                    if (window != nullptr && static_cast<QObject*>(window) != frame_) {
                        active_ = false;
                    }
                });
    }
    if (active_) {
        return;
    }
    active_ = true;
    onActivate_();
}

void ChildActivation::KeepContentUnclipped() {
    QMdiSubWindow* frame = Frame();
    if (frame == nullptr) {
        return;
    }
    // Raising the minimum also grows a window that is smaller right now.
    frame->setMinimumSize(frame->minimumSizeHint());
}

bool ChildActivation::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &content_ && event->type() == QEvent::ParentChange) {
        Attach(ChildFrameOf(content_));
    } else if (watched == frame_) {
        switch (event->type()) {
            case QEvent::Show: {
                KeepContentUnclipped();
                // A window hidden while it was the area's current one is not activated
                // anew by the area when it comes back; showing it again is its turn.
                QMdiSubWindow* frame = Frame();
                if (!active_ && frame != nullptr && frame->mdiArea() != nullptr &&
                    frame->mdiArea()->currentSubWindow() == frame) {
                    OnAboutToActivate();
                }
                break;
            }
            case QEvent::Hide:
                // Shown again later, the window counts as newly activated.
                active_ = false;
                break;
            default:
                break;
        }
    } else if (watched == &content_ && event->type() == QEvent::LayoutRequest) {
        // A longer value widens the content; follow once its layout has settled.
        QMetaObject::invokeMethod(
            this, [this] { KeepContentUnclipped(); }, Qt::QueuedConnection);
    }
    return false;
}

void HideChildWindow(QWidget& content) {
    if (auto* frame = ChildFrameOf(content)) {
        frame->hide();
    } else {
        content.hide();
    }
}

}  // namespace zorvex
