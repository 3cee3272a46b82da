// The simulator's answers taken in by the tool's own dispatcher and handlers: the link, a
// whole pass of the update-all cycle, and peek and poke.
#include <gtest/gtest.h>

#include <numeric>
#include <string>

#include "NullServices.h"
#include "SimReplyBlocks.h"
#include "core/data/MonitorData.h"
#include "core/panels/diagnostics/PeekPoke.h"
#include "core/protocol/DacTableHandlers.h"
#include "core/protocol/IdentificationReplies.h"
#include "core/protocol/LinkReplyHandlers.h"

namespace zorvex::sim {
namespace {

using testing::FrameReplies;
using Kind = DacTables::Kind;

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
    zorvex::testing::NullLabels labels;
    IdentificationReplies identification{data, labels};
    Boxes boxes;
    PeekPokeReplies peekPoke{boxes};
    ResponseDispatcher dispatcher;
};

TEST(SimBootMode, ThePingAnswersTheBootPromptAndGoStartsTheFirmware) {
    Controller controller(true);
    MonitorData data;
    HandlePingReply(testing::HandlerText(controller, "p"), data);
    EXPECT_TRUE(data.MonitorOnline && data.BootMode);
    std::string df = controller.Answer("df");
    EXPECT_EQ(df.find("V "), std::string::npos);
    EXPECT_TRUE(df.ends_with("$\r\n")) << df;
    EXPECT_TRUE(controller.Answer("g").ends_with("#\r\n"));
    EXPECT_FALSE(controller.BootMode());
    EXPECT_EQ(controller.Answer("p"), "p\r\n#\r\n");
}

// The link, identity and limit answers of a whole pass of the update-all cycle.
TEST_F(SimThroughHandlers, APassFillsTheLinkIdentityVersionsAndLimits) {
    controller.identity().capability = 0xA5;
    controller.SetUptimeSeconds(50 * 60 + 55);
    std::vector<std::string> commands = kPass;
    commands.insert(commands.end(), {"p", "dmu", "dmt", "dst", "dx"});
    Exchange(commands);
    EXPECT_TRUE(data.MonitorOnline);
    EXPECT_FALSE(data.BootMode);
    // 1234 d 05:07:09 stored, plus 00:50:55 since power-up.
    EXPECT_EQ(data.OperatingHours, "1234:05:58:04");
    const Identity& id = controller.identity();
    EXPECT_EQ(data.OperatingCycles, std::to_string(id.cycles));
    EXPECT_EQ(data.HvUpperLimit, id.upperLimit);
    EXPECT_EQ(data.HvLowerLimit, id.lowerLimit);
    for (auto [text, expected] : {std::pair{&data.ModelNumber, id.modelNumber},
                                  {&data.PartNumber, id.partNumber},
                                  {&data.CrtPartNumber, id.crtPartNumber},
                                  {&data.SerialNumber, id.serialNumber},
                                  {&data.CrtSerialNumber, id.crtSerialNumber},
                                  {&data.FirmwareVersion, std::string("V 2.05")},
                                  {&data.RomVersion, "V " + id.romVersion}}) {
        EXPECT_EQ(*text, expected);
    }
    EXPECT_EQ(data.FirmwareVersionNumber, 205);
    for (int bit = 0; bit < CapabilityFlagCount; ++bit) {
        EXPECT_EQ(data.CapabilityFlags[bit], ((0xA5 >> bit) & 1) != 0) << bit;
    }
}

// Every counted slot of each table, slot 8 of family H too; what a file saved now holds as
// the DAC's value is the monitor's current one. Family N: quads on firmware other than 2.24,
// pairs (the first and the third value) on 2.24; the factory answer is always a pair.
TEST_F(SimThroughHandlers, APassFillsEveryCountedSlotOfEachTable) {
    const std::pair<DacTableKind, Kind> kinds[] = {{DacTableKind::Factory, Kind::Factory},
                                                   {DacTableKind::Initial, Kind::Initial},
                                                   {DacTableKind::Value, Kind::Current}};
    Exchange(kPass);
    const std::pair<char, DacFamily> families[] = {
        {'l', DacFamily::L}, {'b', DacFamily::B}, {'h', DacFamily::H}, {'v', DacFamily::V}};
    for (auto [letter, family] : families) {
        std::vector<int> slots(data.DacCount(family));
        std::iota(slots.begin(), slots.end(), 0);
        if (family == DacFamily::H) {
            slots.push_back(8);
        }
        for (int slot : slots) {
            for (auto [model, sim] : kinds) {
                EXPECT_EQ(Model(family, model, slot), Sim(letter, sim, slot)) << letter << slot;
            }
        }
    }
    EXPECT_EQ(Model(DacFamily::N, DacTableKind::Factory, 1), Sim('s', Kind::Factory, 2));
    for (int slot = 0; slot < 4; ++slot) {
        EXPECT_EQ(Model(DacFamily::N, DacTableKind::Initial, slot), Sim('s', Kind::Initial, slot));
    }
    controller.identity().firmwareVersion = "2.24";
    Exchange(kPass);
    EXPECT_EQ(data.FirmwareVersionNumber, 224);
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

}  // namespace
}  // namespace zorvex::sim
