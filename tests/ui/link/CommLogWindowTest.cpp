#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
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
        window = std::make_unique<frmCommLog>(Build());
        return *window;
    }
    template <class W = QPushButton>
    W* Find(const char* name) {
        return window->findChild<W*>(QString::fromLatin1(name));
    }
    QPlainTextEdit* Text() { return Find<QPlainTextEdit>("txtCommLog"); }
    QString Shown() { return Text()->toPlainText(); }
    void Click(const char* name) { QTest::mouseClick(Find<QAbstractButton>(name), Qt::LeftButton); }
};

TEST(CommLogWindow, ReceivedTextReachesTheWidgetInBatchesWithPlainLineBreaks) {
    WindowHarness h;
    auto& w = h.Open();
    h.Receive("while hidden\r");
    EXPECT_TRUE(h.Shown().isEmpty());
    w.show();
    EXPECT_EQ(h.Shown(), "while hidden\n");
    EXPECT_TRUE(h.log->CommLogOpen());
    h.Receive("df\r\nV2.05\r\n#");
    EXPECT_EQ(h.Shown(), "while hidden\n") << "the widget waits for the batch";
    w.CatchUp();
    EXPECT_EQ(h.Shown(), "while hidden\ndf\nV2.05\n#");
    EXPECT_EQ(h.Text()->document()->blockCount(), 4);
    h.Receive(std::string(31501 - h.log->LogText().size(), 'x'));  // just past the limit
    w.CatchUp();
    h.Receive("new");
    EXPECT_TRUE(QTest::qWaitFor([&] { return h.Shown() == "new"; }, 2000)) << "by its timer";
}

TEST(CommLogWindow, EveryKeyButEnterIsTheMonitorsAndCopyIsOnCtrlShift) {
    WindowHarness h;
    h.Open().show();
    h.Receive("df\r\n#");
    h.window->CatchUp();
    QPlainTextEdit* text = h.Text();
    QApplication::clipboard()->clear();
    QTest::keyClick(text, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(text, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "df\n#");
    EXPECT_TRUE(h.port.writes.empty());  // copying sends nothing
    for (Qt::Key key : {Qt::Key_C, Qt::Key_A, Qt::Key_X}) {
        QTest::keyClick(text, key, Qt::ControlModifier);
    }
    EXPECT_EQ(h.port.WrittenTexts(), (std::vector<std::string>{"\x03", "\x01", "\x18"}));
}

TEST(CommLogWindow, LogToFileOffersTheProposedNameAndOpensTheChosenFileOrSaysWhyNot) {
    WindowHarness h;
    h.clock.now = {2001, 6, 14, 9, 5, 7};
    h.Open().show();
    QString offered;
    QString choice;  // empty: cancelled
    h.window->SetFileChooser([&](const QString& proposed) {
        offered = proposed;
        return choice;
    });
    h.Click("BtnLogFile");
    EXPECT_EQ(offered, "Zorvex_LogFile_6_14_2001_9_5_7");
    EXPECT_TRUE(h.files.files.empty());
    choice = "/locked/x.mcl";
    h.files.refuse = true;
    QString told;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            told = box->text();
            box->accept();
        }
    });
    h.Click("BtnLogFile");
    EXPECT_TRUE(told.contains("/locked/x.mcl"));
    EXPECT_FALSE(h.log->FileLogOpen());
    EXPECT_TRUE(h.Find("BtnLogFile")->isEnabled());
    EXPECT_FALSE(h.Find("btnEndFileLog")->isEnabled());
    choice = "chosen.mcl";
    h.files.refuse = false;
    h.Click("BtnLogFile");
    EXPECT_TRUE(h.log->FileLogOpen());
    EXPECT_FALSE(h.Find("BtnLogFile")->isEnabled());
    EXPECT_TRUE(h.Find("btnEndFileLog")->isEnabled());
    EXPECT_TRUE(h.Find<QCheckBox>("ckFileEnabled")->isEnabled());
    EXPECT_FALSE(h.Find<QCheckBox>("ckFileEnabled")->isChecked());
}

