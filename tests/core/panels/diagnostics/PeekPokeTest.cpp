#include <gtest/gtest.h>

#include <map>
#include <string>

#include "core/panels/diagnostics/PeekPoke.h"
#include "core/protocol/ResponseDispatcher.h"

namespace zorvex {
namespace {

enum class Box { None, Address, Byte, Word, Char };

class RecordingBoxes : public PeekPokeBoxes {
  public:
    void SetAddressBox(const std::string& t) override { boxes[Box::Address] = t; }
    void SetDataByteBox(const std::string& t) override { boxes[Box::Byte] = t; }
    void SetDataWordBox(const std::string& t) override { boxes[Box::Word] = t; }
    void SetDataCharBox(const std::string& t) override { boxes[Box::Char] = t; }
    std::map<Box, std::string> boxes;
};

// What the buttons send is pinned through the window in tests/ui/info_panels.
TEST(PeekPokeAnswers, FillOnlyTheirBox) {
    struct Case {
        const char* block;  // as the monitor sends it, echo first
        Box box;
        const char* text;
    };
    const Case cases[] = {{"a+\r\nAddr = 0x01ff\r\n#", Box::Address, "0x01FF"},
                          {"a0x1000\r\nAddr = 0x1000\r\n#", Box::Address, "0x1000"},
                          {"a-\r\nAddr = 0x\r\n#", Box::Address, "0x"},
                          {"a+Addr = 0xAbC", Box::Address, "0xABC"},
                          {"a+Addr = 0x1g Addr = 0x2", Box::Address, "0x1"},
                          {"a+\r\nBad address\r\n#", Box::None, ""},
                          {"rb\r\n1000 := 0x3c\r\n#", Box::Byte, "0x3C"},
                          {"rw\r\n1000 := 0xbeef\r\n#", Box::Word, "0xBEEF"},
                          {"rb\r\n:= 0x\r\n#", Box::Byte, "0x"},
                          {"rb\r\nno memory\r\n#", Box::None, ""},
                          {"rq\r\n:= 0x12\r\n#", Box::None, ""},
                          {"rc\r\n1000 'A'\r\n#", Box::Char, "A"},
                          {"rc\r\n1000 A\r\n#", Box::Char, "c"},  // no quote: the echo letter
                          {"rc'", Box::Char, ""},
                          {"wb0x3c\r\n:= 0x3C\r\n#", Box::None, ""}};
    for (const Case& c : cases) {
        RecordingBoxes boxes;
        PeekPokeReplies replies(boxes);
        ResponseDispatcher dispatcher;
        replies.Register(dispatcher);
        dispatcher.Dispatch(c.block);
        using Boxes = std::map<Box, std::string>;
        const Boxes expected = c.box == Box::None ? Boxes{} : Boxes{{c.box, c.text}};
        EXPECT_EQ(boxes.boxes, expected) << c.block;
    }
}

}  // namespace
}  // namespace zorvex
