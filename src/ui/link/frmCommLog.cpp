#include "ui/link/frmCommLog.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <algorithm>
#include <initializer_list>
#include <vector>

#include "core/app/DisplayConfiguration.h"
#include "core/link/CommLog.h"
#include "ui/app/ChildWindow.h"
#include "ui/app/QtText.h"
#include "ui/app/Twips.h"

namespace zorvex {

namespace {

constexpr const char* kCaption = "Monitor Communication Log";
constexpr const char* kLogFileFilter =
    "Monitor Comm Log Files(*.mcl);;Text Files(*.txt);;All files(*.*)";
constexpr const char* kLogFileSuffix = "mcl";

// Layout in twips. The three rows of controls sit above the log; ReConnect, the indicator
// and Done below it follow the window's size.
constexpr double kMargin = 120;
constexpr double kGap = 90;
constexpr double kColumnWidth = 1695;
constexpr double kRowHeight = 375;
constexpr double kIndicatorSize = 255;
constexpr double kDoneWidth = 1275;

// Resizing rules, measured on the whole window (frame included), in twips.
constexpr double kMinWidthForRules = 1800;
constexpr double kTextWidthLess = 645;
constexpr double kDoneLeftLess = 1800;
constexpr double kMinHeightForRules = 2940;
constexpr double kTextHeightLess = 2940;
constexpr double kIndicatorTopLess = 915;
constexpr double kBottomButtonsTopLess = 975;

// The size a new window has before any placement or resizing.
constexpr double kDesignWidth = 8400;
constexpr double kDesignHeight = 6300;

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption,
                        const char* tip = nullptr) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    if (tip != nullptr) {
        button->setToolTip(QString::fromLatin1(tip));
    }
    return button;
}

QCheckBox* MakeCheckBox(QWidget* parent, const char* name, const char* caption,
                        const char* tip = nullptr) {
    auto* box = new QCheckBox(QString::fromLatin1(caption), parent);
    box->setObjectName(QString::fromLatin1(name));
    if (tip != nullptr) {
        box->setToolTip(QString::fromLatin1(tip));
    }
    return box;
}

QString IndicatorStyle(bool online) {
    return online ? QStringLiteral("background-color: rgb(0, 255, 0); border: 1px solid gray;")
                  : QStringLiteral("background-color: rgb(255, 0, 0); border: 1px solid gray;");
}

}  // namespace

CommLogTextBox::CommLogTextBox(CommLog& log, QWidget* parent) : QPlainTextEdit(parent), log_(log) {
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // The log is rewritten by the monitor, never by the user: an undo history would only grow.
    setUndoRedoEnabled(false);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFocusPolicy(Qt::StrongFocus);
}

void CommLogTextBox::keyPressEvent(QKeyEvent* event) {
    const auto modifiers = event->modifiers() & ~(Qt::KeypadModifier | Qt::GroupSwitchModifier);
    const int key = event->key();
    if (modifiers == (Qt::ControlModifier | Qt::ShiftModifier) &&
        (key == Qt::Key_C || key == Qt::Key_A)) {
        key == Qt::Key_C ? copy() : selectAll();
        event->accept();
        return;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        log_.TypeKey('\r');
        event->accept();
        return;
    }
    QString text = event->text();
    if (modifiers == Qt::ControlModifier && key >= Qt::Key_A && key <= Qt::Key_Z) {
        // The control character itself, whatever the platform put into the text.
        text = QChar(key - Qt::Key_A + 1);
    }
    if (text.isEmpty()) {
        // Arrows, page keys and the like move through the log as usual.
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    for (char c : ToBytes(text)) {
        log_.TypeKey(c);
    }
    event->accept();
}

void CommLogTextBox::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* copyAction = menu.addAction(QStringLiteral("&Copy"), this, &QPlainTextEdit::copy);
    copyAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    copyAction->setEnabled(textCursor().hasSelection());
    QAction* all = menu.addAction(QStringLiteral("Select &All"), this, &QPlainTextEdit::selectAll);
    all->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A));
    menu.exec(event->globalPos());
}

frmCommLog::frmCommLog(CommLog& log, QWidget* parent) : QWidget(parent), log_(log) {
    setObjectName(QStringLiteral("frmCommLog"));
    setWindowTitle(QString::fromLatin1(kCaption));
    BuildControls();
    Connect();
    catchUp_.setSingleShot(true);
    catchUp_.setInterval(kCatchUpMs);
    connect(&catchUp_, &QTimer::timeout, this, &frmCommLog::CatchUp);
    resize(sizeHint());
    log_.SetView(this);
    log_.Create();  // nothing more when start-up made the log before its widgets
    LayOut();
}

