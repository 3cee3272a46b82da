#pragma once

#include <QMessageBox>
#include <QPointer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/app/Shell.h"
#include "core/app/ShellState.h"
#include "core/app/StartupSequence.h"
#include "core/app/StatusBar.h"
#include "core/app/WriteConfirmations.h"
#include "core/data/FileCommands.h"
#include "core/data/MdfReader.h"
#include "core/data/MonitorData.h"
#include "core/data/MonitorDataFile.h"
#include "core/data/UpdateAllDataCycle.h"
#include "core/link/CommLog.h"
#include "core/link/ConnectionController.h"
#include "core/link/LinkState.h"
#include "core/link/ReceivePath.h"
#include "core/link/SerialPortMap.h"
#include "core/link/StdioLogFile.h"
#include "core/link/TransmitQueue.h"
#include "core/panels/diagnostics/PeekPoke.h"
#include "core/panels/info/InfoLabels.h"
#include "core/panels/stroke/CommLogDumpSource.h"
#include "core/panels/stroke/StrokeAdjustment.h"
#include "core/protocol/IdentificationReplies.h"
#include "core/protocol/ResponseDispatcher.h"
#include "core/settings/SettingsStore.h"
#include "core/support/Timer.h"
#include "platform/QtMappedPort.h"
#include "platform/QtMonitorDataFiles.h"
#include "platform/QtSystemServices.h"
#include "ui/app/ChildWindow.h"
#include "ui/app/StartupWarmUp.h"
#include "ui/data/QtFileCommandsView.h"
#include "ui/link/LinkWindowRoutes.h"
#include "ui/link/frmCommLog.h"
#include "ui/panels/diagnostics/frmPeekPoke.h"
#include "ui/panels/info/InfoWindowLabels.h"
#include "ui/panels/info/frmCapability.h"
#include "ui/panels/stroke/frmStrokeXY.h"

class QMdiArea;

namespace zorvex {

class frmMain;
class frmAbout;
class frmCompare;
class HelpWindow;

// What the application takes from outside. Left empty, the tool uses the real ones; a test
// injects an in-memory settings store and a virtual clock.
struct ApplicationServices {
    SettingsStore* settings = nullptr;  // null: the per-user INI store under the title
    TimerFactory* timers = nullptr;     // null: Qt timers
    SerialPort* port = nullptr;         // null: the Qt serial port on the "Ports" devices
};

// The one object graph of the tool, from start-up to exit. Everything that lives as long as
// the process (settings, timers, monitor data, link state, dispatcher, shell, windows) is a
// member here and is handed down by reference.
//
// Adding a window: declare its ChildWindow<...> member in the "Child windows" section,
// construct it in MakeChildWindows() (it is then stored at exit automatically), wire its
// menu item in WireMenus(), and fill the routing method that names it (start-up steps,
// indicators, info labels).
class Application : private StartupWindows, private LinkIndicators, private InfoLabels {
  public:
    explicit Application(ApplicationServices services = {});
    ~Application() override;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Runs the start-up steps; the main window is shown at the end.
    void Start();

    frmMain& MainWindow() { return *main_; }
    Shell& GetShell() { return *shell_; }
    ShellState& GetShellState() { return shellState_; }
    MonitorData& Data() { return monitorData_; }
    LinkState& Link() { return linkState_; }
    ResponseDispatcher& Dispatcher() { return dispatcher_; }
    SettingsStore& Settings() { return settings_; }
    TimerFactory& Timers() { return timers_; }
    StatusOperations& Status() { return *shell_; }
    InfoLabels& Labels() { return *this; }
    // The monitor data file: "&Open ...", "S&ave As ...", "&Close" and their dialogs.
    FileCommands& Files() { return *fileCommands_; }
    QtFileCommandsView& FileDialogs() { return *fileView_; }
    // The update-all-data cycle with its timer tmrSave; it exists once the transmit queue it
    // sends through does.
    UpdateAllDataCycle* UpdateCycle() { return updateCycle_.get(); }

