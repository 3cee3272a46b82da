#include <gtest/gtest.h>

#include <map>
#include <string>

#include "core/data/MonitorData.h"
#include "core/panels/info/InfoLabels.h"
#include "core/protocol/CapabilityFlags.h"
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
class Replies {
  public:
    Replies() : replies(data, labels) { replies.Register(dispatcher); }
    void Receive(std::string_view block) { dispatcher.Dispatch(block); }

    MonitorData data;
    RecordingLabels labels;
    IdentificationReplies replies;
    ResponseDispatcher dispatcher;
};

// ---- identification values

enum class Field { Model, Part, CrtPart, Serial, CrtSerial };

std::string FieldOf(const MonitorData& d, Field f) {
    switch (f) {
        case Field::Model:
            return d.ModelNumber;
        case Field::Part:
            return d.PartNumber;
        case Field::CrtPart:
            return d.CrtPartNumber;
        case Field::Serial:
            return d.SerialNumber;
        case Field::CrtSerial:
            return d.CrtSerialNumber;
    }
    return {};
}

struct IdCase {
    const char* name;
    const char* block;
    Field field;
    const char* stored;  // nullptr: the field stays as it was ("old")
    bool labelWritten;   // the matching window label gets the same text
};

class IdentificationAnswers : public ::testing::TestWithParam<IdCase> {};

