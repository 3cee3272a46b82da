#include <gtest/gtest.h>

#include "CommLogFixture.h"

namespace zorvex::testing {
namespace {

struct CreationCase {
    const char* name;
    const char* autoPing;  // nullptr: key missing
    const char* bypass;
    bool autoPingOn;
    bool bypassOn;
};

class CommLogCreation : public ::testing::TestWithParam<CreationCase> {};

TEST_P(CommLogCreation, CreationReadsAutoPingAndBypassWhereOnlyOneMeansOn) {
    const auto& c = GetParam();
    CommLogHarness h;
    if (c.autoPing != nullptr) {
        h.settings.Write("Configs", "AutoPingEnabled", c.autoPing);
    }
    if (c.bypass != nullptr) {
        h.settings.Write("Configs", "BypassTransmitQueue", c.bypass);
    }
    h.link.AutoPingEnabled = !c.autoPingOn;
    h.link.XmitQueueOverride = !c.bypassOn;
    h.Make();
    EXPECT_EQ(h.link.AutoPingEnabled, c.autoPingOn);
    EXPECT_EQ(h.link.XmitQueueOverride, c.bypassOn);
    EXPECT_EQ(h.view.controls.bypassChecked, c.bypassOn);
    EXPECT_EQ(h.view.controls.autoPingCaption,
              c.autoPingOn ? "Disable AutoPing" : "Enable AutoPing");
}

INSTANTIATE_TEST_SUITE_P(Cases, CommLogCreation,
                         ::testing::Values(CreationCase{"Missing", nullptr, nullptr, true, true},
                                           CreationCase{"One", "1", "1", true, true},
                                           CreationCase{"Zero", "0", "0", false, false},
                                           CreationCase{"TrueIsNotOne", "True", "True", false,
                                                        false},
                                           CreationCase{"Blank", "", "", false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CommLogCreation, CreationSwitchesWindowLoggingOnAndFileLoggingOff) {
    CommLogHarness h;
    auto& log = h.Make();
    EXPECT_TRUE(log.WindowLogEnabled());
    EXPECT_FALSE(log.FileLogEnabled());
    EXPECT_FALSE(log.FileLogOpen());
    EXPECT_TRUE(h.view.controls.windowLogChecked);
    EXPECT_FALSE(h.view.controls.fileBoxChecked);
}

TEST(CommLogStartUp, AfterStartUpResetsTheFlagsTheControlsShowTheRealState) {
    CommLogHarness h;
    h.settings.Write("Configs", "BypassTransmitQueue", "1");
    h.settings.Write("Configs", "AutoPingEnabled", "0");
    auto& log = h.Make();
    ASSERT_TRUE(h.view.controls.bypassChecked);
    ASSERT_EQ(h.view.controls.autoPingCaption, "Enable AutoPing");

    // Start-up resets the link flags after the window was created.
    h.link.XmitQueueOverride = false;
    h.link.AutoPingEnabled = true;
    log.RefreshControls();

    EXPECT_FALSE(h.view.controls.bypassChecked);
    EXPECT_EQ(h.view.controls.autoPingCaption, "Disable AutoPing");
}

TEST(CommLogStartUp, ActivatingTheWindowAlsoShowsFlagsChangedBehindItsBack) {
    CommLogHarness h;
    auto& log = h.Make();
    h.link.XmitQueueOverride = !h.link.XmitQueueOverride;
    log.Activate();
    EXPECT_EQ(h.view.controls.bypassChecked, h.link.XmitQueueOverride);
}

TEST(CommLogStartUp, AStoredCommLogSwitchThatIsOffClearsTheWindowBox) {
    CommLogHarness h;
    auto& log = h.Make();
    h.link.CommLogEnabled = false;  // the monitor data initialisation read "False"
    log.RefreshControls();
    EXPECT_FALSE(h.view.controls.windowLogChecked);
}

TEST(CommLogClosing, ClosingStoresWhatTheBypassBoxAndTheAutoPingButtonShow) {
    CommLogHarness h;
    h.settings.Write("Configs", "BypassTransmitQueue", "1");
    h.settings.Write("Configs", "AutoPingEnabled", "1");
    auto& log = h.Make();
    h.link.XmitQueueOverride = false;  // start-up's reset
    log.RefreshControls();
    log.SwitchAutoPing();
    log.Close();
    EXPECT_EQ(h.settings.Get("Configs", "BypassTransmitQueue"), "0");
    EXPECT_EQ(h.settings.Get("Configs", "AutoPingEnabled"), "0");
    EXPECT_EQ(h.settings.Get("Configs", "CommLogOpen"), "0");
}

TEST(CommLogClosing, ABypassTickedByTheUserIsRememberedAsOne) {
    CommLogHarness h;
    h.settings.Write("Configs", "BypassTransmitQueue", "0");
    auto& log = h.Make();
    log.SetXmitQueueBypass(true);
    log.Activate();
    log.Close();
    EXPECT_EQ(h.settings.Get("Configs", "BypassTransmitQueue"), "1");
    EXPECT_EQ(h.settings.Get("Configs", "CommLogOpen"), "1");
}

TEST(CommLogClosing, ClosingAtExitClosesAnOpenLogFile) {
    CommLogHarness h;
    auto& log = h.Make();
    ASSERT_TRUE(log.OpenLogFile("exit.mcl").opened);
    log.Close();
    EXPECT_TRUE(h.files.files.at("exit.mcl")->closed);
    EXPECT_FALSE(log.FileLogOpen());
}

}  // namespace
}  // namespace zorvex::testing
