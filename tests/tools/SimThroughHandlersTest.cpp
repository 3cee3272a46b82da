// The simulator's answers taken in by the tool's own dispatcher and handlers: the link and a
// whole pass of the update-all cycle.
#include <gtest/gtest.h>

#include <string>

#include "NullServices.h"
#include "SimReplyBlocks.h"
#include "core/data/MonitorData.h"
#include "core/protocol/DacTableHandlers.h"
#include "core/protocol/IdentificationReplies.h"
#include "core/protocol/LinkReplyHandlers.h"

namespace zorvex::sim {
namespace {

using testing::FrameReplies;
using Kind = DacTables::Kind;

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
    ResponseDispatcher dispatcher;
};

TEST(SimBootMode, ThePingAnswersTheBootPromptAndGoStartsTheFirmware) {
    Controller controller(true);
    MonitorData data;
    HandlePingReply(ResponseDispatcher::Resolve(testing::OnlyBlock(controller, "p")).rest, data);
    EXPECT_TRUE(data.MonitorOnline && data.BootMode);
    std::string answers;
    for (const char* command : {"df", "g", "p"}) {
        answers += controller.Answer(command);
    }
    EXPECT_EQ(answers,
              "df\r\nBoot loader: command not available\r\n$\r\n"
              "g\r\nStarting monitor firmware\r\n#\r\np\r\n#\r\n");
}

// The link, identity and limit answers of a whole pass of the update-all cycle.
TEST_F(SimThroughHandlers, APassFillsTheLinkIdentityVersionsAndLimits) {
    controller.identity().capability = 0xA5;
    controller.SetUptimeSeconds((19 * 60 + 50) * 60 + 55);
    std::vector<std::string> commands = kPass;
    commands.insert(commands.end(), {"p", "dmu", "dmt", "dst", "dx"});
    Exchange(commands);
    EXPECT_TRUE(data.MonitorOnline && !data.BootMode);
    const Identity& id = controller.identity();
    using Texts = std::vector<std::string>;
    // 1234 d 05:07:09 stored, plus 19:50:55 since power-up: each unit carries.
    EXPECT_EQ(
        (Texts{data.OperatingHours, data.OperatingCycles, data.ModelNumber, data.PartNumber,
               data.CrtPartNumber, data.SerialNumber, data.CrtSerialNumber, data.FirmwareVersion,
               data.RomVersion, std::to_string(data.FirmwareVersionNumber),
               std::to_string(data.HvUpperLimit), std::to_string(data.HvLowerLimit)}),
        (Texts{"1235:00:58:04", std::to_string(id.cycles), id.modelNumber, id.partNumber,
               id.crtPartNumber, id.serialNumber, id.crtSerialNumber, "V 2.05",
               "V " + id.romVersion, "205", std::to_string(id.upperLimit),
               std::to_string(id.lowerLimit)}));
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
        for (int slot = 0; slot <= 8; ++slot) {
            for (auto [model, sim] : kinds) {
                if (slot < data.DacCount(family) || (slot == 8 && family == DacFamily::H)) {
                    EXPECT_EQ(Model(family, model, slot), Sim(letter, sim, slot)) << letter << slot;
                }
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

}  // namespace
}  // namespace zorvex::sim