TEST_P(IdentificationAnswers, StoreTheValueAndWriteTheSameTextIntoTheLabel) {
    const IdCase& c = GetParam();
    Replies r;
    r.data.ModelNumber = r.data.PartNumber = r.data.CrtPartNumber = "old";
    r.data.SerialNumber = r.data.CrtSerialNumber = "old";
    r.Receive(c.block);
    EXPECT_EQ(FieldOf(r.data, c.field), c.stored ? c.stored : "old");
    if (c.labelWritten) {
        ASSERT_EQ(r.labels.writes, 1);
        EXPECT_EQ(r.labels.texts.begin()->second, c.stored);
    } else {
        EXPECT_EQ(r.labels.writes, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IdentificationAnswers,
    ::testing::Values(
        IdCase{"ModelWithBlankBeforePrompt", "dms\r\nModel Number = 1234-5 #", Field::Model,
               "1234-5", true},
        IdCase{"PartUnderDmu", "dmu\r\nModel Number = 1234-5 #", Field::Part, "1234-5", true},
        IdCase{"CrtPartHasNoLabel", "dmt\r\nModel Number = 77-1 #", Field::CrtPart, "77-1", false},
        IdCase{"SerialDropsItsLineEnd", "dss\r\nSerial Number = 7\r\n#", Field::Serial, "7", true},
        IdCase{"CrtSerialDropsItsLineEnd", "dst\r\nSerial Number = A99\r\n#", Field::CrtSerial,
               "A99", false},
        IdCase{"ModelDropsItsLineEndWithoutEcho", "dmsModel Number = M-3\r\n#", Field::Model, "M-3",
               true},
        IdCase{"BootPromptAlsoCloses", "dms\r\nModel Number = 42\r\n$", Field::Model, "42", true},
        IdCase{"DmcIsAcceptedWithoutEffect", "dmc\r\nModel Number = 1234-5 #", Field::Model,
               nullptr, false},
        IdCase{"WrongLabelLeavesTheModel", "dms\r\nSerial Number = 5\r\n#", Field::Model, nullptr,
               false},
        IdCase{"LabelIsCaseSensitive", "dms\r\nmodel number = 5\r\n#", Field::Model, nullptr,
               false},
        IdCase{"TooShortForLabelAndTwo", "dss\r\nSerial Number = #", Field::Serial, nullptr, false},
        IdCase{"LabelPlusTwoGivesEmpty", "dss\r\nSerial Number = \r\n#", Field::Serial, "", true},
        // The label is looked for anywhere but taken to stand at the start.
        IdCase{"LabelNotAtStartCutsByItsLength", "dss\r\nxxSerial Number = 12 #", Field::Serial,
               "= 12", true}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- version answers

struct VersionCase {
    const char* name;
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
    r.Receive(c.block);
    EXPECT_EQ(r.data.FirmwareVersion, c.firmware ? c.firmware : "V 1.11");
    EXPECT_EQ(r.data.FirmwareVersionNumber, c.number);
    EXPECT_EQ(r.data.PartNumberSupported, c.partSupportedAfter);
    if (c.firmware) {
        EXPECT_EQ(r.labels.texts[InfoLabel::FirmwareVersion], c.firmware);
    } else {
        EXPECT_EQ(r.labels.writes, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FirmwareAnswers,
    ::testing::Values(
        VersionCase{"V205", "df\r\nV 2.05\r\n#", "V 2.05", 205, false, true},
        VersionCase{"V205WithoutLineBreakAfterEcho", "dfV 2.05\r\n#", "V 2.05", 205, false, true},
        VersionCase{"V310", "df\r\nV 3.10\r\n#", "V 3.10", 310, true, false},
        VersionCase{"V150KeepsTrue", "df\r\nV 1.50\r\n#", "V 1.50", 150, true, true},
        VersionCase{"V150KeepsFalse", "df\r\nV 1.50\r\n#", "V 1.50", 150, false, false},
        VersionCase{"V138", "df\r\nV 1.38\r\n#", "V 1.38", 138, true, false},
        VersionCase{"V139KeepsTrue", "df\r\nV 1.39\r\n#", "V 1.39", 139, true, true},
        VersionCase{"V139KeepsFalse", "df\r\nV 1.39\r\n#", "V 1.39", 139, false, false},
        VersionCase{"V199Keeps", "df\r\nV 1.99\r\n#", "V 1.99", 199, true, true},
        VersionCase{"V200", "df\r\nV 2.00\r\n#", "V 2.00", 200, false, true},
        VersionCase{"V298", "df\r\nV 2.98\r\n#", "V 2.98", 298, false, true},
        VersionCase{"V299KeepsFalse", "df\r\nV 2.99\r\n#", "V 2.99", 299, false, false},
        VersionCase{"V299KeepsTrue", "df\r\nV 2.99\r\n#", "V 2.99", 299, true, true},
        VersionCase{"V300", "df\r\nV 3.00\r\n#", "V 3.00", 300, true, false},
        VersionCase{"TextAfterDigitsIsCut", "df\r\nV 2.05 beta\r\n#", "V 2.05", 205, false, true},
        VersionCase{"SecondCharacterIsDropped", "df\r\nV2.05\r\n#", "V .05", 5, true, false},
        VersionCase{"LowerCaseVPassesFirstCheckButHasNoCapital", "df\r\nv 2.05\r\n#", nullptr, 111,
                    true, true},
        VersionCase{"ErrorAnswer", "df\r\nError! V 2.05\r\n#", nullptr, 111, true, true},
        VersionCase{"ErrorMarkAfterVersion", "df\r\nV 2.05 !\r\n#", nullptr, 111, true, true},
        VersionCase{"FirstLetterNotV", "df\r\nXV 2.05\r\n#", nullptr, 111, true, true},
        VersionCase{"NoDigitLeft", "df\r\nV x\r\n#", nullptr, 111, true, true},
        VersionCase{"NotANumber", "df\r\nV 2.0.5\r\n#", nullptr, 111, true, true},
        VersionCase{"EmptyAnswer", "df\r\n#", nullptr, 111, true, true}),
    [](const auto& info) { return std::string(info.param.name); });

struct RomCase {
    const char* name;
    const char* block;
    const char* rom;  // nullptr: unchanged
};

class RomAnswers : public ::testing::TestWithParam<RomCase> {};

TEST_P(RomAnswers, SetTheRomVersionAndItsLabel) {
    const RomCase& c = GetParam();
    Replies r;
    r.data.RomVersion = "V 0.01";
    r.data.FirmwareVersionNumber = 111;
    r.Receive(c.block);
    EXPECT_EQ(r.data.RomVersion, c.rom ? c.rom : "V 0.01");
    EXPECT_EQ(r.data.FirmwareVersionNumber, 111);
    if (c.rom) {
        EXPECT_EQ(r.labels.texts[InfoLabel::RomVersion], c.rom);
    } else {
        EXPECT_EQ(r.labels.writes, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RomAnswers,
    ::testing::Values(RomCase{"Plain", "de\r\nV 1.10\r\n#", "V 1.10"},
                      // The ROM answer needs no "V" as its first letter.
                      RomCase{"VersionAfterText", "de\r\nEPROM V 4.2\r\n#", "V 4.2"},
                      RomCase{"ErrorAnswer", "de\r\nError! V 2.05\r\n#", nullptr},
                      RomCase{"LowerCaseV", "de\r\nv 2.05\r\n#", nullptr},
                      RomCase{"NoDigit", "de\r\nV \r\n#", nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- capability

struct CapabilityCase {
    const char* name;
    const char* block;
    unsigned flags;  // bit i: flag i expected set; 0x100: unchanged from 0b10101010
};

class CapabilityAnswers : public ::testing::TestWithParam<CapabilityCase> {};

TEST_P(CapabilityAnswers, SetTheEightFlagsFromTheWord) {
    const CapabilityCase& c = GetParam();
    Replies r;
    const unsigned before = 0xAA;
    for (int bit = 0; bit < 8; ++bit) {
        r.data.CapabilityFlags[bit] = ((before >> bit) & 1U) != 0;
    }
    r.Receive(c.block);
    const unsigned expected = c.flags == 0x100 ? before : c.flags;
    for (int bit = 0; bit < 8; ++bit) {
        EXPECT_EQ(r.data.CapabilityFlags[bit], ((expected >> bit) & 1U) != 0)
            << CapabilityUnitNames[bit];
    }
    EXPECT_EQ(r.labels.writes, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CapabilityAnswers,
    ::testing::Values(CapabilityCase{"Hex", "dx\r\nCapability = 0x2D\r\n#", 0x2D},
                      CapabilityCase{"HexLowerCase", "dx\r\nCapability = 0x2d\r\n#", 0x2D},
                      CapabilityCase{"Decimal", "dx\r\nCapability = 255\r\n#", 0xFF},
                      CapabilityCase{"Octal", "dx\r\nCapability = 017\r\n#", 0x0F},
                      CapabilityCase{"Zero", "dx\r\nCapability = 0\r\n#", 0x00},
                      CapabilityCase{"HighBitsIgnored", "dx\r\nCapability = 0x103\r\n#", 0x03},
                      CapabilityCase{"TwoBlanksMeanNoNumber", "dx\r\nCapability =  7\r\n#", 0xFF},
                      CapabilityCase{"NoNumber", "dx\r\nCapability = \r\n#", 0xFF},
                      CapabilityCase{"LabelAfterOtherText", "dx\r\nunits: Capability = 5 #", 0x05},
                      CapabilityCase{"NoLabel", "dx\r\nCapability: 5\r\n#", 0x100}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CapabilityFlags, CarryTheUnitNamesInBitOrder) {
    EXPECT_EQ(CapabilityUnitNames[CapabilityBit(CapabilityFlag::HasLowVoltagePowerSupply)],
              "Low Voltage Power Supply");
    EXPECT_EQ(CapabilityUnitNames[CapabilityBit(CapabilityFlag::HasNorthSouthCorrection)],
              "North - South Correction");
    EXPECT_EQ(CapabilityUnitNames[CapabilityBit(CapabilityFlag::HasExpansionLeds)],
              "Expansion LEDs");
}

TEST(PartNumberSupport, ChangesOnlyOutsideTheKeepingRanges) {
    struct Case {
        int number;
        bool fromFalse;
        bool fromTrue;
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
