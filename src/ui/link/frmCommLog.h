#pragma once

#include <QPlainTextEdit>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "core/link/CommLogView.h"

class QCheckBox;
class QPushButton;

namespace zorvex {

class CommLog;

// The log text box: shows the log and hands typed keys to the log instead of inserting them.
// Every key but Enter is the monitor's, Ctrl+C and Ctrl+A too; as in a terminal, copying and
// selecting are on Ctrl+Shift+C and Ctrl+Shift+A and in the context menu.
class CommLogTextBox : public QPlainTextEdit {
    Q_OBJECT
  public:
    CommLogTextBox(CommLog& log, QWidget* parent);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    CommLog& log_;
};

// "Monitor Communication Log": the log window. Thin: every decision is the log model's; the
// window shows its text and control states and forwards the clicks.
class frmCommLog : public QWidget, public CommLogView {
    Q_OBJECT
  public:
    // How long received text waits before the window repaints, so a burst costs one repaint.
    static constexpr int kCatchUpMs = 50;

    // Creating the window creates the log's switches and reads its settings.
    explicit frmCommLog(CommLog& log, QWidget* parent = nullptr);
    ~frmCommLog() override;

    // What the dialog of "Log to File ..." returns; replaceable so tests need no dialog.
    using FileChooser = std::function<QString(const QString& proposedName)>;
    void SetFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }

    // "Done" hides the window through this (the main window's child frame).
    void SetHideHandler(std::function<void()> hide) { hide_ = std::move(hide); }

    // CommLogView.
    void ShowControls(const CommLogControls& controls) override;
    void LogTextPending() override;
    void ShowFileLogFailure(const std::string& message) override;

    // Shows whatever text is still waiting, at once.
    void CatchUp();

    QSize sizeHint() const override;

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void BuildControls();
    void Connect();
    void LayOut();
    void LogToFile();
    void ShowMessage(const QString& text);

    CommLog& log_;
    FileChooser chooseFile_;
    std::function<void()> hide_;
    QTimer catchUp_;
    bool textWaiting_ = false;

    QPushButton* btnTerse_ = nullptr;
    QPushButton* btnVerbose_ = nullptr;
    QPushButton* btnCheckOff_ = nullptr;
    QPushButton* btnCheckOn_ = nullptr;
    QPushButton* btnReConnect_ = nullptr;
    QPushButton* btnClrXQ_ = nullptr;
    QCheckBox* ckXmitQueueOverride_ = nullptr;
    QPushButton* btnDisableAutoping_ = nullptr;
    QPushButton* btnClearCommLogWindow_ = nullptr;
    QCheckBox* ckWindowEnabled_ = nullptr;
    QCheckBox* ckFileEnabled_ = nullptr;
    QPushButton* BtnLogFile_ = nullptr;
    QPushButton* btnEndFileLog_ = nullptr;
    QPushButton* btnDone_ = nullptr;
    QPushButton* btnInd_ = nullptr;
    CommLogTextBox* txtCommLog_ = nullptr;
};

}  // namespace zorvex