TEST(CommLogWindow, TheRealDialogSavesAndAsksBeforeOverwritingWithTheLogFilters) {
    WindowHarness h;
    h.clock.now = {2001, 6, 14, 9, 5, 7};
    h.Open().show();
    QFileDialog* seen = nullptr;
    std::function<void()> look = [&] {
        seen = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (seen == nullptr) {
            QTimer::singleShot(10, look);
            return;
        }
        EXPECT_EQ(seen->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_FALSE(seen->testOption(QFileDialog::DontConfirmOverwrite));
        EXPECT_EQ(seen->nameFilters(), (QStringList{"Monitor Comm Log Files(*.mcl)",
                                                    "Text Files(*.txt)", "All files(*.*)"}));
        EXPECT_EQ(seen->defaultSuffix(), "mcl");
        // In the current folder, with the log's extension.
        EXPECT_EQ(seen->selectedFiles().value(0),
                  QDir::currentPath() + "/Zorvex_LogFile_6_14_2001_9_5_7.mcl");
        seen->reject();
    };
    QTimer::singleShot(0, look);
    h.Click("BtnLogFile");
    EXPECT_NE(seen, nullptr);
    EXPECT_FALSE(h.log->FileLogOpen()) << "cancelled";
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
    h.Click("BtnLogFile");
    h.Click("ckFileEnabled");
    ASSERT_TRUE(h.log->FileLogEnabled());
    h.Receive("one\rtwo\rthree\r");
    QApplication::processEvents();
    const auto boxes = w.findChildren<QMessageBox*>("msgFileLogFailure");
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes.front()->isVisible());
    EXPECT_FALSE(h.log->FileLogOpen());
    EXPECT_FALSE(h.Find<QCheckBox>("ckFileEnabled")->isChecked());
    EXPECT_TRUE(h.Find("BtnLogFile")->isEnabled());
    w.CatchUp();
    EXPECT_EQ(h.Shown(), "one\ntwo\nthree\n");
}

TEST(CommLogWindow, TheLogAndTheBottomButtonsFollowTheWindowSize) {
    const std::pair<int, int> sizesInTwips[] = {{9600, 7200}, {12000, 9000}, {8400, 5400}};
    for (auto [widthTwips, heightTwips] : sizesInTwips) {
        WindowHarness h;
        QMdiArea area;
        area.resize(1600, 1200);
        area.show();
        auto& w = h.Open();
        QMdiSubWindow* frame = area.addSubWindow(h.window.release());
        frame->show();
        const double dpiX = LogicalDpiX(&w);
        const double dpiY = LogicalDpiY(&w);
        frame->resize(TwipsToPixels(widthTwips, dpiX), TwipsToPixels(heightTwips, dpiY));
        const double W = PixelsToTwips(frame->width(), dpiX);
        const double H = PixelsToTwips(frame->height(), dpiY);
        auto* text = w.findChild<QPlainTextEdit*>("txtCommLog");
        auto* done = w.findChild<QPushButton*>("btnDone");
        auto* reconnect = w.findChild<QPushButton*>("btnReConnect");
        EXPECT_NEAR(text->width(), TwipsToPixels(W - 645, dpiX), 1) << widthTwips;
        EXPECT_NEAR(text->height(), TwipsToPixels(H - 2940, dpiY), 1) << heightTwips;
        EXPECT_NEAR(done->x(), TwipsToPixels(W - 1800, dpiX), 1) << widthTwips;
        EXPECT_NEAR(done->y(), TwipsToPixels(H - 975, dpiY), 1) << heightTwips;
        EXPECT_EQ(reconnect->y(), done->y());
        EXPECT_NEAR(w.findChild<QPushButton*>("btnInd")->y(), TwipsToPixels(H - 915, dpiY), 1);
        // Nothing overlaps and nothing leaves the window.
        EXPECT_LT(text->geometry().bottom(), reconnect->y());
        EXPECT_LE(done->geometry().bottom(), w.height());
        EXPECT_LE(done->geometry().right(), w.width());
        delete frame;
    }
}

}  // namespace
}  // namespace zorvex::testing
