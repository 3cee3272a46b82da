#include <gtest/gtest.h>

#include <map>
#include <string>

#include "core/data/MonitorData.h"
#include "core/panels/info/InfoLabels.h"
#include "core/protocol/IdentificationReplies.h"
#include "core/protocol/ResponseDispatcher.h"

namespace zorvex {
namespace {

class RecordingLabels : public InfoLabels {
  public:
    void SetInfoLabel(InfoLabel label, const std::string& text) override {
        texts[label] = text;
        ++writes;
    }
    std::map<InfoLabel, std::string> texts;
    int writes = 0;
};

// The handlers as the dispatcher reaches them: whole reply blocks go in.
struct Replies {
    Replies() { replies.Register(dispatcher); }
    MonitorData data;
    RecordingLabels labels;
    IdentificationReplies replies{data, labels};
    ResponseDispatcher dispatcher;
};

using Field = std::string MonitorData::*;
constexpr Field Model = &MonitorData::ModelNumber;
constexpr Field Serial = &MonitorData::SerialNumber;

struct IdCase {
    const char* block;
    Field field;
    const char* stored;  // nullptr: the field stays as it was ("old")
    bool labelWritten;   // the matching window label gets the same text
};

class IdentificationAnswers : public ::testing::TestWithParam<IdCase> {};

TEST_P(IdentificationAnswers, StoreTheValueAndWriteTheSameTextIntoTheLabel) {
    const IdCase& c = GetParam();
    Replies r;
    r.data.*c.field = "old";
    r.dispatcher.Dispatch(c.block);
    EXPECT_EQ(r.data.*c.field, c.stored ? c.stored : "old") << c.block;
    EXPECT_EQ(r.labels.writes, c.labelWritten ? 1 : 0) << c.block;
    if (c.labelWritten) {
        EXPECT_EQ(r.labels.texts.begin()->second, c.stored);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IdentificationAnswers,
    ::testing::Values(
        IdCase{"dms\r\nModel Number = 1234-5 #", Model, "1234-5", true},
        IdCase{"dmu\r\nModel Number = 1234-5 #", &MonitorData::PartNumber, "1234-5", true},
        IdCase{"dmt\r\nModel Number = 77-1 #", &MonitorData::CrtPartNumber, "77-1", false},
        // The line end of the answer is not kept.
        IdCase{"dss\r\nSerial Number = 7\r\n#", Serial, "7", true},
        IdCase{"dst\r\nSerial Number = A99\r\n#", &MonitorData::CrtSerialNumber, "A99", false},
        IdCase{"dms\r\nModel Number = 42\r\n$", Model, "42", true},
        IdCase{"dmc\r\nModel Number = 1234-5 #", Model, nullptr, false},
        IdCase{"dms\r\nSerial Number = 5\r\n#", Model, nullptr, false},
        IdCase{"dss\r\nSerial Number = #", Serial, nullptr, false}));

struct VersionCase {
    const char* block;
    const char* firmware;  // nullptr: unchanged
    int number;            // expected FirmwareVersionNumber (starts at 111)
    bool partSupportedBefore;
    bool partSupportedAfter;
};

class FirmwareAnswers : public ::testing::TestWithParam<VersionCase> {};

TEST_P(FirmwareAnswers, SetVersionNumberAndPartNumberSupport) {
    const VersionCase& c = GetParam();
    Replies r;
    r.data.FirmwareVersion = "V 1.11";
    r.data.FirmwareVersionNumber = 111;
    r.data.PartNumberSupported = c.partSupportedBefore;
    r.dispatcher.Dispatch(c.block);
    EXPECT_EQ(r.data.FirmwareVersion, c.firmware ? c.firmware : "V 1.11") << c.block;
    EXPECT_EQ(r.data.FirmwareVersionNumber, c.number) << c.block;
    EXPECT_EQ(r.data.PartNumberSupported, c.partSupportedAfter) << c.block;
    if (c.firmware) {
        EXPECT_EQ(r.labels.texts[InfoLabel::FirmwareVersion], c.firmware);
    } else {
        EXPECT_EQ(r.labels.writes, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FirmwareAnswers,
    ::testing::Values(VersionCase{"df\r\nV 2.05\r\n#", "V 2.05", 205, false, true},
                      VersionCase{"dfV 2.05\r\n#", "V 2.05", 205, false, true},
                      VersionCase{"df\r\nV 3.10\r\n#", "V 3.10", 310, true, false},
                      VersionCase{"df\r\nV 1.38\r\n#", "V 1.38", 138, true, false},
                      VersionCase{"df\r\nV 1.39\r\n#", "V 1.39", 139, true, true},
                      VersionCase{"df\r\nV 2.00\r\n#", "V 2.00", 200, false, true},
                      VersionCase{"df\r\nV 3.00\r\n#", "V 3.00", 300, true, false},
                      VersionCase{"df\r\nV 2.05 beta\r\n#", "V 2.05", 205, false, true},
                      VersionCase{"df\r\nV2.05\r\n#", "V .05", 5, true, false},
                      // Lower-case "v" and "!" answers change nothing.
                      VersionCase{"df\r\nv 2.05\r\n#", nullptr, 111, true, true},
                      VersionCase{"df\r\nError! V 2.05\r\n#", nullptr, 111, true, true},
                      VersionCase{"df\r\nV 2.05 !\r\n#", nullptr, 111, true, true},
                      VersionCase{"df\r\nXV 2.05\r\n#", nullptr, 111, true, true},
                      VersionCase{"df\r\n#", nullptr, 111, true, true}));

TEST(RomAnswers, SetTheRomVersionAndItsLabelButNotTheFirmwareNumber) {
    // The ROM answer needs no "V" as its first letter.
    const std::pair<const char*, const char*> cases[] = {{"de\r\nV 1.10\r\n#", "V 1.10"},
                                                         {"de\r\nEPROM V 4.2\r\n#", "V 4.2"},
                                                         {"de\r\nError! V 2.05\r\n#", nullptr},
                                                         {"de\r\nv 2.05\r\n#", nullptr},
                                                         {"de\r\nV \r\n#", nullptr}};
    for (const auto& [block, rom] : cases) {
        Replies r;
        r.data.RomVersion = "V 0.01";
        r.data.FirmwareVersionNumber = 111;
        r.dispatcher.Dispatch(block);
        EXPECT_EQ(r.data.RomVersion, rom ? rom : "V 0.01") << block;
        EXPECT_EQ(r.data.FirmwareVersionNumber, 111);
        if (rom) {
            EXPECT_EQ(r.labels.texts[InfoLabel::RomVersion], rom);
        } else {
            EXPECT_EQ(r.labels.writes, 0) << block;
        }
    }
}

TEST(CapabilityAnswers, SetTheEightFlagsFromTheWord) {
    const unsigned before = 0xAA, unchanged = 0x100;
    const std::pair<const char*, unsigned> cases[] = {
        {"dx\r\nCapability = 0x2D\r\n#", 0x2D},  {"dx\r\nCapability = 017\r\n#", 0x0F},
        {"dx\r\nCapability = 0x103\r\n#", 0x03}, {"dx\r\nCapability =  7\r\n#", 0x07},
        {"dx\r\nCapability = \r\n#", unchanged}, {"dx\r\nunits: Capability = 5 #", 0x05},
        {"dx\r\nCapability: 5\r\n#", unchanged}};
    for (const auto& [block, flags] : cases) {
        Replies r;
        for (int bit = 0; bit < 8; ++bit) {
            r.data.CapabilityFlags[bit] = ((before >> bit) & 1U) != 0;
        }
        r.dispatcher.Dispatch(block);
        const unsigned expected = flags == unchanged ? before : flags;
        for (int bit = 0; bit < 8; ++bit) {
            EXPECT_EQ(r.data.CapabilityFlags[bit], ((expected >> bit) & 1U) != 0) << block << bit;
        }
        EXPECT_EQ(r.labels.writes, 0);
    }
}

TEST(PartNumberSupport, ChangesOnlyOutsideTheKeepingRanges) {
    struct Case {
        int number;
        bool fromFalse, fromTrue;
    };
    const Case cases[] = {{0, false, false},  {138, false, false}, {139, false, true},
                          {199, false, true}, {200, true, true},   {298, true, true},
                          {299, false, true}, {300, false, false}, {400, false, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(PartNumberSupportedAfter(c.number, false), c.fromFalse) << c.number;
        EXPECT_EQ(PartNumberSupportedAfter(c.number, true), c.fromTrue) << c.number;
    }
}

}  // namespace
}  // namespace zorvex
