#include <gtest/gtest.h>

#include "RecordingSink.h"
#include "core/panels/diagnostics/PeekPoke.h"
#include "core/protocol/ResponseDispatcher.h"

namespace zorvex {
namespace {

using testing::Rows;
using P = std::pair<const char*, const char*>;

TEST(PeekPokeCommands, SendTheLetterAndTheBoxAsTyped) {
    testing::RecordingSink sink;
    PeekPokeCommands commands(sink);
    commands.SetAddress("0x1000");
    using PP = PeekPokeCommands;
    for (void (PP::*command)() :
         {&PP::AddressUp, &PP::AddressDown, &PP::ReadByte, &PP::ReadWord, &PP::ReadChar})
        (commands.*command)();
    commands.WriteByte("0x3c");
    commands.WriteWord("0xbeef");
    EXPECT_EQ(sink.Sent(), "a0x1000 a+ a- rb rw rc wb0x3c ww0xbeef");
}

// The boxes as one line per change: "address 0x01FF", "byte 0x3C", "word ...", "char A".
struct RecordingBoxes : PeekPokeBoxes {
    void SetAddressBox(const std::string& t) override { seen += "address " + t; }
    void SetDataByteBox(const std::string& t) override { seen += "byte " + t; }
    void SetDataWordBox(const std::string& t) override { seen += "word " + t; }
    void SetDataCharBox(const std::string& t) override { seen += "char " + t; }
    std::string seen;
};

// Each answer, echo first, fills only its own box; without a quote the char box takes the
// echo's letter.
TEST(PeekPokeAnswers, FillOnlyTheirBox) {
    for (const auto& [block, seen] :
         Rows(P("a+\r\nAddr = 0x01ff\r\n#", "address 0x01FF"),
              P("a-\r\nAddr = 0x\r\n#", "address 0x"), P("a+Addr = 0x1g Addr = 0x2", "address 0x1"),
              P("a+\r\nBad address\r\n#", ""), P("rb\r\n1000 := 0x3c\r\n#", "byte 0x3C"),
              P("rw\r\n1000 := 0xbeef\r\n#", "word 0xBEEF"), P("rb\r\nno memory\r\n#", ""),
              P("rq\r\n:= 0x12\r\n#", ""), P("rc\r\n1000 'A'\r\n#", "char A"),
              P("rc\r\n1000 A\r\n#", "char c"), P("rc'", "char "),
              P("wb0x3c\r\n:= 0x3C\r\n#", ""))) {
        RecordingBoxes boxes;
        PeekPokeReplies replies(boxes);
        ResponseDispatcher dispatcher;
        replies.Register(dispatcher);
        dispatcher.Dispatch(block);
        EXPECT_EQ(boxes.seen, seen) << block;
    }
}

}  // namespace
}  // namespace zorvex
