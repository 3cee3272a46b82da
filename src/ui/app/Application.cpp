#include "ui/app/Application.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>
#include <initializer_list>

#include "core/app/DisplayConfiguration.h"
#include "core/data/MonitorDataComparison.h"
#include "core/protocol/DacTableHandlers.h"
#include "core/protocol/LinkReplyHandlers.h"
#include "platform/QtSettingsStore.h"
#include "platform/QtTimerFactory.h"
#include "ui/app/HelpWindow.h"
#include "ui/app/QtText.h"
#include "ui/app/Twips.h"
#include "ui/app/frmAbout.h"
#include "ui/app/frmMain.h"
#include "ui/data/frmCompare.h"

namespace zorvex {

namespace {
constexpr int kUpdateAllDataIntervalMs = 1000;

// Runs an action once the watched widget has painted for the first time, so work nobody sees
// yet waits until the first frame is out.
class AfterFirstPaint : public QObject {
  public:
    AfterFirstPaint(QWidget* widget, std::function<void()> action)
        : QObject(widget), action_(std::move(action)) {
        widget->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && action_) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, parent(), std::move(action_));
            action_ = nullptr;
            deleteLater();
        }
        return false;
    }

  private:
    std::function<void()> action_;
};

std::unique_ptr<SettingsStore> OwnSettingsUnless(SettingsStore* injected) {
    if (injected != nullptr) {
        return nullptr;
    }
    return std::make_unique<QtSettingsStore>(FromBytes(BuiltApplicationTitle()));
}

