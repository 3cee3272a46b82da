#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "../../core/link/CommLogFixture.h"
#include "core/link/StdioLogFile.h"
#include "ui/app/Twips.h"
#include "ui/link/frmCommLog.h"

namespace zorvex::testing {
namespace {

struct WindowHarness : CommLogHarness {
    std::unique_ptr<frmCommLog> window;

    frmCommLog& Open() {
        CommLogLinkHooks hooks;
        hooks.clearTransmitQueue = [this] { hookCalls.push_back("clear queue"); };
        hooks.startKeepAlive = [this](int ms) {
            hookCalls.push_back("keep-alive " + std::to_string(ms));
        };
        log = std::make_unique<CommLog>(CommLogServices{
            link, commands, port, settings, status, clock,
            realFiles != nullptr ? *realFiles : static_cast<LogFileCreator&>(files), hooks});
        window = std::make_unique<frmCommLog>(*log);
        return *window;
    }
    template <class W>
    W* Find(const char* name) {
        return window->findChild<W*>(QString::fromLatin1(name));
    }
    QPlainTextEdit* Text() { return Find<QPlainTextEdit>("txtCommLog"); }
};

struct ControlCase {
    const char* name;
    const char* caption;
    const char* tip;
};

class CommLogWindowControls : public ::testing::TestWithParam<ControlCase> {};

TEST_P(CommLogWindowControls, EveryControlHasItsNameCaptionAndTip) {
    const auto& c = GetParam();
    WindowHarness h;
    h.Open();
    QAbstractButton* control = h.Find<QAbstractButton>(c.name);
    ASSERT_NE(control, nullptr) << c.name;
    EXPECT_EQ(control->text(), QString::fromLatin1(c.caption));
    EXPECT_EQ(control->toolTip(), QString::fromLatin1(c.tip));
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommLogWindowControls,
    ::testing::Values(
        ControlCase{"btnTerse", "Terse", ""}, ControlCase{"btnVerbose", "Verbose", ""},
        ControlCase{"btnCheckOff", "Disable Checking", ""},
        ControlCase{"btnCheckOn", "Enable Checking", ""},
        ControlCase{"btnReConnect", "ReConnect", ""},
        ControlCase{"btnClrXQ", "Clear Xmit Queue", ""},
        ControlCase{"ckXmitQueueOverride", "Xmit Q Bypass", ""},
        ControlCase{"btnDisableAutoping", "Disable AutoPing", ""},
        ControlCase{"btnClearCommLogWindow", "Clear Log Window", ""},
        ControlCase{"ckWindowEnabled", "Window Log Enable", ""},
        ControlCase{"ckFileEnabled", "File Log Enabled", "Enable/Disable Logging to the Log File"},
        ControlCase{"BtnLogFile", "Log to File ...", "Open a Log File"},
        ControlCase{"btnEndFileLog", "Close Log File", "Stop File Log, Close Log File"},
        ControlCase{"btnDone", "Done", ""}, ControlCase{"btnInd", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CommLogWindow, TheWindowIsCreatedWithItsCaptionAndTheStatesOfANewLog) {
    WindowHarness h;
    auto& w = h.Open();
    EXPECT_EQ(w.windowTitle(), "Monitor Communication Log");
    ASSERT_NE(h.Text(), nullptr);
    EXPECT_FALSE(h.Find<QPushButton>("btnCheckOn")->isVisibleTo(&w));
    EXPECT_FALSE(h.Find<QPushButton>("btnCheckOn")->isEnabled());
    EXPECT_TRUE(h.Find<QPushButton>("btnCheckOff")->isVisibleTo(&w));
    EXPECT_FALSE(h.Find<QPushButton>("btnEndFileLog")->isEnabled());
    EXPECT_TRUE(h.Find<QCheckBox>("ckWindowEnabled")->isChecked());
    EXPECT_FALSE(h.Find<QCheckBox>("ckFileEnabled")->isChecked());
    EXPECT_FALSE(h.Find<QPushButton>("btnInd")->property("online").toBool());
}

TEST(CommLogWindow, CheckingButtonsAlternateWhenClicked) {
    WindowHarness h;
    auto& w = h.Open();
    w.show();
    QTest::mouseClick(h.Find<QPushButton>("btnCheckOff"), Qt::LeftButton);
    EXPECT_FALSE(h.Find<QPushButton>("btnCheckOff")->isVisible());
    ASSERT_TRUE(h.Find<QPushButton>("btnCheckOn")->isVisible());
    QTest::mouseClick(h.Find<QPushButton>("btnCheckOn"), Qt::LeftButton);
    EXPECT_TRUE(h.Find<QPushButton>("btnCheckOff")->isVisible());
    EXPECT_EQ(h.commands.queued, (std::vector<std::string>{"cz0\r\n", "cz1\r\n"}));
}

TEST(CommLogWindow, KeysTypedIntoTheLogAreQueuedAndNotInserted) {
    WindowHarness h;
    h.settings.Write("Configs", "BypassTransmitQueue", "0");
    h.Open().show();
    QTest::keyClicks(h.Text(), "df");
    QTest::keyClick(h.Text(), Qt::Key_Return);
    EXPECT_EQ(h.commands.queued, std::vector<std::string>{"df\r\n"});
    EXPECT_TRUE(h.Text()->toPlainText().isEmpty());
}

TEST(CommLogWindow, WithTheBypassTickedKeysGoStraightToThePort) {
    WindowHarness h;
    h.settings.Write("Configs", "BypassTransmitQueue", "0");
    h.Open().show();
    QTest::mouseClick(h.Find<QCheckBox>("ckXmitQueueOverride"), Qt::LeftButton);
    ASSERT_TRUE(h.link.XmitQueueOverride);
    QTest::keyClicks(h.Text(), "df");
    QTest::keyClick(h.Text(), Qt::Key_Return);
    EXPECT_EQ(h.port.WrittenTexts(), (std::vector<std::string>{"d", "f", "\r", "\n"}));
    EXPECT_TRUE(h.commands.queued.empty());
}

TEST(CommLogWindow, ReceivedTextReachesTheWidgetInOneBatchWithPlainLineBreaks) {
    WindowHarness h;
    h.Open().show();
    h.window->CatchUp();
    h.Receive("df\r\nV2.05\r\n#");
    EXPECT_TRUE(h.Text()->toPlainText().isEmpty()) << "the widget waits for the batch";
    h.window->CatchUp();
    EXPECT_EQ(h.Text()->toPlainText(), "df\nV2.05\n#");
    EXPECT_EQ(h.Text()->document()->blockCount(), 3);
}

TEST(CommLogWindow, TheBatchTimerCatchesUpOnItsOwn) {
    WindowHarness h;
    h.Open().show();
    h.Receive("abc");
    EXPECT_TRUE(QTest::qWaitFor([&] { return h.Text()->toPlainText() == "abc"; }, 2000));
}

TEST(CommLogWindow, AHiddenWindowShowsEverythingWhenItIsShownAgain) {
    WindowHarness h;
    auto& w = h.Open();
    h.Receive("while hidden\r");
    EXPECT_TRUE(h.Text()->toPlainText().isEmpty());
    w.show();
    EXPECT_EQ(h.Text()->toPlainText(), "while hidden\n");
    EXPECT_TRUE(h.log->CommLogOpen());
}

TEST(CommLogWindow, PassingTheLimitEmptiesTheWidgetToo) {
    WindowHarness h;
    h.Open().show();
    h.Receive(std::string(31501, 'x'));
    h.window->CatchUp();
    h.Receive("new");
    h.window->CatchUp();
    EXPECT_EQ(h.Text()->toPlainText(), "new");
}

TEST(CommLogWindow, TheLogFollowsNewTextOnlyWhileScrolledToTheBottom) {
    WindowHarness h;
    auto& w = h.Open();
    w.resize(600, 400);
    w.show();
    for (int i = 0; i < 200; ++i) {
        h.Receive("line\r");
    }
    h.window->CatchUp();
    QScrollBar* bar = h.Text()->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());

    bar->setValue(10);
    h.Receive("more\rmore\r");
    h.window->CatchUp();
    EXPECT_EQ(bar->value(), 10);

    bar->setValue(bar->maximum());
    h.Receive("again\ragain\r");
    h.window->CatchUp();
    EXPECT_EQ(bar->value(), bar->maximum());
}

TEST(CommLogWindow, AfterStartUpResetsTheFlagsTheBoxAndTheAutoPingButtonShowThem) {
    WindowHarness h;
    h.settings.Write("Configs", "BypassTransmitQueue", "1");
    h.settings.Write("Configs", "AutoPingEnabled", "0");
    h.Open();
    ASSERT_TRUE(h.Find<QCheckBox>("ckXmitQueueOverride")->isChecked());
    ASSERT_EQ(h.Find<QPushButton>("btnDisableAutoping")->text(), "Enable AutoPing");
    h.link.XmitQueueOverride = false;
    h.link.AutoPingEnabled = true;
    h.log->RefreshControls();
    EXPECT_FALSE(h.Find<QCheckBox>("ckXmitQueueOverride")->isChecked());
    EXPECT_EQ(h.Find<QPushButton>("btnDisableAutoping")->text(), "Disable AutoPing");
}

TEST(CommLogWindow, TheIndicatorTurnsGreenOnlineAndRedOffline) {
    WindowHarness h;
    h.Open();
    auto* ind = h.Find<QPushButton>("btnInd");
    h.log->SetIndicatorOnline(true);
    EXPECT_TRUE(ind->styleSheet().contains("rgb(0, 255, 0)"));
    h.log->SetIndicatorOnline(false);
    EXPECT_TRUE(ind->styleSheet().contains("rgb(255, 0, 0)"));
}

TEST(CommLogWindow, DoneHidesTheWindowAndClearsCommLogOpen) {
    WindowHarness h;
    auto& w = h.Open();
    w.show();
    ASSERT_TRUE(h.log->CommLogOpen());
    QTest::mouseClick(h.Find<QPushButton>("btnDone"), Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(h.log->CommLogOpen());
}

TEST(CommLogWindow, LogToFileOpensTheChosenFileWithTheProposedNameOffered) {
    WindowHarness h;
    h.clock.now = {2001, 6, 14, 9, 5, 7};
    auto& w = h.Open();
    QString offered;
    w.SetFileChooser([&](const QString& proposed) {
        offered = proposed;
        return QStringLiteral("chosen.mcl");
    });
    QTest::mouseClick(h.Find<QPushButton>("BtnLogFile"), Qt::LeftButton);
    EXPECT_EQ(offered, "Zorvex_LogFile_6_14_2001_9_5_7");
    EXPECT_TRUE(h.log->FileLogOpen());
    EXPECT_FALSE(h.Find<QPushButton>("BtnLogFile")->isEnabled());
    EXPECT_TRUE(h.Find<QPushButton>("btnEndFileLog")->isEnabled());
    EXPECT_TRUE(h.Find<QCheckBox>("ckFileEnabled")->isEnabled());
    EXPECT_FALSE(h.Find<QCheckBox>("ckFileEnabled")->isChecked());
}

TEST(CommLogWindow, TheRealDialogSavesAndAsksBeforeOverwritingWithTheLogFilters) {
    WindowHarness h;
    h.clock.now = {2001, 6, 14, 9, 5, 7};
    auto& w = h.Open();
    w.show();
    QFileDialog* seen = nullptr;
    bool confirmsOverwrite = false;
    QStringList filters;
    QString suffix;
    QString proposed;
    QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
    std::function<void()> look = [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            QTimer::singleShot(10, look);
            return;
        }
        seen = dialog;
        mode = dialog->acceptMode();
        confirmsOverwrite = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
        filters = dialog->nameFilters();
        suffix = dialog->defaultSuffix();
        proposed = dialog->selectedFiles().value(0);
        dialog->reject();
    };
    QTimer::singleShot(0, look);
    QTest::mouseClick(h.Find<QPushButton>("BtnLogFile"), Qt::LeftButton);
    ASSERT_NE(seen, nullptr);
    EXPECT_EQ(mode, QFileDialog::AcceptSave);
    EXPECT_TRUE(confirmsOverwrite);
    EXPECT_EQ(filters, (QStringList{"Monitor Comm Log Files(*.mcl)", "Text Files(*.txt)",
                                    "All files(*.*)"}));
    EXPECT_EQ(suffix, "mcl");
    // In the current folder, with the log's extension.
    EXPECT_EQ(proposed, QDir::currentPath() + "/Zorvex_LogFile_6_14_2001_9_5_7.mcl");
    EXPECT_FALSE(h.log->FileLogOpen()) << "cancelled";
}

TEST(CommLogWindow, ACancelledDialogChangesNothing) {
    WindowHarness h;
    auto& w = h.Open();
    w.SetFileChooser([](const QString&) { return QString(); });
    QTest::mouseClick(h.Find<QPushButton>("BtnLogFile"), Qt::LeftButton);
    EXPECT_FALSE(h.log->FileLogOpen());
    EXPECT_TRUE(h.Find<QPushButton>("BtnLogFile")->isEnabled());
    EXPECT_TRUE(h.files.files.empty());
}

TEST(CommLogWindow, AFileThatCannotBeCreatedIsToldAndChangesNothing) {
    WindowHarness h;
    h.files.refuse = true;
    auto& w = h.Open();
    w.show();
    w.SetFileChooser([](const QString&) { return QStringLiteral("/locked/x.mcl"); });
    QString told;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            told = box->text();
            box->accept();
        }
    });
    QTest::mouseClick(h.Find<QPushButton>("BtnLogFile"), Qt::LeftButton);
    EXPECT_TRUE(told.contains("/locked/x.mcl"));
    EXPECT_FALSE(h.log->FileLogOpen());
    EXPECT_TRUE(h.Find<QPushButton>("BtnLogFile")->isEnabled());
    EXPECT_FALSE(h.Find<QPushButton>("btnEndFileLog")->isEnabled());
}

