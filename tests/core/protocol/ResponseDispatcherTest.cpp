#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "core/protocol/ResponseDispatcher.h"

namespace zorvex {
namespace {

using H = ReplyHandlerId;

// The handler a block reaches and the rest of the block it gets, as "id|rest"; "" for none.
std::string Reached(const char* block) {
    ResponseDispatcher dispatcher;
    std::string reached;
    for (int id = 0; id < static_cast<int>(H::Count); ++id) {
        dispatcher.Register(static_cast<H>(id), [&, id](std::string_view text) {
            reached = std::to_string(id) + "|" + std::string(text);
        });
    }
    dispatcher.Dispatch(block);
    return reached;
}

TEST(ResponseDispatcher, ReachesTheHandlerOfTheLettersWithTheRestOfTheBlock) {
    const std::tuple<const char*, H, const char*> cases[] = {
        {"p\r\n#", H::Ping, "#"},
        {"P$", H::Ping, "$"},
        {"a1000\r\nAddr = 0x1000\r\n#", H::MemoryAddress, "1000\r\nAddr = 0x1000\r\n#"},
        {"rb\r\n:= 0x12\r\n#", H::MemoryRead, "b\r\n:= 0x12\r\n#"},
        {"dfV 2.05\r\n#", H::FirmwareVersion, "V 2.05\r\n#"},
        {"dtx 1,2", H::OperatingTime, "x 1,2"},
        {"dx\r\nCap", H::Capability, "Cap"},
        {"dz\r\nk=1;", H::StrokeParameters, "k=1;"},
        {"DMS M", H::ModelNumber, "M"},
        // Without a third letter, the answer's own first letter picks the entry.
        {"dm\r\nSerial", H::ModelNumber, "erial"},
        {"ddpb 1", H::InitialB, "1"},
        {"ddb 1", H::CurrentB, "1"},
        {"ddv 1", H::CurrentV, "1"}};
    for (const auto& [block, handler, rest] : cases) {
        EXPECT_EQ(Reached(block), std::to_string(static_cast<int>(handler)) + "|" + rest) << block;
    }
    // Accepted with no effect, or ignored. (The other routes are taken in the handlers' tests.)
    for (const char* block : {"ddpn 1", "ddfa 1", "ddn 1", "dmq 1", "dmc 1", "dsd 1", "dra 1",
                              "da 1", "dps 1", "TYW2ba1\r\n#", "#", "cz0\r\n#", "g\r\n$",
                              ":1000\r\n#", " \r\n\t ", "", "d", "dd \r\n"}) {
        EXPECT_EQ(Reached(block), "") << block;
    }
}

}  // namespace
}  // namespace zorvex
