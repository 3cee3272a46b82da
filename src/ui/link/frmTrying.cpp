#include "ui/link/frmTrying.h"

#include <QGridLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <algorithm>

#include "core/link/ConnectionController.h"
#include "ui/app/ChildWindow.h"
#include "ui/app/QtText.h"
#include "ui/app/Twips.h"
#include "ui/link/LinkWindowRoutes.h"

namespace zorvex {

namespace {
// The frame's minimum for the content as it is now: the frame hears of a change in its
// content's needs only on its next layout pass, so its cached sizes are dropped first.
QSize FreshMinimum(QMdiSubWindow& frame) {
    if (QWidget* scroller = frame.widget()) {
        scroller->updateGeometry();
    }
    return frame.minimumSizeHint();
}
}  // namespace

frmTrying::frmTrying(ConnectionController& connection, QWidget* parent)
    : QWidget(parent), connection_(connection) {
    setObjectName(QStringLiteral("frmTrying"));
    setWindowTitle(QStringLiteral("Trying to Connect to Monitor"));

    auto* limitCaption = new QLabel(QStringLiteral("Tries to Make:"), this);
    limitCaption->setObjectName(QStringLiteral("lblTriesToMake"));
    lblLimit_ = new QLabel(this);
    lblLimit_->setObjectName(QStringLiteral("lblLimit"));
    auto* toGoCaption = new QLabel(QStringLiteral("Tries Remaining:"), this);
    toGoCaption->setObjectName(QStringLiteral("lblTriesRemaining"));
    lblToGo_ = new QLabel(this);
    lblToGo_->setObjectName(QStringLiteral("lblToGo"));

    btnChange_ = new QPushButton(QStringLiteral("Change ..."), this);
    btnChange_->setObjectName(QStringLiteral("btnChange"));
    btnChange_->setToolTip(QStringLiteral("Change Retry Limit"));
    btnCancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel_->setObjectName(QStringLiteral("btnCancel"));
    btnCancel_->setToolTip(QStringLiteral("Stop Connect Attempt"));
    connect(btnChange_, &QPushButton::clicked, this, [this] { connection_.Change(); });
    connect(btnCancel_, &QPushButton::clicked, this, [this] { connection_.Cancel(); });

    // Small and tight: the window keeps its historic fixed size.
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->setVerticalSpacing(0);
    layout->addWidget(limitCaption, 0, 0);
    layout->addWidget(lblLimit_, 0, 1);
    layout->addWidget(btnChange_, 0, 2);
    layout->addWidget(toGoCaption, 1, 0);
    layout->addWidget(lblToGo_, 1, 1);
    layout->addWidget(btnCancel_, 1, 2);
    layout->setColumnStretch(1, 1);
}

void frmTrying::SetLimitText(const std::string& text) {
    lblLimit_->setText(FromBytes(text));
    FitTexts();
}

void frmTrying::SetToGoText(const std::string& text) {
    lblToGo_->setText(FromBytes(text));
    FitTexts();
}

void frmTrying::FitTexts() {
    // A text set while the window is on the screen ("no limit" after a count) may need more.
    auto* frame = ChildFrameOf(*this);
    if (frame != nullptr && isVisible()) {
        frame->resize(frame->size().expandedTo(FreshMinimum(*frame)));
    }
}

void frmTrying::showEvent(QShowEvent* event) {
    // After its place is restored the window always takes its own size, widened where its
    // texts need more ("no limit" is wider than a count) so no scroll bar cuts them.
    if (auto* frame = ChildFrameOf(*this)) {
        const QSize own(TwipsToPixels(kWidthTwips, LogicalDpiX(this)),
                        TwipsToPixels(kHeightTwips, LogicalDpiY(this)));
        frame->resize(own.expandedTo(FreshMinimum(*frame)));
    }
    QWidget::showEvent(event);
}

}  // namespace zorvex

namespace zorvex {

void PlaceBeside(QMdiSubWindow& window, ChildWindowSlot& other) {
    // Shown, though the main window itself may not be on the screen yet at start-up.
    if (!other.Exists() || other.SubWindow()->isHidden() || window.isMaximized() ||
        other.SubWindow()->isMaximized()) {
        return;
    }
    const QRect taken = other.SubWindow()->geometry();
    QRect mine = window.geometry();
    if (!mine.intersects(taken)) {
        return;
    }
    // The workspace may not be laid out yet at start-up: the main window bounds it then.
    QSize room = window.mdiArea()->viewport()->size();
    if (room.width() < 200 || room.height() < 200) {
        room = window.window()->size() - QSize(16, 64);
    }
    if (taken.right() + 1 + mine.width() <= room.width()) {
        mine.moveTopLeft(QPoint(taken.right() + 1, taken.top()));
    } else if (taken.bottom() + 1 + mine.height() <= room.height()) {
        mine.moveTopLeft(QPoint(taken.left(), taken.bottom() + 1));
    } else if (taken.left() >= mine.width()) {
        mine.moveTopLeft(QPoint(taken.left() - mine.width(), taken.top()));
    } else {
        // A workspace too small for both: the bottom corner, off the rows at the top.
        mine.moveTopLeft(QPoint(std::max(0, room.width() - mine.width()),
                                std::max(0, room.height() - mine.height())));
    }
    window.setGeometry(mine);
}

}  // namespace zorvex