// The tool's icon in the sizes given. Each size is a PNG decoded when it is added: the large
// ones, for the task switcher, cost more than the rest of the first frame's pictures together.
QIcon ToolIcon(std::initializer_list<int> sizes) {
    QIcon icon;
    for (int size : sizes) {
        icon.addFile(QStringLiteral(":/zorvex/zorvex-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

std::unique_ptr<TimerFactory> OwnTimersUnless(TimerFactory* injected) {
    if (injected != nullptr) {
        return nullptr;
    }
    return std::make_unique<QtTimerFactory>();
}
}  // namespace

Application::Application(ApplicationServices services)
    : ownSettings_(OwnSettingsUnless(services.settings)),
      settings_(services.settings != nullptr ? *services.settings : *ownSettings_),
      ownTimers_(OwnTimersUnless(services.timers)),
      timers_(services.timers != nullptr ? *services.timers : *ownTimers_),
      main_(std::make_unique<frmMain>()),
      ownPort_(services.port != nullptr ? nullptr : std::make_unique<QtMappedPort>(portMap_)),
      port_(services.port != nullptr ? *services.port : *ownPort_) {
    // Every window, the child windows and the dialogs included, shows it. The first frame
    // needs the small sizes only (title bars); the large ones follow right after it.
    QApplication::setWindowIcon(ToolIcon({16, 32}));
    new AfterFirstPaint(MdiArea().viewport(), [] {
        QApplication::setWindowIcon(ToolIcon({16, 32, 48, 64, 128, 256}));
    });
    shell_ = std::make_unique<Shell>(shellState_, monitorData_, linkState_, *main_,
                                     static_cast<LinkIndicators&>(*this),
                                     static_cast<InfoLabels&>(*this));

    // ---- Reply handlers: register them with dispatcher_ here (protocol, panels) ----
    RegisterDacTableHandlers(dispatcher_, monitorData_);
    RegisterLinkReplyHandlers(dispatcher_, monitorData_, Labels());

    MakeChildWindows();
    MakeLink();
    MakeStrokeAdjustment();
    MakeInfoPanels();
    MakeMonitorDataFile();
    WireMenus();
    main_->SetExitHandler([this] { OnExit(); });
}

Application::~Application() {
    // No more received bytes or failures into a graph being taken down.
    port_.SetReceiveHandler(nullptr);
    port_.SetFailureHandler(nullptr);
    QObject::disconnect(activation_);
    // Windows go first: they may still hold references into the state below.
    help_.reset();
    compare_.reset();
    about_.reset();
    childWindows_.clear();
    main_.reset();
}

QMdiArea& Application::MdiArea() {
    return main_->MdiArea();
}

void Application::Start() {
    // The workspace activates its windows again when the main window first shows; that is
    // no user bringing the attempt window to the front, and must not start a second attempt.
    startingUp_ = true;
    StartupSequence(settings_, shellState_, linkState_, monitorData_, *shell_, *this,
                    BuiltApplicationTitle())
        .Run();
    startingUp_ = false;
    if (frmConnect_->IsVisible()) {
        MdiArea().setActiveSubWindow(frmConnect_->SubWindow());
    }
    // Start-up reset the link flags after the log window was made: show the real ones.
    commLog_->RefreshControls();
}

// ---------------------------------------------------------------------------------------
// Child windows. Each is built the first time it is shown or used; its place is restored
// then and stored at exit. Placement keys: frmConnect, frmTrying, frmCommLog and
// frmCapability use "Locations" (ChildPlacement::Locations("frmConnect")); ID, Version,
// OpTime, PeekPoke, Tries and TimedOut use their own keys
// (ChildPlacement::OwnKeys(OwnKeyWindow::Version)).
// ---------------------------------------------------------------------------------------
void Application::MakeChildWindows() {
    // Example:
    //   frmConnect_ = MakeChild<frmConnect>(ChildPlacement::Locations("frmConnect"),
    //                                       [this] { return new frmConnect(...); });

    // Link windows over the connection logic (made in MakeLink, before any is created).
    frmConnect_ = MakeChild<frmConnect>(ChildPlacement::Locations("frmConnect"), [this] {
        auto* window = new frmConnect(*connection_, portMap_);
        window->SetMessageHandler([this](const std::string& text) { ShowConnectionMessage(text); });
        return window;
    });
    frmTrying_ = MakeChild<frmTrying>(ChildPlacement::Locations("frmTrying"),
                                      [this] { return new frmTrying(*connection_); });
    frmChangeTries_ =
        MakeChild<frmChangeTries>(ChildPlacement::OwnKeys(OwnKeyWindow::Tries), [this] {
            auto* window = new frmChangeTries(*connection_);
            window->SetMessageHandler([this](const std::string& text) { ShowMessageLater(text); });
            return window;
        });
    frmTimedOut_ = MakeChild<frmTimedOut>(ChildPlacement::OwnKeys(OwnKeyWindow::TimedOut),
                                          [this] { return new frmTimedOut(*connection_); });
}

void Application::MakeInfoPanels() {
    frmID_ = MakeChild<frmID>(ChildPlacement::OwnKeys(OwnKeyWindow::ID),
                              [this] { return new frmID(monitorData_, *queue_); });
    frmVersion_ = MakeChild<frmVersion>(ChildPlacement::OwnKeys(OwnKeyWindow::Version),
                                        [this] { return new frmVersion(*queue_); });
    frmOperatingTime_ =
        MakeChild<frmOperatingTime>(ChildPlacement::OwnKeys(OwnKeyWindow::OpTime),
                                    [this] { return new frmOperatingTime(*queue_); });
    frmCapability_ = MakeChild<frmCapability>(ChildPlacement::Locations("frmCapability"),
                                              [this] { return new frmCapability(monitorData_); });
    frmPeekPoke_ = MakeChild<frmPeekPoke>(ChildPlacement::OwnKeys(OwnKeyWindow::PeekPoke),
                                          [this] { return new frmPeekPoke(*writeConfirmations_); });
    infoWindowLabels_ =
        std::make_unique<InfoWindowLabels>(*frmID_, *frmVersion_, *frmOperatingTime_);
    peekPokeBoxes_ = std::make_unique<PeekPokeWindowBoxes>(*frmPeekPoke_);
    identificationReplies_ = std::make_unique<IdentificationReplies>(monitorData_, Labels());
    identificationReplies_->Register(dispatcher_);
    peekPokeReplies_ = std::make_unique<PeekPokeReplies>(*peekPokeBoxes_);
    peekPokeReplies_->Register(dispatcher_);
}

// ---------------------------------------------------------------------------------------
// The serial link: port, transmit queue, receive path and the connection logic.
// ---------------------------------------------------------------------------------------
void Application::MakeLink() {
    queue_ = std::make_unique<TransmitQueue>(port_, timers_, beeper_);
    writeConfirmations_ = std::make_unique<WriteConfirmations>(*queue_, *main_);
    receive_ = std::make_unique<ReceivePath>(
        *queue_,
        [this](std::string_view block) {
            dispatcher_.Dispatch(block);
            writeConfirmations_->OnReplyBlock(block);
        },
        linkState_);
    connectRoute_ = std::make_unique<ConnectWindowRoute>(
        *frmConnect_, *frmTrying_,
        [this](const std::string& text) { ShowConnectionMessage(text); });
    tryingRoute_ = std::make_unique<TryingWindowRoute>(*frmTrying_, *frmConnect_);
    changeTriesRoute_ = std::make_unique<ChangeTriesRoute>(*frmChangeTries_);
    timedOutRoute_ = std::make_unique<TimedOutRoute>(*frmTimedOut_);
    connection_ = std::make_unique<ConnectionController>(
        port_, *queue_, timers_, *shell_, monitorData_, linkState_,
        ConnectionController::Views{*connectRoute_, *tryingRoute_, *changeTriesRoute_,
                                    *timedOutRoute_});
    receive_->SetPromptListener(connection_.get());
    // The log window's indicator follows the connection window's.
    connection_->SetLogIndicator(
        [this](bool online) { SetCommLogIndicator(online ? IndicatorGreen : IndicatorRed); });
    port_.SetReceiveHandler([this](std::string_view bytes) { receive_->Feed(bytes); });
    port_.SetFailureHandler(
        [this](const std::string& reason) { connection_->OnPortFailure(reason); });
    queue_->SetWriteFailureHandler([this] { connection_->OnWriteFailure(); });
    MakeUpdateCycle(*queue_);
    MakeCommLog();
    const auto note = [this](const std::string& text) { commLog_->LogNote(text); };
    queue_->SetNoteHandler(note);
    connection_->SetLogNote(note);
    activation_ = QObject::connect(&MdiArea(), &QMdiArea::subWindowActivated, main_.get(),
                                   [this](QMdiSubWindow* window) {
                                       // None active: the application lost the focus.
                                       if (window != nullptr && !startingUp_) {
                                           connection_->WindowActivated(LinkWindowOf(window));
                                       }
                                   });
}

LinkWindow Application::LinkWindowOf(const QMdiSubWindow* window) {
    const std::pair<ChildWindowSlot*, LinkWindow> links[] = {
        {frmConnect_.get(), LinkWindow::Connect},
        {frmTrying_.get(), LinkWindow::Trying},
        {frmChangeTries_.get(), LinkWindow::ChangeTries},
        {frmTimedOut_.get(), LinkWindow::TimedOut}};
    for (auto [slot, link] : links) {
        if (slot->Exists() && slot->SubWindow() == window) {
            return link;
        }
    }
    return LinkWindow::Other;
}

void Application::ShowConnectionMessage(const std::string& text) {
    if (connectionBox_) {
        connectionBox_->setText(FromBytes(text));
        connectionBox_->raise();
        return;
    }
    // Opened, not run: no nested event loop, so port events and timers carry on beneath it.
    connectionBox_ = new QMessageBox(QMessageBox::Information, FromBytes(BuiltApplicationTitle()),
                                     FromBytes(text), QMessageBox::Ok, main_.get());
    connectionBox_->setAttribute(Qt::WA_DeleteOnClose);
    connectionBox_->open();
}

void Application::MakeStrokeAdjustment() {
    stroke_ = std::make_unique<StrokeAdjustment>(*writeConfirmations_, timers_, linkState_);
    strokeDumpSource_ = std::make_unique<CommLogDumpSource>(*commLog_);
    stroke_->SetLogWindow(strokeDumpSource_.get());
    // A read-out reaches only an open window (the core drops it otherwise).
    dispatcher_.Register(ReplyHandlerId::StrokeParameters,
                         [this](std::string_view rest) { stroke_->ApplyReadout(rest); });
    frmStrokeXY_ = MakeChild<frmStrokeXY>(ChildPlacement::None(),
                                          [this] { return new frmStrokeXY(*stroke_); });
}

void Application::MakeCommLog() {
    CommLogLinkHooks hooks;
    hooks.clearTransmitQueue = [this] { queue_->ClearTransmitQueue(); };
    hooks.restartConnectionAttempt = [this] { connection_->ReConnect(); };
    hooks.startKeepAlive = [this](int intervalMs) { connection_->StartKeepAlive(intervalMs); };
    commLog_ = std::make_unique<CommLog>(CommLogServices{
        linkState_, *queue_, port_, settings_, *shell_, wallClock_, logFiles_, std::move(hooks)});
    receive_->SetTrafficLog(commLog_.get());
    frmCommLog_ = MakeChild<frmCommLog>(ChildPlacement::Locations("frmCommLog"), [this] {
        auto* window = new frmCommLog(*commLog_);
        window->SetHideHandler([this] { frmCommLog_->Hide(); });
        return window;
    });
}

void Application::ShowMessageLater(const std::string& text) {
    QTimer::singleShot(0, main_.get(), [this, text] { main_->ShowMessage(text); });
}

// ---------------------------------------------------------------------------------------
// Menus. Items without a handler do nothing yet.
// ---------------------------------------------------------------------------------------
void Application::WireMenus() {
    frmMain& m = *main_;

    // File. "&New" has no action (there is no empty document to start from): it is greyed.
    m.SetMenuHandler(MenuCommand::FileOpen, [this] { fileCommands_->Open(); });
    m.SetMenuHandler(MenuCommand::FileSave, [this] { fileCommands_->Save(); });
    m.SetMenuHandler(MenuCommand::FileSaveAs, [this] { fileCommands_->SaveAs(); });
    m.SetMenuHandler(MenuCommand::FileClose, [this] { fileCommands_->Close(); });
    m.SetMenuHandler(MenuCommand::FileCompare, [this] { CompareWithFile(); });

    // Monitor.
    m.SetMenuHandler(MenuCommand::MonitorUpdate, [this] { RestartUpdateCycle(); });
    m.SetMenuHandler(MenuCommand::MonitorOnline, [this] { ShowConnectionWindow(); });
    m.SetMenuHandler(MenuCommand::MonitorOffline, [this] {
        shell_->SetMonitorOffline();
        connection_->HideConnectionWindows();
    });
    m.SetMenuHandler(MenuCommand::MonitorDemo, [this] { shell_->SetOfflineDemoMode(); });
    m.SetMenuHandler(MenuCommand::MonitorRun, [this] { queue_->QueueCommand("g\r\n"); });

    // Adjustments. "&Stroke Adjustment": show frmStrokeXY (stroke).
    m.SetMenuHandler(MenuCommand::StrokeAdj, [this] {
        frmStrokeXY_->Get().OpenWindow();
        frmStrokeXY_->Show();
    });
    // "&xy simulator" has no action in this configuration: it is greyed.

    // Info: "ID", "&Version", "&Monitor Configuration", "&Operating Hours" show frmID,
    // frmVersion, frmCapability, frmOperatingTime (information panels).

    m.SetMenuHandler(MenuCommand::InfoID, [this] { frmID_->Show(); });
    m.SetMenuHandler(MenuCommand::InfoVersion, [this] { frmVersion_->Show(); });
    m.SetMenuHandler(MenuCommand::InfoConfiguration, [this] { frmCapability_->Show(); });
    m.SetMenuHandler(MenuCommand::InfoOperatingHours, [this] { frmOperatingTime_->Show(); });

    // Diagnostics: "&Comm Logging" shows frmCommLog (link), "&Peek and Poke" frmPeekPoke.
    m.SetMenuHandler(MenuCommand::DiagnosticsPeek, [this] { frmPeekPoke_->Show(); });
    m.SetMenuHandler(MenuCommand::DiagnosticsCommLogging, [this] { frmCommLog_->Show(); });

    // Window: frmMain arranges its children itself.

    // Help.
    m.SetMenuHandler(MenuCommand::HelpTopics, [this] { ShowHelpTopics(); });
    m.SetMenuHandler(MenuCommand::HelpAbout, [this] {
        frmAbout& about = About();
        about.show();
        about.raise();
        about.activateWindow();
    });
}

// ---------------------------------------------------------------------------------------
// The monitor data file and the update-all-data cycle.
// ---------------------------------------------------------------------------------------
void Application::MakeMonitorDataFile() {
    mdfReader_ = std::make_unique<MdfReader>(monitorData_, dispatcher_, Labels());
    // Every save restarts the cycle at step 0, as "&Update All Data" does.
    mdvFile_ = std::make_unique<MonitorDataFile>(monitorData_, mdvFiles_, wallClock_, *mdfReader_,
                                                 [this] { RestartUpdateCycle(); });
    fileView_ = std::make_unique<QtFileCommandsView>(
        main_.get(), [this](const std::string& text) { main_->ShowMessage(text); });
    fileCommands_ = std::make_unique<FileCommands>(
        monitorData_, *mdvFile_, mdvFiles_, settings_, *fileView_,
        [this](const std::string& text) { shell_->SetMainCaption(text); },
        QDir::separator().toLatin1());
}

void Application::RestartUpdateCycle() {
    shellState_.SendCount = 0;
    if (updateCycle_) {
        updateCycle_->UpdateAllDataStep(shellState_.SendCount);
    }
}

void Application::MakeUpdateCycle(CommandSink& queue) {
    updateCycle_ =
        std::make_unique<UpdateAllDataCycle>(monitorData_, queue, timers_, shellState_.SendCount);
    updateStatus_ = std::make_unique<UpdateAllDataStatus>(*main_, wallClock_);
    updateCycle_->SetProgress(updateStatus_.get());
}

// ---------------------------------------------------------------------------------------
// Start-up steps that need windows.
// ---------------------------------------------------------------------------------------
void Application::CreateMainWindow() {
    // frmMain is built with the object graph, before the shell that drives it.
}

void Application::CreateCommLogHidden() {
    // frmCommLog (link): create it hidden and let its "Window Log Enable" box switch
    // logging on.
    CreateCommLog();
    commLog_->SetWindowLogEnabled(true);
}

void Application::CreateCommLog() {
    // The log window is made here as far as anyone can tell (its settings read, its switches
    // set); its widgets, which nobody sees yet, are built after the main window's first frame,
    // unless it is shown before.
    commLog_->Create();
    if (!frmCommLog_->Exists() && !commLogWidgetsPending_) {
        commLogWidgetsPending_ = true;
        new AfterFirstPaint(MdiArea().viewport(), [this] { frmCommLog_->Widget(); });
    }
}

TwipsSize Application::ScreenSize() const {
    return ScreenSizeInTwips(main_->screen());
}

void Application::ApplyMainWindowPlacement(const WindowPlacement& placement) {
    main_->ApplyPlacement(placement);
}

void Application::ShowConnectionWindow() {
    // frmConnect (link): show it and bring it to the front; its creation creates
    // frmCommLog if needed and starts the first connection attempt with linkState_.CommPort.
    if (!connectCreated_) {
        connectCreated_ = true;
        // At start-up the main window goes to the screen first: the window system shows its
        // frame while the connection window is built, and it paints once, with both in it.
        if (startingUp_ && !main_->isVisible()) {
            ShowMainWindow();
        }
        CreateCommLog();
        frmConnect_->Widget();
        connection_->Create();
    }
    connection_->ShowConnectWindow();
}

void Application::ShowCommLogWindow() {
    // frmCommLog (link): show it.
    frmCommLog_->Show();
}

void Application::ResetQueueFlags() {
    // Transmit queue (link): both busy marks off, AwaitingReply off. The queue has no busy
    // marks: everything runs on the one user-interface thread.
    queue_->SetAwaitingReply(false);
}

void Application::ShowMainWindow() {
    main_->ShowWithPlacedState();
}

// ---------------------------------------------------------------------------------------
// Indicators and labels the status operations and reply handlers write.
// ---------------------------------------------------------------------------------------
void Application::SetConnectIndicator(IndicatorColour colour) {
    // frmConnect.btnInd (link), if the window exists.
    if (auto* window = frmConnect_->IfExists()) {
        window->SetIndicatorOnline(colour == IndicatorGreen);
    }
}

void Application::SetCommLogIndicator(IndicatorColour colour) {
    // frmCommLog.btnInd (link); the log keeps the colour for a window made later.
    commLog_->SetIndicatorOnline(colour == IndicatorGreen);
}

void Application::StopConnectReplyTimer() {
    // frmConnect.tmrConnect (link); its status line stops saying connected.
    connection_->StopReplyTimer();
    connection_->OnStatusOffline();
}

void Application::SetInfoLabel(InfoLabel label, const std::string& text) {
    // frmID, frmVersion, frmOperatingTime (information panels): write the label, creating
    // the window hidden if needed.
    if (infoWindowLabels_) {
        infoWindowLabels_->SetInfoLabel(label, text);
    }
}

// ---------------------------------------------------------------------------------------
// Free-standing windows.
// ---------------------------------------------------------------------------------------
frmAbout& Application::About() {
    if (!about_) {
        about_ = std::make_unique<frmAbout>();
    }
    return *about_;
}

frmCompare& Application::CompareWindow() {
    if (!compare_) {
        compare_ = std::make_unique<frmCompare>(main_.get());
    }
    return *compare_;
}

void Application::CompareWithFile() {
    const auto chosen = fileView_->ChooseFileToOpen(OpenDialogFor());
    if (!chosen) {
        return;
    }
    const LoadedMonitorData file = LoadMonitorDataFile(mdvFiles_, chosen->path, chosen->title);
    if (!file.ok) {
        fileView_->ShowMessage(file.message);
        return;
    }
    frmCompare& window = CompareWindow();
    window.ShowDifferences(CompareMonitorData(monitorData_, file.data), chosen->title);
    window.show();
    window.raise();
    window.activateWindow();
}

HelpWindow& Application::Help() {
    if (!help_) {
        help_ = std::make_unique<HelpWindow>();
    }
    return *help_;
}

void Application::ShowHelpTopics() {
    if (StartLegacyHelpViewer()) {
        return;
    }
    // No legacy viewer here: the manual shipped with the program.
    HelpWindow& help = Help();
    help.show();
    help.raise();
    help.activateWindow();
}

// ---------------------------------------------------------------------------------------
// Exit.
// ---------------------------------------------------------------------------------------
void Application::OnExit() {
    if (exited_) {
        return;
    }
    exited_ = true;
    if (updateCycle_) {
        updateCycle_->Stop();
    }
    SaveWindowPlacement(settings_, "frmMain", main_->CurrentPlacement());
    StoreShellSettingsOnExit(settings_, linkState_);
    // Serial port (link): close it if open.
    connection_->StopReplyTimer();
    port_.Close();
    if (commLog_->Created()) {
        commLog_->Close();  // its settings, and an open log file closed
    }
    for (ChildWindowSlot* child : childWindows_) {
        child->StorePlacement();
    }
    // The free-standing windows close with the tool.
    if (about_) {
        about_->close();
    }
    if (compare_) {
        compare_->close();
    }
    if (help_) {
        help_->close();
    }
}

}  // namespace zorvex