frmCommLog::~frmCommLog() {
    log_.SetView(nullptr);
}

void frmCommLog::BuildControls() {
    btnTerse_ = MakeButton(this, "btnTerse", "Terse");
    btnVerbose_ = MakeButton(this, "btnVerbose", "Verbose");
    btnCheckOff_ = MakeButton(this, "btnCheckOff", "Disable Checking");
    btnCheckOn_ = MakeButton(this, "btnCheckOn", "Enable Checking");
    btnCheckOn_->hide();
    btnCheckOn_->setEnabled(false);
    btnDisableAutoping_ = MakeButton(this, "btnDisableAutoping", "Disable AutoPing");
    btnClrXQ_ = MakeButton(this, "btnClrXQ", "Clear Xmit Queue");
    ckXmitQueueOverride_ = MakeCheckBox(this, "ckXmitQueueOverride", "Xmit Q Bypass");
    btnClearCommLogWindow_ = MakeButton(this, "btnClearCommLogWindow", "Clear Log Window");
    ckWindowEnabled_ = MakeCheckBox(this, "ckWindowEnabled", "Window Log Enable");
    BtnLogFile_ = MakeButton(this, "BtnLogFile", "Log to File ...", "Open a Log File");
    btnEndFileLog_ =
        MakeButton(this, "btnEndFileLog", "Close Log File", "Stop File Log, Close Log File");
    btnEndFileLog_->setEnabled(false);
    ckFileEnabled_ = MakeCheckBox(this, "ckFileEnabled", "File Log Enabled",
                                  "Enable/Disable Logging to the Log File");
    lblFileLog_ = new QLabel(this);
    lblFileLog_->setObjectName(QStringLiteral("lblFileLog"));
    txtCommLog_ = new CommLogTextBox(log_, this);
    txtCommLog_->setObjectName(QStringLiteral("txtCommLog"));
    txtCommLog_->setPlaceholderText(QStringLiteral(
        "Click here and type a command for the monitor; Enter sends it. Its answers show here."));
    btnReConnect_ = MakeButton(this, "btnReConnect", "ReConnect");
    btnInd_ = MakeButton(this, "btnInd", "");
    btnInd_->setFocusPolicy(Qt::NoFocus);
    btnInd_->setStyleSheet(IndicatorStyle(false));
    btnInd_->setProperty("online", false);
    btnDone_ = MakeButton(this, "btnDone", "Done");
}

void frmCommLog::Connect() {
    connect(btnTerse_, &QPushButton::clicked, this, [this] { log_.Terse(); });
    connect(btnVerbose_, &QPushButton::clicked, this, [this] { log_.Verbose(); });
    connect(btnCheckOff_, &QPushButton::clicked, this, [this] { log_.DisableChecking(); });
    connect(btnCheckOn_, &QPushButton::clicked, this, [this] { log_.EnableChecking(); });
    connect(btnReConnect_, &QPushButton::clicked, this, [this] { log_.ReConnect(); });
    connect(btnClrXQ_, &QPushButton::clicked, this, [this] { log_.ClearXmitQueue(); });
    connect(ckXmitQueueOverride_, &QCheckBox::clicked, this,
            [this](bool checked) { log_.SetXmitQueueBypass(checked); });
    connect(btnDisableAutoping_, &QPushButton::clicked, this, [this] { log_.SwitchAutoPing(); });
    connect(btnClearCommLogWindow_, &QPushButton::clicked, this, [this] {
        log_.ClearLogWindow();
        CatchUp();
    });
    connect(ckWindowEnabled_, &QCheckBox::clicked, this,
            [this](bool checked) { log_.SetWindowLogEnabled(checked); });
    connect(ckFileEnabled_, &QCheckBox::clicked, this,
            [this](bool checked) { log_.SetFileLogEnabled(checked); });
    connect(BtnLogFile_, &QPushButton::clicked, this, [this] { LogToFile(); });
    connect(btnEndFileLog_, &QPushButton::clicked, this, [this] {
        const std::string message = log_.CloseLogFile();
        if (!message.empty()) {
            ShowMessage(QString::fromLocal8Bit(message.c_str()));
        }
    });
    connect(btnDone_, &QPushButton::clicked, this, [this] {
        log_.Done();
        if (hide_) {
            hide_();
        } else {
            hide();
        }
    });
}

