#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/data/MonitorData.h"
#include "core/panels/info/CapabilityColours.h"
#include "core/panels/info/InfoRequests.h"

namespace zorvex {
namespace {

class RecordingSink : public CommandSink {
  public:
    void QueueCommand(const std::string& text) override { sent.push_back(text); }
    std::vector<std::string> sent;
};

using Commands = std::vector<std::string>;

struct IdCase {
    const char* name;
    int firmware;
    bool partNumbers;
    Commands sent;
    int height;
    int doneTop;
};

class IdWindowActivation : public ::testing::TestWithParam<IdCase> {};

TEST_P(IdWindowActivation, AsksForTheIdentityOfTheFamilyAndSizesTheWindow) {
    const IdCase& c = GetParam();
    MonitorData data;
    data.FirmwareVersionNumber = static_cast<int16_t>(c.firmware);
    data.PartNumberSupported = c.partNumbers;
    RecordingSink sink;
    const IdLayout layout = ActivateIdWindow(data, sink);
    EXPECT_EQ(sink.sent, c.sent);
    EXPECT_EQ(layout.partRowVisible, c.partNumbers);
    EXPECT_EQ(layout.heightTwips, c.height);
    EXPECT_EQ(layout.doneTopTwips, c.doneTop);
}

INSTANTIATE_TEST_SUITE_P(
    Firmware, IdWindowActivation,
    ::testing::Values(
        IdCase{"UnknownVersionAsksNothing", 0, false, {}, 2250, 1295},
        IdCase{"UnknownVersionWithPartNumbersAsksPartOnly", 0, true, {"dmu\r\n"}, 9330, 8375},
        IdCase{"Family1", 150, false, {"dm\r\n", "ds\r\n"}, 2250, 1295},
        IdCase{"Family1WithPartNumbers", 150, true, {"dm\r\n", "ds\r\n", "dmu\r\n"}, 9330, 8375},
        IdCase{"Family2", 205, false, {"dms\r\n", "dss\r\n"}, 2250, 1295},
        IdCase{"Family2WithPartNumbers", 205, true, {"dms\r\n", "dss\r\n", "dmu\r\n"}, 9330, 8375},
        IdCase{"LowestOfFamily1", 100, false, {"dm\r\n", "ds\r\n"}, 2250, 1295},
        IdCase{"BelowFamily1", 99, false, {}, 2250, 1295},
        IdCase{"HighestOfFamily2", 299, false, {"dms\r\n", "dss\r\n"}, 2250, 1295},
        IdCase{"Family3AsksNothing", 310, false, {}, 2250, 1295}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IdWindowDoneButton, SitsA955TwipsAboveTheBottomEdgeAtAnyHeight) {
    EXPECT_EQ(IdDoneTop(7470), 6515);
    EXPECT_EQ(IdDoneTop(2250), 1295);
}

TEST(VersionWindow, AsksForRomThenFirmwareEachTimeAndOnEveryReRead) {
    RecordingSink sink;
    RequestVersions(sink);
    RequestVersions(sink);
    EXPECT_EQ(sink.sent, (Commands{"de\r\n", "df\r\n", "de\r\n", "df\r\n"}));
}

TEST(VersionWindow, ShowsTheToolVersionAsMajorMinorRevision) {
    EXPECT_EQ(ToolVersionText(5, 0, 13), "V 5.0.13");
    EXPECT_EQ(ToolVersionText(),
              ToolVersionText(ZORVEX_VERSION_MAJOR, ZORVEX_VERSION_MINOR, ZORVEX_VERSION_PATCH));
}

TEST(OperatingTimeWindow, AsksOnceWhenLoadingAndShowingTogether) {
    RecordingSink sink;
    OperatingTimeRequests requests(sink);
    requests.OnLoad();
    requests.OnActivate();
    EXPECT_EQ(sink.sent, (Commands{"dt\r\n"}));
}

TEST(OperatingTimeWindow, AsksAgainOnEveryLaterShowingAndReRead) {
    RecordingSink sink;
    OperatingTimeRequests requests(sink);
    requests.OnLoad();
    requests.OnActivate();
    requests.OnActivate();
    requests.OnReRead();
    requests.OnActivate();
    EXPECT_EQ(sink.sent, (Commands{"dt\r\n", "dt\r\n", "dt\r\n", "dt\r\n"}));
}

TEST(OperatingTimeWindow, AsksWhenShownAfterAReReadFollowingTheLoad) {
    RecordingSink sink;
    OperatingTimeRequests requests(sink);
    requests.OnLoad();
    requests.OnReRead();
    requests.OnActivate();
    EXPECT_EQ(sink.sent, (Commands{"dt\r\n", "dt\r\n", "dt\r\n"}));
}

struct ColourCase {
    int firmware;  // also names the case
    bool showsFlags;
};

class CapabilityWindowColours : public ::testing::TestWithParam<ColourCase> {};

TEST_P(CapabilityWindowColours, ShowTheFlagsOnlyForFamiliesThatReportThem) {
    MonitorData data;
    data.FirmwareVersionNumber = static_cast<int16_t>(GetParam().firmware);
    // Units at bits 0, 2, 3 and 5, as "Capability = 0x2D" gives.
    for (int bit : {0, 2, 3, 5}) {
        data.CapabilityFlags[bit] = true;
    }
    const auto colours = CapabilityIndicatorColours(data);
    for (int bit = 0; bit < CapabilityFlagCount; ++bit) {
        const bool green = GetParam().showsFlags && data.CapabilityFlags[bit];
        EXPECT_EQ(colours[bit], green ? IndicatorGreen : IndicatorRed)
            << "firmware " << GetParam().firmware << " bit " << bit;
    }
}

INSTANTIATE_TEST_SUITE_P(Firmware, CapabilityWindowColours,
                         ::testing::Values(ColourCase{0, false}, ColourCase{200, false},
                                           ColourCase{208, false}, ColourCase{209, true},
                                           ColourCase{299, true}, ColourCase{300, false},
                                           ColourCase{309, false}, ColourCase{310, true},
                                           ColourCase{399, true}, ColourCase{400, false}),
                         [](const auto& info) {
                             return "Firmware" + std::to_string(info.param.firmware);
                         });

TEST(CapabilityWindowColours, AreExactlyPureRedAndPureGreen) {
    EXPECT_EQ(IndicatorRed, (IndicatorColour{255, 0, 0}));
    EXPECT_EQ(IndicatorGreen, (IndicatorColour{0, 255, 0}));
}

}  // namespace
}  // namespace zorvex
