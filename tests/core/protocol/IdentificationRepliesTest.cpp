#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "DataTestSupport.h"

namespace zorvex {
namespace {

// The handlers as the dispatcher reaches them: whole reply blocks go in. The labels written,
// as "label number=text " in label order.
struct Replies : testing::ReaderRig {
    std::string Labels() const {
        std::string seen;
        for (const auto& [label, text] : labels.shown) {
            seen += std::to_string(static_cast<int>(label)) + "=" + text + " ";
        }
        return seen;
    }
};

using Field = std::string MonitorData::*;
constexpr auto NoLabel = static_cast<InfoLabel>(-1);

TEST(IdentificationAnswers, StoreTheValueAndWriteTheSameTextIntoTheLabel) {
    // The block, the field, the text stored (nullptr: the field stays "old") and the label
    // written with it (NoLabel: none).
    const std::tuple<const char*, Field, const char*, InfoLabel> cases[] = {
        {"dms\r\nModel Number = 1234-5 #", &MonitorData::ModelNumber, "1234-5", InfoLabel::Model},
        {"dmu\r\nModel Number = 1234-5 #", &MonitorData::PartNumber, "1234-5", InfoLabel::Part},
        {"dmt\r\nModel Number = 77-1 #", &MonitorData::CrtPartNumber, "77-1", NoLabel},
        {"dss\r\nSerial Number = 7\r\n#", &MonitorData::SerialNumber, "7", InfoLabel::Serial},
        {"dst\r\nSerial Number = A99\r\n#", &MonitorData::CrtSerialNumber, "A99", NoLabel},
        {"dmc\r\nModel Number = 1234-5 #", &MonitorData::ModelNumber, nullptr, NoLabel},
        {"dms\r\nSerial Number = 5\r\n#", &MonitorData::ModelNumber, nullptr, NoLabel},
        {"dss\r\nSerial Number = #", &MonitorData::SerialNumber, nullptr, NoLabel}};
    for (const auto& [block, field, stored, label] : cases) {
        Replies r;
        r.data.*field = "old";
        r.dispatcher.Dispatch(block);
        EXPECT_EQ(
            r.data.*field + " " + r.Labels(),
            std::string(stored ? stored : "old") + " " +
                (label == NoLabel ? ""
                                  : std::to_string(static_cast<int>(label)) + "=" + stored + " "))
            << block;
    }
}

// Firmware: version, number, part number support, labels (from support false and true).
// Lower-case "v" and "!" answers change nothing. The ROM answer needs no "V" as its first
// letter and leaves the firmware number.
TEST(FirmwareAndRomAnswers, SetTheVersionItsLabelTheFirmwareNumberAndPartNumberSupport) {
    const std::pair<const char*, const char*> cases[] = {
        {"df\r\nV 2.05\r\n#", "V 2.05 205 11 4=V 2.05 "},
        {"df\r\nV 3.10\r\n#", "V 3.10 310 00 4=V 3.10 "},
        {"df\r\nV 2.05 beta\r\n#", "V 2.05 205 11 4=V 2.05 "},
        {"df\r\nV2.05\r\n#", "V .05 5 00 4=V .05 "},
        {"df\r\nv 2.05\r\n#", "V 1.11 111 01 "},
        {"df\r\nError! V 2.05\r\n#", "V 1.11 111 01 "},
        {"df\r\nV 2.0.5\r\n#", "V 1.11 111 01 "},
        {"df\r\n#", "V 1.11 111 01 "},
        {"de\r\nEPROM V 4.2\r\n#", "V 4.2 111 01 3=V 4.2 "},
        {"de\r\nError! V 2.05\r\n#", "V 0.01 111 01 "},
        {"de\r\nv 2.05\r\n#", "V 0.01 111 01 "}};
    for (const auto& [block, seen] : cases) {
        std::string support;
        Replies r[2];
        for (int before = 0; before < 2; ++before) {
            r[before].data.FirmwareVersion = "V 1.11";
            r[before].data.RomVersion = "V 0.01";
            r[before].data.FirmwareVersionNumber = 111;
            r[before].data.PartNumberSupported = before == 1;
            r[before].dispatcher.Dispatch(block);
            support += std::to_string(r[before].data.PartNumberSupported);
        }
        const MonitorData& d = r[0].data;
        EXPECT_EQ((block[1] == 'f' ? d.FirmwareVersion : d.RomVersion) + " " +
                      std::to_string(d.FirmwareVersionNumber) + " " + support + " " + r[0].Labels(),
                  seen)
            << block;
    }
}

TEST(CapabilityAnswers, SetTheEightFlagsFromTheWord) {
    const unsigned before = 0xAA;
    const std::pair<const char*, unsigned> cases[] = {
        {"dx\r\nCapability = 0x2D\r\n#", 0x2D},  {"dx\r\nCapability = 017\r\n#", 0x0F},
        {"dx\r\nCapability = 0x103\r\n#", 0x03}, {"dx\r\nCapability =  7\r\n#", 0x07},
        {"dx\r\nCapability = \r\n#", before},    {"dx\r\nunits: Capability = 5 #", 0x05},
        {"dx\r\nCapability: 5\r\n#", before}};
    for (const auto& [block, flags] : cases) {
        Replies r;
        for (int bit = 0; bit < 8; ++bit) {
            r.data.CapabilityFlags[bit] = ((before >> bit) & 1U) != 0;
        }
        r.dispatcher.Dispatch(block);
        unsigned seen = r.labels.shown.size() << 8;  // no label is written
        for (int bit = 0; bit < 8; ++bit) {
            seen |= r.data.CapabilityFlags[bit] ? 1U << bit : 0U;
        }
        EXPECT_EQ(seen, flags) << block;
    }
}

TEST(PartNumberSupport, ChangesOnlyOutsideTheKeepingRanges) {
    // number, then the support after it from false and from true
    const int cases[][3] = {{0, 0, 0},   {138, 0, 0}, {139, 0, 1}, {199, 0, 1}, {200, 1, 1},
                            {298, 1, 1}, {299, 0, 1}, {300, 0, 0}, {400, 0, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(PartNumberSupportedAfter(c[0], false), c[1] != 0) << c[0];
        EXPECT_EQ(PartNumberSupportedAfter(c[0], true), c[2] != 0) << c[0];
    }
}

}  // namespace
}  // namespace zorvex