void frmCommLog::ShowControls(const CommLogControls& c) {
    btnCheckOff_->setVisible(c.checkOffShown);
    btnCheckOff_->setEnabled(c.checkOffShown);
    btnCheckOn_->setVisible(!c.checkOffShown);
    btnCheckOn_->setEnabled(!c.checkOffShown);
    btnDisableAutoping_->setText(FromBytes(c.autoPingCaption));
    ckXmitQueueOverride_->setChecked(c.bypassChecked);
    ckWindowEnabled_->setChecked(c.windowLogChecked);
    ckFileEnabled_->setEnabled(c.fileBoxEnabled);
    ckFileEnabled_->setChecked(c.fileBoxChecked);
    BtnLogFile_->setEnabled(c.logToFileEnabled);
    btnEndFileLog_->setEnabled(c.closeLogFileEnabled);
    fileLogStatus_ = QString::fromLocal8Bit(c.fileLogStatus.c_str());
    ShowFileLogStatus();
    if (btnInd_->property("online").toBool() != c.indicatorOnline) {
        btnInd_->setProperty("online", c.indicatorOnline);
        btnInd_->setStyleSheet(IndicatorStyle(c.indicatorOnline));
    }
}

void frmCommLog::LogTextPending() {
    textWaiting_ = true;
    // A hidden window catches up when it is shown; until then a burst costs nothing here.
    if (isVisible() && !catchUp_.isActive()) {
        catchUp_.start();
    }
}

void frmCommLog::CatchUp() {
    catchUp_.stop();
    if (!textWaiting_) {
        return;
    }
    textWaiting_ = false;
    const LogTextUpdate update = log_.TakeTextUpdate();
    QScrollBar* bar = txtCommLog_->verticalScrollBar();
    const bool atBottom = update.cleared || bar->value() >= bar->maximum();
    if (update.cleared) {
        txtCommLog_->clear();
    }
    if (!update.appended.empty()) {
        QString text = FromBytes(update.appended);
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        QTextCursor end(txtCommLog_->document());
        end.movePosition(QTextCursor::End);
        end.insertText(text);
    }
    // Follow the new text only when the technician is not reading further up.
    if (atBottom) {
        bar->setValue(bar->maximum());
    }
}

void frmCommLog::ShowFileLogStatus() {
    lblFileLog_->setToolTip(fileLogStatus_);
    lblFileLog_->setText(lblFileLog_->fontMetrics().elidedText(fileLogStatus_, Qt::ElideMiddle,
                                                               lblFileLog_->width()));
}

void frmCommLog::ShowFileLogFailure(const std::string& message) {
    // Told from inside the receive path: the box must not block it, so it opens on its own.
    const QString text = QString::fromLocal8Bit(message.c_str());
    QMetaObject::invokeMethod(
        this,
        [this, text] {
            auto* box = new QMessageBox(QMessageBox::Warning, FromBytes(BuiltApplicationTitle()),
                                        text, QMessageBox::Ok, this);
            box->setObjectName(QStringLiteral("msgFileLogFailure"));
            box->setAttribute(Qt::WA_DeleteOnClose);
            box->open();
        },
        Qt::QueuedConnection);
}

void frmCommLog::ShowMessage(const QString& text) {
    QMessageBox::warning(this, FromBytes(BuiltApplicationTitle()), text, QMessageBox::Ok);
}

void frmCommLog::LogToFile() {
    const QString proposed = FromBytes(log_.ProposedFileName());
    QString path;
    if (chooseFile_) {
        path = chooseFile_(proposed);
    } else {
        // A save dialog, so choosing an existing file asks before it is emptied.
        QFileDialog dialog(this, BtnLogFile_->toolTip(), QDir::currentPath(),
                           QString::fromLatin1(kLogFileFilter));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(QString::fromLatin1(kLogFileSuffix));
        dialog.selectFile(proposed);
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
            path = dialog.selectedFiles().constFirst();
        }
    }
    if (path.isEmpty()) {
        return;  // cancelled: nothing changes
    }
    const auto result = log_.OpenLogFile(path.toLocal8Bit().toStdString());
    if (!result.opened && !result.message.empty()) {
        ShowMessage(QString::fromLocal8Bit(result.message.c_str()));
    }
}

QSize frmCommLog::sizeHint() const {
    return {TwipsToPixels(kDesignWidth, LogicalDpiX(this)),
            TwipsToPixels(kDesignHeight, LogicalDpiY(this))};
}

void frmCommLog::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    log_.Activate();
    CatchUp();
}

void frmCommLog::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOut();
}