TEST(CommLogWindow, AFullDiskIsToldOnceWithoutBlockingAndTheWindowLogGoesOn) {
    if (!std::filesystem::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full on this system";
    }
    StdioLogFileCreator real;
    WindowHarness h;
    h.realFiles = &real;
    auto& w = h.Open();
    w.show();
    w.SetFileChooser([](const QString&) { return QStringLiteral("/dev/full"); });
    QTest::mouseClick(h.Find<QPushButton>("BtnLogFile"), Qt::LeftButton);
    QTest::mouseClick(h.Find<QCheckBox>("ckFileEnabled"), Qt::LeftButton);
    ASSERT_TRUE(h.log->FileLogEnabled());
    h.Receive("one\rtwo\rthree\r");
    QApplication::processEvents();
    const auto boxes = w.findChildren<QMessageBox*>("msgFileLogFailure");
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes.front()->isVisible());
    EXPECT_FALSE(h.log->FileLogOpen());
    EXPECT_FALSE(h.Find<QCheckBox>("ckFileEnabled")->isChecked());
    EXPECT_TRUE(h.Find<QPushButton>("BtnLogFile")->isEnabled());
    w.CatchUp();
    EXPECT_EQ(h.Text()->toPlainText(), "one\ntwo\nthree\n");
}

