// The simulator's answers taken in by the tool's own dispatcher and handlers: the link, a
// whole pass of the update-all cycle, and peek and poke.
#include <gtest/gtest.h>

#include <string>

#include "SimReplyBlocks.h"
#include "core/data/MonitorData.h"
#include "core/panels/diagnostics/PeekPoke.h"
#include "core/panels/info/InfoLabels.h"
#include "core/protocol/DacTableHandlers.h"
#include "core/protocol/IdentificationReplies.h"
#include "core/protocol/LinkReplyHandlers.h"

namespace zorvex::sim {
namespace {

using testing::FrameReplies;
using Kind = DacTables::Kind;

class NoLabels : public InfoLabels {
  public:
    void SetInfoLabel(InfoLabel, const std::string&) override {}
};

class Boxes : public PeekPokeBoxes {
  public:
    void SetAddressBox(const std::string& text) override { address = text; }
    void SetDataByteBox(const std::string& text) override { byte = text; }
    void SetDataWordBox(const std::string& text) override { word = text; }
    void SetDataCharBox(const std::string& text) override { character = text; }
    std::string address, byte, word, character;
};

// The requests of one pass of the update-all cycle, in the order the tool sends them.
const std::vector<std::string> kPass = {
    "da",   "db",   "dc",   "ddv",  "ddfv", "ddpv", "ddh",  "ddph", "ddfh", "ddl",  "ddpl",
    "ddfl", "ddb",  "ddpb", "ddfb", "de",   "df",   "dh",   "dms",  "dps",  "dss",  "dt",
    "dw",   "dda",  "ddpa", "ddfa", "ddd",  "ddpd", "ddfd", "dde",  "ddpe", "ddfe", "ddg",
    "ddpg", "ddfg", "ddi",  "ddpi", "ddfi", "ddk",  "ddpk", "ddfk", "dds",  "ddps", "ddfs"};

class SimThroughHandlers : public ::testing::Test {
  protected:
    SimThroughHandlers() {
        RegisterLinkReplyHandlers(dispatcher, data, labels);
        identification.Register(dispatcher);
        RegisterDacTableHandlers(dispatcher, data);
        peekPoke.Register(dispatcher);
    }
    // Sends the commands in turn, framing the answers as one stream as the tool does.
    void Exchange(const std::vector<std::string>& commands) {
        std::string traffic;
        for (const std::string& command : commands) {
            traffic += controller.Answer(command);
        }
        auto framed = FrameReplies(traffic);
        ASSERT_EQ(framed.blocks.size(), commands.size());
        for (const std::string& block : framed.blocks) {
            dispatcher.Dispatch(block);
        }
    }
    int Sim(char family, Kind kind, int slot) {
        return controller.dacTables().Value(family, kind, slot).value_or(-999);
    }
    int Model(DacFamily family, DacTableKind kind, int slot) {
        return data.Cell(family, kind, slot, 0).value_or(-999);
    }