    // The serial link: the port, the queue every command goes through, the receive framing
    // and the connection logic of the link windows.
    SerialPort& Port() { return port_; }
    SerialPortMap& PortMap() { return portMap_; }
    TransmitQueue& Queue() { return *queue_; }
    ReceivePath& Receive() { return *receive_; }
    ConnectionController& Connection() { return *connection_; }
    // The communication log: what the receive path logs, read by the stroke window's dump.
    CommLog& Log() { return *commLog_; }

    // Free-standing windows, created on first use.
    frmAbout& About();
    // "Compare With File ...": the data in the tool against a chosen file.
    frmCompare& CompareWindow();
    void CompareWithFile();
    HelpWindow& Help();
    void ShowHelpTopics();

    bool Exited() const { return exited_; }

  private:
    // ---- StartupWindows: the start-up steps that need windows ----
    void CreateMainWindow() override;
    void CreateCommLogHidden() override;
    TwipsSize ScreenSize() const override;
    void ApplyMainWindowPlacement(const WindowPlacement& placement) override;
    void ShowConnectionWindow() override;
    void ShowCommLogWindow() override;
    void ResetQueueFlags() override;
    void ShowMainWindow() override;

    // ---- LinkIndicators: what the status operations change in the link windows ----
    void SetConnectIndicator(IndicatorColour colour) override;
    void SetCommLogIndicator(IndicatorColour colour) override;
    void StopConnectReplyTimer() override;

    // ---- InfoLabels: reply handlers write the information windows' value labels ----
    void SetInfoLabel(InfoLabel label, const std::string& text) override;

    void MakeChildWindows();
    // The information and peek-and-poke windows and the replies that fill them.
    void MakeInfoPanels();
    // The port, queue, receive path and connection logic, over the link windows.
    void MakeLink();
    // The communication log model and its window, fed by the receive path.
    void MakeCommLog();
    // The log window's creation at start-up; its widgets follow the main window's first frame.
    void CreateCommLog();
    // The stroke window's logic over the queue, its dump over the log, and its window.
    void MakeStrokeAdjustment();
    // A message box raised once the current event has run to its end, so none ever opens
    // inside a port signal or in the middle of a dispatch.
    void ShowMessageLater(const std::string& text);
    // The connection's messages share one box: a second before the first is read updates
    // it instead of stacking another on the screen.
    void ShowConnectionMessage(const std::string& text);
    // Which link window a sub-window of the workspace is, for its activation.
    LinkWindow LinkWindowOf(const QMdiSubWindow* window);
    void MakeMonitorDataFile();
    // The update-all-data cycle sends its requests through the transmit queue.
    void MakeUpdateCycle(CommandSink& queue);
    // "&Update All Data" and every save: SendCount to 0 and step 0 at once.
    void RestartUpdateCycle();
    void WireMenus();
    // Exit: every window's place, the Configs values, the port; then the free windows go.
    void OnExit();
    // A child window of the main window's MDI area, registered so that its place is
    // stored at exit. create() builds the window's content the first time it is used.
    template <class W>
    std::unique_ptr<ChildWindow<W>> MakeChild(ChildPlacement placement,
                                              std::function<W*()> create) {
        auto slot = std::make_unique<ChildWindow<W>>(
            MdiArea(), settings_, std::move(placement),
            [create = std::move(create)]() -> QWidget* { return create(); });
        childWindows_.push_back(slot.get());
        return slot;
    }
    QMdiArea& MdiArea();

    // First of all: the font list is read in the background while the windows are built.
    StartupWarmUp warmUp_;

    // ---- Services (outside world) ----
    std::unique_ptr<SettingsStore> ownSettings_;
    SettingsStore& settings_;
    std::unique_ptr<TimerFactory> ownTimers_;
    TimerFactory& timers_;

    // ---- Process-wide state ----
    ShellState shellState_;
    MonitorData monitorData_;
    LinkState linkState_;
    ResponseDispatcher dispatcher_;

    // ---- The main window and the shell ----
    std::unique_ptr<frmMain> main_;
    std::unique_ptr<Shell> shell_;