struct ResizeCase {
    int widthTwips;
    int heightTwips;
};

class CommLogWindowResizing : public ::testing::TestWithParam<ResizeCase> {};

TEST_P(CommLogWindowResizing, TheLogAndTheBottomButtonsFollowTheWindowSize) {
    const auto& c = GetParam();
    WindowHarness h;
    QMdiArea area;
    area.resize(1600, 1200);
    area.show();
    auto& w = h.Open();
    QMdiSubWindow* frame = area.addSubWindow(h.window.release());
    frame->show();
    const double dpiX = LogicalDpiX(&w);
    const double dpiY = LogicalDpiY(&w);
    frame->resize(TwipsToPixels(c.widthTwips, dpiX), TwipsToPixels(c.heightTwips, dpiY));
    const double W = PixelsToTwips(frame->width(), dpiX);
    const double H = PixelsToTwips(frame->height(), dpiY);

    auto* text = w.findChild<QPlainTextEdit*>("txtCommLog");
    auto* done = w.findChild<QPushButton*>("btnDone");
    auto* reconnect = w.findChild<QPushButton*>("btnReConnect");
    auto* ind = w.findChild<QPushButton*>("btnInd");
    EXPECT_NEAR(text->width(), TwipsToPixels(W - 645, dpiX), 1);
    EXPECT_NEAR(text->height(), TwipsToPixels(H - 2940, dpiY), 1);
    EXPECT_NEAR(done->x(), TwipsToPixels(W - 1800, dpiX), 1);
    EXPECT_NEAR(done->y(), TwipsToPixels(H - 975, dpiY), 1);
    EXPECT_EQ(reconnect->y(), done->y());
    EXPECT_NEAR(ind->y(), TwipsToPixels(H - 915, dpiY), 1);
    // Nothing overlaps and nothing leaves the window.
    EXPECT_LT(text->geometry().bottom(), reconnect->y());
    EXPECT_LE(done->geometry().bottom(), w.height());
    EXPECT_LE(done->geometry().right(), w.width());
    frame->close();
    delete frame;
    h.window.reset();
}

INSTANTIATE_TEST_SUITE_P(Sizes, CommLogWindowResizing,
                         ::testing::Values(ResizeCase{9600, 7200}, ResizeCase{12000, 9000},
                                           ResizeCase{8400, 5400}));

}  // namespace
}  // namespace zorvex::testing

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
