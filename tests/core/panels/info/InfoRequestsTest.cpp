#include <gtest/gtest.h>

#include "RecordingSink.h"
#include "core/data/MonitorData.h"
#include "core/panels/info/CapabilityColours.h"
#include "core/panels/info/InfoRequests.h"

namespace zorvex {
namespace {

using testing::Rows;

TEST(IdWindow, AsksForTheIdentityOfTheFamilyAndShowsThePartRowOnlyWhereSupported) {
    using I = std::tuple<int16_t, bool, const char*>;
    for (const auto& [firmware, partNumbers, sent] :
         Rows(I(0, false, ""), I(0, true, "dmu"), I(100, false, "dm ds"), I(199, true, "dm ds dmu"),
              I(200, false, "dms dss"), I(299, true, "dms dss dmu"), I(99, false, ""),
              I(300, false, ""))) {
        MonitorData data;
        data.FirmwareVersionNumber = firmware;
        data.PartNumberSupported = partNumbers;
        testing::RecordingSink sink;
        EXPECT_EQ(ActivateIdWindow(data, sink).partRowVisible, partNumbers);
        EXPECT_FALSE(sink.unterminated);
        EXPECT_EQ(sink.Sent(), sent) << firmware;
    }
}

// The versions are asked for at each activation; the operating time too, except for the
// activation that shows the window just loaded (and asking) or asked to read again.
TEST(InfoRequests, AskAsOftenAsTheWindowsAreActivatedButOnceWhenLoadedAndShown) {
    testing::RecordingSink sink;
    RequestVersions(sink);
    OperatingTimeRequests loaded(sink), reRead(sink);
    loaded.OnLoad();
    loaded.OnActivate();
    EXPECT_EQ(sink.Sent(), "de df dt");
    loaded.OnActivate();
    reRead.OnLoad();
    reRead.OnReRead();
    reRead.OnActivate();
    EXPECT_FALSE(sink.unterminated);
    EXPECT_EQ(sink.Sent(), "dt dt dt dt");
}

// Lamps for units at bits 0, 2, 3 and 5 ("Capability = 0x2D"): green, red, or grey for the
// families that do not report them, where the window says why.
TEST(CapabilityWindow, ShowsTheFlagsOnlyForFamiliesThatReportThem) {
    using C = std::tuple<int16_t, const char*>;
    const std::string noReport = " does not report which units the monitor has.";
    for (const auto& [firmware, notice] : Rows(
             C(0, "The monitor's firmware version is not known yet, so its units cannot be shown."),
             C(1, "Firmware 0.01"), C(208, "Firmware 2.08"), C(209, ""), C(299, ""),
             C(300, "Firmware 3.00"), C(309, "Firmware 3.09"), C(310, ""), C(399, ""),
             C(400, "Firmware 4.00"))) {
        MonitorData data;
        data.FirmwareVersionNumber = firmware;
        for (int bit : {0, 2, 3, 5}) {
            data.CapabilityFlags[bit] = true;
        }
        std::string lamps;
        for (const IndicatorColour& lamp : CapabilityIndicatorColours(data)) {
            lamps += lamp == IndicatorGreen  ? 'g'
                     : lamp == IndicatorRed  ? 'r'
                     : lamp == IndicatorGrey ? '-'
                                             : '?';
        }
        const std::string why =
            std::string(notice).starts_with("Firmware") ? notice + noReport : notice;
        EXPECT_EQ(CapabilityNotice(data), why) << firmware;
        EXPECT_EQ(lamps, why.empty() ? "grggrgrr" : "--------") << firmware;
    }
}

}  // namespace
}  // namespace zorvex
