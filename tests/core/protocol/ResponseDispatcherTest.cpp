#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/protocol/ResponseDispatcher.h"

namespace zorvex {
namespace {

using H = ReplyHandlerId;

struct RouteCase {
    const char* block;
    std::optional<H> handler;  // nullopt: accepted or ignored, nothing called
    const char* rest;
};

class DispatchTables : public ::testing::TestWithParam<RouteCase> {};

TEST_P(DispatchTables, ReachTheHandlerWithTheRestOfTheBlock) {
    ResponseDispatcher dispatcher;
    std::optional<H> reached;
    std::string rest;
    for (int id = 0; id < static_cast<int>(H::Count); ++id) {
        dispatcher.Register(static_cast<H>(id), [&, id](std::string_view text) {
            reached = static_cast<H>(id);
            rest = text;
        });
    }
    dispatcher.Dispatch(GetParam().block);
    EXPECT_EQ(reached, GetParam().handler) << GetParam().block;
    if (GetParam().handler) {
        EXPECT_EQ(rest, GetParam().rest) << GetParam().block;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Letters, DispatchTables,
    ::testing::Values(
        RouteCase{"p#", H::Ping, "#"}, RouteCase{"p\r\n#", H::Ping, "#"},
        RouteCase{"P$", H::Ping, "$"},
        RouteCase{"a1000\r\nAddr = 0x1000\r\n#", H::MemoryAddress, "1000\r\nAddr = 0x1000\r\n#"},
        RouteCase{"rb\r\n:= 0x12\r\n#", H::MemoryRead, "b\r\n:= 0x12\r\n#"},
        RouteCase{"df\r\nV 2.05\r\n#", H::FirmwareVersion, "V 2.05\r\n#"},
        RouteCase{"dfV 2.05\r\n#", H::FirmwareVersion, "V 2.05\r\n#"},
        RouteCase{"de\r\nV 1.10\r\n#", H::RomVersion, "V 1.10\r\n#"},
        RouteCase{"dh\r\n#", H::HighVoltage, "#"}, RouteCase{"dtx 1,2", H::OperatingTime, "x 1,2"},
        RouteCase{"du 5", H::OperatingTime, "5"}, RouteCase{"dx\r\nCap", H::Capability, "Cap"},
        RouteCase{"dz\r\nk=1;", H::StrokeParameters, "k=1;"},
        RouteCase{"dms\r\nModel Number = X", H::ModelNumber, "Model Number = X"},
        RouteCase{"DMS M", H::ModelNumber, "M"}, RouteCase{"dmt T", H::CrtPartNumber, "T"},
        RouteCase{"dmu U", H::PartNumber, "U"}, RouteCase{"dss S", H::SerialNumber, "S"},
        RouteCase{"dst S", H::CrtSerialNumber, "S"},
        // Without a third letter, the answer's own first letter picks the entry.
        RouteCase{"dm\r\nSerial", H::ModelNumber, "erial"},
        RouteCase{"dds 1", H::FamilyNTable, "1"}, RouteCase{"ddt 1", H::FamilyNTable, "1"},
        RouteCase{"ddfb 1", H::FactoryB, "1"}, RouteCase{"ddfh 1", H::FactoryH, "1"},
        RouteCase{"ddfl 1", H::FactoryL, "1"}, RouteCase{"ddfv 1", H::FactoryV, "1"},
        RouteCase{"ddfs 1", H::FactoryN, "1"}, RouteCase{"ddft 1", H::FactoryN, "1"},
        RouteCase{"ddpb 1", H::InitialB, "1"}, RouteCase{"ddph 1", H::InitialH, "1"},
        RouteCase{"ddpl 1", H::InitialL, "1"}, RouteCase{"ddpv 1", H::InitialV, "1"},
        RouteCase{"ddps 1", H::InitialN, "1"}, RouteCase{"ddpt 1", H::InitialN, "1"},
        RouteCase{"ddb 1", H::CurrentB, "1"}, RouteCase{"ddh 1", H::CurrentH, "1"},
        RouteCase{"ddl 1", H::CurrentL, "1"}, RouteCase{"ddv 1", H::CurrentV, "1"},
        // Accepted with no effect, or ignored.
        RouteCase{"ddpn 1", std::nullopt, ""}, RouteCase{"ddfa 1", std::nullopt, ""},
        RouteCase{"ddn 1", std::nullopt, ""}, RouteCase{"dmq 1", std::nullopt, ""},
        RouteCase{"dmc 1", std::nullopt, ""}, RouteCase{"dsd 1", std::nullopt, ""},
        RouteCase{"dra 1", std::nullopt, ""}, RouteCase{"da 1", std::nullopt, ""},
        RouteCase{"dw 1", std::nullopt, ""}, RouteCase{"dps 1", std::nullopt, ""},
        RouteCase{"dv 1", std::nullopt, ""}, RouteCase{"TYW2ba1\r\n#", std::nullopt, ""},
        RouteCase{"#", std::nullopt, ""}, RouteCase{"cz0\r\n#", std::nullopt, ""},
        RouteCase{"g\r\n$", std::nullopt, ""}, RouteCase{"wb12\r\n#", std::nullopt, ""},
        RouteCase{":1000\r\n#", std::nullopt, ""}, RouteCase{" \r\n\t ", std::nullopt, ""},
        RouteCase{"", std::nullopt, ""}, RouteCase{"d", std::nullopt, ""},
        RouteCase{"dd \r\n", std::nullopt, ""}));

}  // namespace
}  // namespace zorvex