    Controller controller;
    MonitorData data;
    NoLabels labels;
    IdentificationReplies identification{data, labels};
    Boxes boxes;
    PeekPokeReplies peekPoke{boxes};
    ResponseDispatcher dispatcher;
};

TEST_F(SimThroughHandlers, ThePingAnswerBringsTheMonitorOnlineInNormalMode) {
    Exchange({"p"});
    EXPECT_TRUE(data.MonitorOnline);
    EXPECT_FALSE(data.BootMode);
}

TEST(SimBootMode, ThePingAnswersTheBootPromptAndGoStartsTheFirmware) {
    Controller controller(true);
    MonitorData data;
    HandlePingReply(testing::HandlerText(controller, "p"), data);
    EXPECT_TRUE(data.MonitorOnline);
    EXPECT_TRUE(data.BootMode);
    std::string df = controller.Answer("df");
    EXPECT_EQ(df.find("V "), std::string::npos);
    EXPECT_TRUE(df.ends_with("$\r\n")) << df;
    EXPECT_TRUE(controller.Answer("g").ends_with("#\r\n"));
    EXPECT_FALSE(controller.BootMode());
    EXPECT_EQ(controller.Answer("p"), "p\r\n#\r\n");
}

TEST_F(SimThroughHandlers, TheOperatingTimeIsTheStoredTimePlusTheTimeSincePowerUp) {
    controller.SetUptimeSeconds(50 * 60 + 55);
    Exchange({"dt", "dh"});
    // 1234 d 05:07:09 stored, plus 00:50:55 since power-up.
    EXPECT_EQ(data.OperatingHours, "1234:05:58:04");
    EXPECT_EQ(data.OperatingCycles, std::to_string(controller.identity().cycles));
    EXPECT_EQ(data.HvUpperLimit, controller.identity().upperLimit);
    EXPECT_EQ(data.HvLowerLimit, controller.identity().lowerLimit);
}

TEST_F(SimThroughHandlers, IdentityAnswersReadWholeAndTheCapabilityWordSetsItsFlags) {
    controller.identity().capability = 0xA5;
    Exchange({"dms", "dmu", "dmt", "dss", "dst", "dx"});
    const Identity& id = controller.identity();
    EXPECT_EQ(data.ModelNumber, id.modelNumber);
    EXPECT_EQ(data.PartNumber, id.partNumber);
    EXPECT_EQ(data.CrtPartNumber, id.crtPartNumber);
    EXPECT_EQ(data.SerialNumber, id.serialNumber);
    EXPECT_EQ(data.CrtSerialNumber, id.crtSerialNumber);
    for (int bit = 0; bit < CapabilityFlagCount; ++bit) {
        EXPECT_EQ(data.CapabilityFlags[bit], ((0xA5 >> bit) & 1) != 0) << bit;
    }
}

TEST_F(SimThroughHandlers, AWholePassFillsIdentityVersionsAndEveryCountedTableSlotOfEachTable) {
    Exchange(kPass);
    EXPECT_EQ(data.ModelNumber, controller.identity().modelNumber);
    EXPECT_EQ(data.FirmwareVersion, "V 2.05");
    EXPECT_EQ(data.FirmwareVersionNumber, 205);
    EXPECT_EQ(data.RomVersion, "V " + controller.identity().romVersion);
    const std::pair<char, DacFamily> families[] = {
        {'l', DacFamily::L}, {'b', DacFamily::B}, {'h', DacFamily::H}, {'v', DacFamily::V}};
    for (auto [letter, family] : families) {
        for (int slot = 0; slot < data.DacCount(family); ++slot) {
            EXPECT_EQ(Model(family, DacTableKind::Factory, slot), Sim(letter, Kind::Factory, slot))
                << letter << slot;
            EXPECT_EQ(Model(family, DacTableKind::Initial, slot), Sim(letter, Kind::Initial, slot))
                << letter << slot;
            // What a file saved now holds as the DAC's value: the monitor's current one.
            EXPECT_EQ(Model(family, DacTableKind::Value, slot), Sim(letter, Kind::Current, slot))
                << letter << slot;
        }
    }
    EXPECT_EQ(Model(DacFamily::H, DacTableKind::Value, 8), Sim('h', Kind::Current, 8));
    EXPECT_EQ(Model(DacFamily::H, DacTableKind::Factory, 8), Sim('h', Kind::Factory, 8));
    EXPECT_EQ(Model(DacFamily::H, DacTableKind::Initial, 8), Sim('h', Kind::Initial, 8));
    // Family N: quads on firmware other than 2.24; the factory answer is always a pair
    // reading, the first and the third value.
    for (int slot = 0; slot < 4; ++slot) {
        EXPECT_EQ(Model(DacFamily::N, DacTableKind::Initial, slot), Sim('s', Kind::Initial, slot));
    }
    EXPECT_EQ(Model(DacFamily::N, DacTableKind::Factory, 0), Sim('s', Kind::Factory, 0));
    EXPECT_EQ(Model(DacFamily::N, DacTableKind::Factory, 1), Sim('s', Kind::Factory, 2));
}

TEST_F(SimThroughHandlers, FamilyNIsReadAsPairsOnFirmware224) {
    controller.identity().firmwareVersion = "2.24";
    Exchange(kPass);
    EXPECT_EQ(data.FirmwareVersionNumber, 224);
    EXPECT_EQ(Model(DacFamily::N, DacTableKind::Initial, 0), Sim('s', Kind::Initial, 0));
    EXPECT_EQ(Model(DacFamily::N, DacTableKind::Initial, 1), Sim('s', Kind::Initial, 2));
}

TEST_F(SimThroughHandlers, APeekAndPokeSessionFillsTheBoxes) {
    Exchange({"a0x2000", "wb0x41", "a+", "wb0x42", "a-", "rb", "rw", "rc"});
    EXPECT_EQ(boxes.address, "0x2000");
    EXPECT_EQ(boxes.byte, "0x41");
    EXPECT_EQ(boxes.word, "0x4142");
    EXPECT_EQ(boxes.character, "A");
    Exchange({"a0x10", "ww0xBEEF"});  // a word is written high byte first
    EXPECT_EQ(controller.memory().Byte(0x10), 0xBE);
    EXPECT_EQ(controller.memory().Byte(0x11), 0xEF);
}

TEST_F(SimThroughHandlers, TheAddressStepsWrapAndABadAddressKeepsTheAddress) {
    const std::pair<std::vector<std::string>, const char*> steps[] = {
        {{"a0x00ff", "a+"}, "0x0100"}, {{"a-", "a-"}, "0x00FE"},
        {{"a0", "a-"}, "0xFFFF"},      {{"a+"}, "0x0000"},
        {{"a0x40", "a0x"}, "0x0040"},  {{"a0x12345"}, "0x0040"}};
    for (const auto& [commands, address] : steps) {
        Exchange(commands);
        EXPECT_EQ(boxes.address, address) << commands.back();
    }
    EXPECT_EQ(controller.memory().Address(), 0x40);
}

TEST_F(SimThroughHandlers, TheBoxesInitialPlaceholdersWriteNothing) {
    controller.Answer("a0x30");
    const uint8_t before = controller.memory().Byte(0x30);
    for (const char* command : {"wb0xXX", "ww0xXXXX", "wb0x100"}) {
        EXPECT_NE(controller.Answer(command).find("Bad value"), std::string::npos) << command;
    }
    EXPECT_EQ(controller.memory().Byte(0x30), before);
}

}  // namespace
}  // namespace zorvex::sim
