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
    EXPECT_EQ(sink.Sent(), "dt dt dt dt");
}

// Lamps for units at bits 0, 2, 3 and 5 ("Capability = 0x2D"): green, red, or grey for the
// families that do not report them, where the window says why: no version known yet (0), or
// the version that does not report.
TEST(CapabilityWindow, ShowsTheFlagsOnlyForFamiliesThatReportThem) {
    std::string seen;
    for (int16_t firmware : {0, 1, 110, 208, 209, 299, 300, 309, 310, 399, 400}) {
        MonitorData data;
        data.FirmwareVersionNumber = firmware;
        for (int bit : {0, 2, 3, 5})
            data.CapabilityFlags[bit] = true;
        seen += std::to_string(firmware) + " ";
        for (const IndicatorColour& lamp : CapabilityIndicatorColours(data))
            seen += lamp == IndicatorGreen ? 'g' : lamp == IndicatorRed ? 'r' : '-';
        seen += " " + CapabilityNotice(data).substr(0, 13) + "; ";
    }
    EXPECT_EQ(seen,
              "0 -------- The monitor's; 1 -------- Firmware 0.01; 110 -------- Firmware 1.10; "
              "208 -------- Firmware 2.08; 209 grggrgrr ; 299 grggrgrr ; 300 -------- Firmware "
              "3.00; 309 -------- Firmware 3.09; 310 grggrgrr ; 399 grggrgrr ; 400 -------- "
              "Firmware 4.00; ");
}

}  // namespace
}  // namespace zorvex
