#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include "StartedTool.h"
#include "ui/app/HelpWindow.h"
#include "ui/app/frmAbout.h"
#include "ui/app/frmMain.h"

namespace zorvex {
namespace {

QString LabelText(const QWidget& w, const char* name) {
    auto* label = w.findChild<QLabel*>(QString::fromLatin1(name));
    return label != nullptr ? label->text() : QStringLiteral("<missing>");
}

TEST(AboutWindow, ShowsTitleVersionDescriptionAndDisclaimerAndOkClosesIt) {
    frmAbout about;
    EXPECT_EQ(about.objectName(), QStringLiteral("frmAbout"));
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About Zorvex5 Stroke Raster"));
    EXPECT_EQ(LabelText(about, "lblTitle"), QStringLiteral("Zorvex5 Stroke Raster"));
    EXPECT_EQ(LabelText(about, "lblVersion"), QStringLiteral("Version 5.0.13"));
    EXPECT_EQ(LabelText(about, "lblDescription"),
              QStringLiteral("Zorvex allows the initialization, calibration, usage reporting, "
                             "and user adjustment of Norvale monitors.\r\n\r\nConnect the "
                             "monitor to any serial port at 9600,N,8,1."));
    EXPECT_EQ(LabelText(about, "lblDisclaimer"), QStringLiteral("Warning: ..."));
    EXPECT_EQ(about.findChild<QPushButton*>("cmdOK")->text(), QStringLiteral("OK"));
    EXPECT_EQ(about.findChild<QPushButton*>("cmdSysInfo")->text(),
              QStringLiteral("&System Info..."));
    about.show();
    about.findChild<QPushButton*>("cmdOK")->click();
    EXPECT_FALSE(about.isVisible());
}

#ifndef Q_OS_WIN
TEST(AboutWindow, SystemInfoIsUnavailableWithoutAMachineWideRegistry) {
    frmAbout about;
    QStringList messages;
    about.SetMessageSink([&](const QString& text) { messages << text; });
    about.findChild<QPushButton*>("cmdSysInfo")->click();
    EXPECT_EQ(messages,
              QStringList{QStringLiteral("System Information Is Unavailable At This Time")});
}

TEST(HelpTopics, WithoutTheLegacyViewerOpenTheManualShippedWithTheTool) {
    testing::StartedTool tool;
    tool.Trigger("mnuHelpTopics");
    HelpWindow& help = tool.app->Help();
    EXPECT_TRUE(help.isVisible());
    ASSERT_TRUE(help.Loaded()) << "looked for " << HelpIndexPath().toStdString();
    EXPECT_TRUE(help.Source().endsWith(QStringLiteral("share/zorvex/help/index.html")));
}
#endif

TEST(HelpTopics, AboutOpensAFreeStandingWindowThatClosesWithTheTool) {
    testing::StartedTool tool;
    tool.Trigger("mnuHelpAbout");
    frmAbout& about = tool.app->About();
    EXPECT_TRUE(about.isVisible());
    EXPECT_TRUE(about.isWindow());
    tool.Main().close();
    EXPECT_FALSE(about.isVisible());
}

}  // namespace
}  // namespace zorvex