void frmCommLog::LayOut() {
    const double dpiX = LogicalDpiX(this);
    const double dpiY = LogicalDpiY(this);
    auto x = [dpiX](double twips) { return TwipsToPixels(twips, dpiX); };
    auto y = [dpiY](double twips) { return TwipsToPixels(twips, dpiY); };

    // Three rows in four columns; a column is as wide as its widest caption needs.
    const std::vector<std::vector<std::vector<QWidget*>>> rows = {
        {{btnTerse_}, {btnVerbose_}, {btnCheckOff_, btnCheckOn_}, {btnDisableAutoping_}},
        {{btnClrXQ_}, {ckXmitQueueOverride_}, {btnClearCommLogWindow_}, {ckWindowEnabled_}},
        {{BtnLogFile_}, {btnEndFileLog_}, {ckFileEnabled_}, {}},
    };
    std::vector<int> columnWidth(4, x(kColumnWidth));
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            for (QWidget* w : row[c]) {
                columnWidth[c] = std::max(columnWidth[c], w->sizeHint().width() + x(kGap));
            }
        }
    }
    int top = y(kMargin);
    for (const auto& row : rows) {
        int height = y(kRowHeight);
        for (const auto& cell : row) {
            for (QWidget* w : cell) {
                height = std::max(height, w->sizeHint().height());
            }
        }
        int left = x(kMargin);
        for (std::size_t c = 0; c < row.size(); ++c) {
            for (QWidget* w : row[c]) {
                w->setGeometry(left, top, columnWidth[c], height);
            }
            left += columnWidth[c] + x(kGap);
        }
        if (&row == &rows.back()) {
            // The file log's state takes the free place at the end of the file row.
            const int left =
                x(kMargin) + columnWidth[0] + columnWidth[1] + columnWidth[2] + 3 * x(kGap);
            lblFileLog_->setGeometry(left, top,
                                     std::max(columnWidth[3], width() - left - x(kMargin)), height);
            ShowFileLogStatus();
        }
        top += height + y(kGap);
    }
    const int textTop = top;

    // The rules speak of the whole window; inside the main window that is the child frame.
    const QWidget* frame = ChildFrameOf(*this);
    if (frame != nullptr && frame->isMinimized()) {
        return;
    }
    QSize outer = frame != nullptr ? frame->size() : size();
    if (frame != nullptr && parentWidget() != nullptr) {
        // Scrolled in a frame smaller than itself, the window lays out its own whole size.
        outer += (size() - parentWidget()->size()).expandedTo(QSize(0, 0));
    }
    const double outerWidth = PixelsToTwips(outer.width(), dpiX);
    const double outerHeight = PixelsToTwips(outer.height(), dpiY);
    const double ruleWidth = std::max(outerWidth, kMinWidthForRules);
    const double ruleHeight = std::max(outerHeight, kMinHeightForRules);

    const int bottomHeight = std::max(
        {y(kRowHeight), btnReConnect_->sizeHint().height(), btnDone_->sizeHint().height()});
    // Frames differ from system to system: keep the bottom row inside the window.
    const int bottomTop =
        std::min(y(ruleHeight - kBottomButtonsTopLess), height() - bottomHeight - y(kGap));
    const int indicatorTop = std::min(y(ruleHeight - kIndicatorTopLess),
                                      bottomTop + (bottomHeight - y(kIndicatorSize)) / 2);
    const int textHeight =
        std::max(0, std::min(y(ruleHeight - kTextHeightLess), bottomTop - y(kGap) - textTop));
    const int textWidth = std::max(0, x(ruleWidth - kTextWidthLess));

    txtCommLog_->setGeometry(x(kMargin), textTop, textWidth, textHeight);
    btnReConnect_->setGeometry(x(kMargin), bottomTop, columnWidth[0], bottomHeight);
    btnInd_->setGeometry(x(kMargin) + columnWidth[0] + x(kGap), indicatorTop, x(kIndicatorSize),
                         y(kIndicatorSize));
    const int doneWidth = std::max(x(kDoneWidth), btnDone_->sizeHint().width());
    btnDone_->setGeometry(x(ruleWidth - kDoneLeftLess), bottomTop, doneWidth, bottomHeight);

    // Smaller than the rows of controls, a few lines of log and the bottom row, it scrolls.
    const QSize minimum(2 * x(kMargin) + columnWidth[0] + columnWidth[1] + columnWidth[2] +
                            columnWidth[3] + 3 * x(kGap),
                        textTop + 4 * fontMetrics().lineSpacing() + 2 * y(kGap) + bottomHeight);
    if (minimum != minimum_) {
        minimum_ = minimum;
        updateGeometry();
    }
}

QSize frmCommLog::minimumSizeHint() const {
    return minimum_;
}

}  // namespace zorvex
