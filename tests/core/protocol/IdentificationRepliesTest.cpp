#include <gtest/gtest.h>

#include <map>
#include <string>

#include "core/data/MonitorData.h"
#include "core/panels/info/InfoLabels.h"
#include "core/protocol/IdentificationReplies.h"
#include "core/protocol/ResponseDispatcher.h"

namespace zorvex {
namespace {

// The handlers as the dispatcher reaches them: whole reply blocks go in.
struct Replies : InfoLabels {
    Replies() { replies.Register(dispatcher); }
    void SetInfoLabel(InfoLabel label, const std::string& text) override { texts[label] = text; }
    MonitorData data;
    std::map<InfoLabel, std::string> texts;
    IdentificationReplies replies{data, *this};
    ResponseDispatcher dispatcher;
};

using Field = std::string MonitorData::*;
constexpr Field Model = &MonitorData::ModelNumber;
constexpr Field Serial = &MonitorData::SerialNumber;
constexpr auto NoLabel = static_cast<InfoLabel>(-1);

TEST(IdentificationAnswers, StoreTheValueAndWriteTheSameTextIntoTheLabel) {
    struct Case {
        const char* block;
        Field field;
        const char* stored;  // nullptr: the field stays as it was ("old")
        InfoLabel label;     // NoLabel: no window label is written
    };
    const Case cases[] = {
        {"dms\r\nModel Number = 1234-5 #", Model, "1234-5", InfoLabel::Model},
        {"dmu\r\nModel Number = 1234-5 #", &MonitorData::PartNumber, "1234-5", InfoLabel::Part},
        {"dmt\r\nModel Number = 77-1 #", &MonitorData::CrtPartNumber, "77-1", NoLabel},
        {"dss\r\nSerial Number = 7\r\n#", Serial, "7", InfoLabel::Serial},
        {"dst\r\nSerial Number = A99\r\n#", &MonitorData::CrtSerialNumber, "A99", NoLabel},
        {"dmc\r\nModel Number = 1234-5 #", Model, nullptr, NoLabel},
        {"dms\r\nSerial Number = 5\r\n#", Model, nullptr, NoLabel},
        {"dss\r\nSerial Number = #", Serial, nullptr, NoLabel}};
    for (const Case& c : cases) {
        Replies r;
        r.data.*c.field = "old";
        r.dispatcher.Dispatch(c.block);
        EXPECT_EQ(r.data.*c.field, c.stored ? c.stored : "old") << c.block;
        using Texts = std::map<InfoLabel, std::string>;
        const Texts expected = c.label == NoLabel ? Texts{} : Texts{{c.label, c.stored}};
        EXPECT_EQ(r.texts, expected) << c.block;
    }
}

TEST(FirmwareAnswers, SetVersionNumberAndPartNumberSupport) {
    struct Case {
        const char* block;
        const char* firmware;  // nullptr: unchanged, number 111 and support true kept
        int number;
        bool supportedBefore, supportedAfter;
    };
    const Case cases[] = {{"df\r\nV 2.05\r\n#", "V 2.05", 205, false, true},
                          {"dfV 2.05\r\n#", "V 2.05", 205, false, true},
                          {"df\r\nV 3.10\r\n#", "V 3.10", 310, true, false},
                          {"df\r\nV 1.39\r\n#", "V 1.39", 139, true, true},
                          {"df\r\nV 2.05 beta\r\n#", "V 2.05", 205, false, true},
                          {"df\r\nV2.05\r\n#", "V .05", 5, true, false},
                          // Lower-case "v" and "!" answers change nothing.
                          {"df\r\nv 2.05\r\n#", nullptr, 111, true, true},
                          {"df\r\nError! V 2.05\r\n#", nullptr, 111, true, true},
                          {"df\r\nV 2.05 !\r\n#", nullptr, 111, true, true},
                          {"df\r\nXV 2.05\r\n#", nullptr, 111, true, true},
                          {"df\r\nV 2.0.5\r\n#", nullptr, 111, true, true},
                          {"df\r\n#", nullptr, 111, true, true}};
    for (const Case& c : cases) {
        Replies r;
        r.data.FirmwareVersion = "V 1.11";
        r.data.FirmwareVersionNumber = 111;
        r.data.PartNumberSupported = c.supportedBefore;
        r.dispatcher.Dispatch(c.block);
        EXPECT_EQ(r.data.FirmwareVersion, c.firmware ? c.firmware : "V 1.11") << c.block;
        EXPECT_EQ(r.data.FirmwareVersionNumber, c.number) << c.block;
        EXPECT_EQ(r.data.PartNumberSupported, c.supportedAfter) << c.block;
        EXPECT_EQ(r.texts.size(), c.firmware ? 1u : 0u) << c.block;
        EXPECT_EQ(r.texts[InfoLabel::FirmwareVersion], c.firmware ? c.firmware : "") << c.block;
    }
}

TEST(RomAnswers, SetTheRomVersionAndItsLabelButNotTheFirmwareNumber) {
    // The ROM answer needs no "V" as its first letter.
    const std::pair<const char*, const char*> cases[] = {{"de\r\nV 1.10\r\n#", "V 1.10"},
                                                         {"de\r\nEPROM V 4.2\r\n#", "V 4.2"},
                                                         {"de\r\nError! V 2.05\r\n#", nullptr},
                                                         {"de\r\nv 2.05\r\n#", nullptr}};
    for (const auto& [block, rom] : cases) {
        Replies r;
        r.data.RomVersion = "V 0.01";
        r.data.FirmwareVersionNumber = 111;
        r.dispatcher.Dispatch(block);
        EXPECT_EQ(r.data.RomVersion, rom ? rom : "V 0.01") << block;
        EXPECT_EQ(r.data.FirmwareVersionNumber, 111);
        EXPECT_EQ(r.texts.size(), rom ? 1u : 0u) << block;
        EXPECT_EQ(r.texts[InfoLabel::RomVersion], rom ? rom : "") << block;
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
        EXPECT_TRUE(r.texts.empty());
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
