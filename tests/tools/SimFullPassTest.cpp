// One pass of the tool's update-all cycle against the simulator, through the tool's own
// dispatcher and handlers, fills the model with the simulator's values.
#include <gtest/gtest.h>

#include <string>

#include "Controller.h"
#include "SimReplyBlocks.h"
#include "core/data/MonitorData.h"
#include "core/panels/info/InfoLabels.h"
#include "core/protocol/DacTableHandlers.h"
#include "core/protocol/IdentificationReplies.h"
#include "core/protocol/ResponseDispatcher.h"

namespace zorvex::sim {
namespace {

using testing::FrameReplies;
using Kind = DacTables::Kind;

class NoLabels : public InfoLabels {
  public:
    void SetInfoLabel(InfoLabel, const std::string&) override {}
};

// The requests of one pass of the update-all cycle, in the order the tool sends them.
const char* const kPass[] = {"da",   "db",   "dc",   "ddv",  "ddfv", "ddpv", "ddh",  "ddph", "ddfh",
                             "ddl",  "ddpl", "ddfl", "ddb",  "ddpb", "ddfb", "de",   "df",   "dh",
                             "dms",  "dps",  "dss",  "dt",   "dw",   "dda",  "ddpa", "ddfa", "ddd",
                             "ddpd", "ddfd", "dde",  "ddpe", "ddfe", "ddg",  "ddpg", "ddfg", "ddi",
                             "ddpi", "ddfi", "ddk",  "ddpk", "ddfk", "dds",  "ddps", "ddfs"};

class SimFullPass : public ::testing::Test {
  protected:
    void RunPass(const std::string& firmware) {
        controller.identity().firmwareVersion = firmware;
        identification.Register(dispatcher);
        RegisterDacTableHandlers(dispatcher, data);
        std::string traffic;
        for (const char* command : kPass) {
            traffic += controller.Answer(command);
        }
        auto framed = FrameReplies(traffic);
        ASSERT_EQ(framed.blocks.size(), std::size(kPass));
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
    ResponseDispatcher dispatcher;
};

TEST_F(SimFullPass, IdentityAndVersionsArriveInTheModel) {
    RunPass("2.05");
    EXPECT_EQ(data.ModelNumber, controller.identity().modelNumber);
    EXPECT_EQ(data.SerialNumber, controller.identity().serialNumber);
    EXPECT_EQ(data.FirmwareVersion, "V 2.05");
    EXPECT_EQ(data.FirmwareVersionNumber, 205);
    EXPECT_EQ(data.RomVersion, "V " + controller.identity().romVersion);
}

TEST_F(SimFullPass, EveryCountedSlotOfTheFactoryAndInitialTablesIsFilled) {
    RunPass("2.05");
    struct Family {
        char letter;
        DacFamily family;
    } families[] = {
        {'l', DacFamily::L}, {'b', DacFamily::B}, {'h', DacFamily::H}, {'v', DacFamily::V}};
    for (auto [letter, family] : families) {
        for (int slot = 0; slot < data.DacCount(family); ++slot) {
            EXPECT_EQ(Model(family, DacTableKind::Factory, slot), Sim(letter, Kind::Factory, slot))
                << letter << slot;
            EXPECT_EQ(Model(family, DacTableKind::Initial, slot), Sim(letter, Kind::Initial, slot))
                << letter << slot;
        }
    }
    EXPECT_EQ(Model(DacFamily::H, DacTableKind::Factory, 8), Sim('h', Kind::Factory, 8));
    EXPECT_EQ(Model(DacFamily::H, DacTableKind::Initial, 8), Sim('h', Kind::Initial, 8));
}

TEST_F(SimFullPass, FamilyNIsReadAsQuadsOnFirmwareOtherThan224) {
    RunPass("2.05");
    for (int slot = 0; slot < 4; ++slot) {
        EXPECT_EQ(Model(DacFamily::N, DacTableKind::Initial, slot), Sim('s', Kind::Initial, slot));
    }
    // The factory answer is always a pair reading: the first and the third value.
    EXPECT_EQ(Model(DacFamily::N, DacTableKind::Factory, 0), Sim('s', Kind::Factory, 0));
    EXPECT_EQ(Model(DacFamily::N, DacTableKind::Factory, 1), Sim('s', Kind::Factory, 2));
}

TEST_F(SimFullPass, FamilyNIsReadAsPairsOnFirmware224) {
    RunPass("2.24");
    EXPECT_EQ(data.FirmwareVersionNumber, 224);
    EXPECT_EQ(Model(DacFamily::N, DacTableKind::Initial, 0), Sim('s', Kind::Initial, 0));
    EXPECT_EQ(Model(DacFamily::N, DacTableKind::Initial, 1), Sim('s', Kind::Initial, 2));
}

TEST(SimDacTables, FamilyNValuesStayWithinTheSixBitsTheToolKeeps) {
    Controller controller;
    for (Kind kind : {Kind::Current, Kind::Factory, Kind::Initial}) {
        for (int slot = 0; slot < 6; ++slot) {
            int value = controller.dacTables().Value('s', kind, slot).value_or(-1);
            EXPECT_GE(value, 0);
            EXPECT_LE(value, 63);
        }
    }
}

TEST(SimDacTables, TheNamedNTableAnswerStartsWithTheLetterOfItsTable) {
    Controller controller;
    EXPECT_EQ(controller.Answer("dds").substr(0, 7), "dds\r\nP ");
    EXPECT_EQ(controller.Answer("ddfs").substr(0, 8), "ddfs\r\nF ");
    EXPECT_EQ(controller.Answer("ddps").substr(0, 8), "ddps\r\nP ");
}

TEST(SimDacTables, ATableLetterTheMonitorDoesNotHaveIsAnUnknownCommand) {
    Controller controller;
    EXPECT_EQ(controller.Answer("ddq"), "ddq\r\nUnknown command\r\n#\r\n");
    EXPECT_EQ(controller.Answer("ddfxx"), "ddfxx\r\nUnknown command\r\n#\r\n");
    EXPECT_EQ(controller.Answer("dd"), "dd\r\nUnknown command\r\n#\r\n");
}

}  // namespace
}  // namespace zorvex::sim
