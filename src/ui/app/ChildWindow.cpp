#include "ui/app/ChildWindow.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QHash>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollArea>
#include <QSet>
#include <QShortcut>
#include <QWidget>
#include <algorithm>

#include "ui/app/Twips.h"

namespace zorvex {

namespace {
// Beyond this a frame may be smaller than its content, which then scrolls: a window that
// needs more room must not force a small workspace's windows over each other.
constexpr QSize kLargestMinimum(420, 280);
// A workspace not laid out yet reports a tiny size.
constexpr QSize kSmallestWorkspace(200, 150);

// The scroll area between a child frame and its content. It asks for the content's own size,
// and for its minimum up to the limit above.
class ChildScroller : public QScrollArea {
  public:
    ChildScroller() {
        setWidgetResizable(true);
        setFrameShape(QFrame::NoFrame);
        setFocusPolicy(Qt::NoFocus);
    }
    QSize sizeHint() const override {
        return widget() != nullptr ? widget()->sizeHint() : QScrollArea::sizeHint();
    }
    QSize minimumSizeHint() const override {
        if (widget() == nullptr) {
            return QScrollArea::minimumSizeHint();
        }
        const QSize content = widget()->minimumSizeHint().expandedTo(widget()->minimumSize());
        return content.boundedTo(kLargestMinimum);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // The frame's layout keeps this area's minimum; tell it when the content's changes.
        if (watched == widget() && event->type() == QEvent::LayoutRequest) {
            updateGeometry();
        }
        return QScrollArea::eventFilter(watched, event);
    }
};

bool StartsWord(const QString& text, qsizetype i) {
    return text[i].isLetterOrNumber() && (i == 0 || !text[i - 1].isLetterOrNumber());
}
}  // namespace

QMdiSubWindow* ChildFrameOf(const QWidget& content) {
    for (QWidget* up = content.parentWidget(); up != nullptr; up = up->parentWidget()) {
        if (auto* frame = qobject_cast<QMdiSubWindow*>(up)) {
            return frame;
        }
        if (up->isWindow()) {
            break;
        }
    }
    return nullptr;
}

void KeepFrameMinimum(QMdiSubWindow& frame) {
    frame.setMinimumSize(frame.minimumSizeHint());
}

void AssignAccessKeys(QWidget& window) {
    const auto buttons = window.findChildren<QAbstractButton*>();
    QHash<QString, int> uses;
    QSet<QChar> taken;
    for (const QAbstractButton* button : buttons) {
        const QString text = button->text();
        ++uses[text];
        const qsizetype mark = text.indexOf(QLatin1Char('&'));
        if (mark >= 0 && mark + 1 < text.size()) {
            taken.insert(text[mark + 1].toLower());
        }
    }
    for (QAbstractButton* button : buttons) {
        const QString text = button->text();
        if (text.isEmpty() || text.contains(QLatin1Char('&')) || uses[text] > 1) {
            continue;
        }
        // The first free letter that starts a word, else any free letter.
        qsizetype at = -1;
        for (int pass = 0; pass < 2 && at < 0; ++pass) {
            for (qsizetype i = 0; i < text.size(); ++i) {
                if (text[i].isLetterOrNumber() && (pass == 1 || StartsWord(text, i)) &&
                    !taken.contains(text[i].toLower())) {
                    at = i;
                    break;
                }
            }
        }
        if (at >= 0) {
            taken.insert(text[at].toLower());
            button->setText(text.left(at) + QLatin1Char('&') + text.mid(at));
        }
    }
}

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
            case QEvent::Resize:
                // Whoever sizes the window (its own rules, a stored place), it fits.
                if (sub->isVisible()) {
                    slot_.FitIntoWorkspace();
                }
                [[fallthrough]];
            case QEvent::Move:
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
    auto* scroller = new ChildScroller;
    scroller->setObjectName(widget_->objectName() + QStringLiteral("Scroller"));
    // The frame first, so the content finds it when it moves into the scroll area.
    subWindow_ = area_.addSubWindow(scroller);
    scroller->setWidget(widget_);
    widget_->show();
    scroller->updateGeometry();
    AssignAccessKeys(*widget_);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), subWindow_);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(escape, &QShortcut::activated, subWindow_.data(),
                     [sub = subWindow_.data()] { sub->close(); });
    subWindow_->setAttribute(Qt::WA_DeleteOnClose, false);
    subWindow_->setWindowTitle(widget_->windowTitle());
    subWindow_->setWindowIcon(widget_->windowIcon());
    subWindow_->setObjectName(widget_->objectName() + QStringLiteral("Frame"));
    subWindow_->adjustSize();
    KeepFrameMinimum(*subWindow_);
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
            const QSize fits = geometry.size().boundedTo(Workspace());
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
    FitIntoWorkspace();
}

QSize ChildWindowSlot::Workspace() const {
    QSize room = area_.viewport()->size();
    if (!area_.isVisible() || room.width() < 200 || room.height() < 200) {
        room = area_.window()->size() - QSize(16, 64);
    }
    return room.expandedTo(kSmallestWorkspace);
}

void ChildWindowSlot::FitIntoWorkspace() {
    if (!Exists() || subWindow_->isMinimized() || subWindow_->isMaximized()) {
        return;
    }
    const QSize room = Workspace();
    QRect place = subWindow_->geometry();
    const QSize fits = place.size().boundedTo(room).expandedTo(subWindow_->minimumSize());
    if (fits == place.size()) {
        return;
    }
    // Shrunk to the workspace, it moves as far as needed to be seen whole.
    place.setSize(fits);
    place.moveLeft(std::clamp(place.left(), 0, std::max(0, room.width() - fits.width())));
    place.moveTop(std::clamp(place.top(), 0, std::max(0, room.height() - fits.height())));
    subWindow_->setGeometry(place);
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
