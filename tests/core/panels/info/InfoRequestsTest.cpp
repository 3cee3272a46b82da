#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RecordingSink.h"
#include "core/data/MonitorData.h"
#include "core/panels/info/CapabilityColours.h"
#include "core/panels/info/InfoRequests.h"

namespace zorvex {
namespace {

using Commands = std::vector<std::string>;

struct IdCase {
    int firmware;
    bool partNumbers;
    Commands sent;
};

class IdWindowActivation : public ::testing::TestWithParam<IdCase> {};

TEST_P(IdWindowActivation, AsksForTheIdentityOfTheFamilyAndSizesTheWindow) {
    const IdCase& c = GetParam();
    MonitorData data;
    data.FirmwareVersionNumber = static_cast<int16_t>(c.firmware);
    data.PartNumberSupported = c.partNumbers;
    testing::RecordingSink sink;
    const IdLayout layout = ActivateIdWindow(data, sink);
    EXPECT_EQ(sink.commands, c.sent);
    EXPECT_FALSE(sink.unterminated);
    // The part row shows, and the window grows tall, exactly when part numbers are supported;
    // "Done" sits 955 twips above the bottom edge.
    EXPECT_EQ(layout.partRowVisible, c.partNumbers);
    EXPECT_EQ(layout.heightTwips, c.partNumbers ? 9330 : 2250);
    EXPECT_EQ(layout.doneTopTwips, layout.heightTwips - 955);
}

INSTANTIATE_TEST_SUITE_P(
    Firmware, IdWindowActivation,
    ::testing::Values(IdCase{0, false, {}}, IdCase{0, true, {"dmu"}},
                      IdCase{150, false, {"dm", "ds"}}, IdCase{150, true, {"dm", "ds", "dmu"}},
                      IdCase{205, false, {"dms", "dss"}}, IdCase{205, true, {"dms", "dss", "dmu"}},
                      IdCase{100, false, {"dm", "ds"}}, IdCase{99, false, {}},
                      IdCase{299, false, {"dms", "dss"}}, IdCase{310, false, {}}));

TEST(VersionAndOperatingTimeWindows, AskAsOftenAsTheyAreActivatedButOnceWhenLoadedAndShown) {
    testing::RecordingSink versions;
    RequestVersions(versions);
    EXPECT_EQ(versions.commands, (Commands{"de", "df"}));
    EXPECT_EQ(ToolVersionText(5, 0, 13), "V 5.0.13");

    testing::RecordingSink sink;
    OperatingTimeRequests requests(sink);
    requests.OnLoad();
    requests.OnActivate();
    EXPECT_EQ(sink.commands, (Commands{"dt"}));
    requests.OnActivate();
    requests.OnReRead();
    EXPECT_EQ(sink.commands.size(), 3u);

    testing::RecordingSink other;
    OperatingTimeRequests reRead(other);
    reRead.OnLoad();
    reRead.OnReRead();
    reRead.OnActivate();
    EXPECT_EQ(other.commands.size(), 3u);
    EXPECT_FALSE(sink.unterminated || other.unterminated || versions.unterminated);
}

struct ColourCase {
    int firmware;
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
        const IndicatorColour lamp = !GetParam().showsFlags      ? IndicatorGrey
                                     : data.CapabilityFlags[bit] ? IndicatorGreen
                                                                 : IndicatorRed;
        EXPECT_EQ(colours[bit], lamp) << "firmware " << GetParam().firmware << " bit " << bit;
    }
    // Where the lamps show nothing, the window says why.
    EXPECT_EQ(CapabilityNotice(data).empty(), GetParam().showsFlags);
}

INSTANTIATE_TEST_SUITE_P(Firmware, CapabilityWindowColours,
                         ::testing::Values(ColourCase{0, false}, ColourCase{200, false},
                                           ColourCase{208, false}, ColourCase{209, true},
                                           ColourCase{299, true}, ColourCase{300, false},
                                           ColourCase{309, false}, ColourCase{310, true},
                                           ColourCase{399, true}, ColourCase{400, false}));

}  // namespace
}  // namespace zorvex