    // ---- Monitor data file and update-all-data cycle (data) ----
    QtMonitorDataFiles mdvFiles_;
    QtWallClock wallClock_;
    std::unique_ptr<MdfReader> mdfReader_;
    std::unique_ptr<MonitorDataFile> mdvFile_;
    std::unique_ptr<QtFileCommandsView> fileView_;
    std::unique_ptr<FileCommands> fileCommands_;
    std::unique_ptr<UpdateAllDataStatus> updateStatus_;  // the cycle's progress, shown
    std::unique_ptr<UpdateAllDataCycle> updateCycle_;

    // ---- Child windows (inside the main window) ----
    // Every child window registers here; at exit each stores its place.
    std::vector<ChildWindowSlot*> childWindows_;
    // Link windows: frmConnect, frmTrying, frmChangeTries, frmTimedOut, frmCommLog.
    // Information windows: frmID, frmVersion, frmOperatingTime, frmCapability.
    // Stroke: frmStrokeXY. Diagnostics: frmPeekPoke.

    // ---- Information and peek-and-poke windows (information panels) ----
    std::unique_ptr<ChildWindow<frmID>> frmID_;
    std::unique_ptr<ChildWindow<frmVersion>> frmVersion_;
    std::unique_ptr<ChildWindow<frmOperatingTime>> frmOperatingTime_;
    std::unique_ptr<ChildWindow<frmCapability>> frmCapability_;
    std::unique_ptr<ChildWindow<frmPeekPoke>> frmPeekPoke_;
    std::unique_ptr<InfoWindowLabels> infoWindowLabels_;
    std::unique_ptr<PeekPokeWindowBoxes> peekPokeBoxes_;
    std::unique_ptr<IdentificationReplies> identificationReplies_;
    std::unique_ptr<PeekPokeReplies> peekPokeReplies_;

    // ---- Serial link (link) ----
    SerialPortMap portMap_{settings_};
    std::unique_ptr<QtMappedPort> ownPort_;
    SerialPort& port_;
    QtBeeper beeper_;
    std::unique_ptr<TransmitQueue> queue_;
    // The stroke and peek-and-poke windows send through it: their stores and writes are
    // confirmed in the status bar once answered.
    std::unique_ptr<WriteConfirmations> writeConfirmations_;
    std::unique_ptr<ReceivePath> receive_;
    std::unique_ptr<ChildWindow<frmConnect>> frmConnect_;
    std::unique_ptr<ChildWindow<frmTrying>> frmTrying_;
    std::unique_ptr<ChildWindow<frmChangeTries>> frmChangeTries_;
    std::unique_ptr<ChildWindow<frmTimedOut>> frmTimedOut_;
    std::unique_ptr<ConnectWindowRoute> connectRoute_;
    std::unique_ptr<TryingWindowRoute> tryingRoute_;
    std::unique_ptr<ChangeTriesRoute> changeTriesRoute_;
    std::unique_ptr<TimedOutRoute> timedOutRoute_;
    std::unique_ptr<ConnectionController> connection_;
    bool connectCreated_ = false;
    QPointer<QMessageBox> connectionBox_;
    QMetaObject::Connection activation_;
    bool startingUp_ = false;
    StdioLogFileCreator logFiles_;
    std::unique_ptr<CommLog> commLog_;
    std::unique_ptr<ChildWindow<frmCommLog>> frmCommLog_;
    bool commLogWidgetsPending_ = false;

    // ---- Stroke adjustment (stroke) ----
    std::unique_ptr<StrokeAdjustment> stroke_;
    std::unique_ptr<CommLogDumpSource> strokeDumpSource_;
    std::unique_ptr<ChildWindow<frmStrokeXY>> frmStrokeXY_;

    // ---- Free-standing windows ----
    std::unique_ptr<frmAbout> about_;
    std::unique_ptr<frmCompare> compare_;
    std::unique_ptr<HelpWindow> help_;

    bool exited_ = false;
};

}  // namespace zorvex
