#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "core/panels/diagnostics/PeekPoke.h"
#include "core/protocol/ResponseDispatcher.h"

namespace zorvex {
namespace {

enum class Box { Address, Byte, Word, Char };

class RecordingBoxes : public PeekPokeBoxes {
  public:
    void SetAddressBox(const std::string& t) override { boxes[Box::Address] = t; }
    void SetDataByteBox(const std::string& t) override { boxes[Box::Byte] = t; }
    void SetDataWordBox(const std::string& t) override { boxes[Box::Word] = t; }
    void SetDataCharBox(const std::string& t) override { boxes[Box::Char] = t; }
    std::map<Box, std::string> boxes;
};

// What the buttons send is pinned through the window in tests/ui/info_panels.
struct AnswerCase {
    const char* name;
    const char* block;  // as the monitor sends it, echo first
    std::map<Box, std::string> boxes;
};

class PeekPokeAnswers : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(PeekPokeAnswers, FillOnlyTheirBox) {
    RecordingBoxes boxes;
    PeekPokeReplies replies(boxes);
    ResponseDispatcher dispatcher;
    replies.Register(dispatcher);
    dispatcher.Dispatch(GetParam().block);
    EXPECT_EQ(boxes.boxes, GetParam().boxes);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, PeekPokeAnswers,
    ::testing::Values(
        AnswerCase{"StepUpLowerCaseDigits", "a+\r\nAddr = 0x01ff\r\n#", {{Box::Address, "0x01FF"}}},
        AnswerCase{"SetAddressEchoWithArgument",
                   "a0x1000\r\nAddr = 0x1000\r\n#",
                   {{Box::Address, "0x1000"}}},
        AnswerCase{"AddressWithoutDigits", "a-\r\nAddr = 0x\r\n#", {{Box::Address, "0x"}}},
        AnswerCase{"AddressDigitsEndAtEndOfText", "a+Addr = 0xAbC", {{Box::Address, "0xABC"}}},
        AnswerCase{
            "AddressDigitsEndAtANonDigit", "a+Addr = 0x1g Addr = 0x2", {{Box::Address, "0x1"}}},
        AnswerCase{"AddressWithoutLabel", "a+\r\nBad address\r\n#", {}},
        AnswerCase{"ReadByteLowerCase", "rb\r\n1000 := 0x3c\r\n#", {{Box::Byte, "0x3C"}}},
        AnswerCase{"ReadWord", "rw\r\n1000 := 0xbeef\r\n#", {{Box::Word, "0xBEEF"}}},
        AnswerCase{"ReadByteWithoutDigits", "rb\r\n:= 0x\r\n#", {{Box::Byte, "0x"}}},
        AnswerCase{"ReadByteWithoutLabel", "rb\r\nno memory\r\n#", {}},
        AnswerCase{"ReadOtherKindIgnored", "rq\r\n:= 0x12\r\n#", {}},
        AnswerCase{"ReadChar", "rc\r\n1000 'A'\r\n#", {{Box::Char, "A"}}},
        AnswerCase{
            "ReadCharWithoutQuoteTakesTheEchoLetter", "rc\r\n1000 A\r\n#", {{Box::Char, "c"}}},
        AnswerCase{"ReadCharQuoteAtTheEnd", "rc'", {{Box::Char, ""}}},
        AnswerCase{"WriteAnswerHasNoEffect", "wb0x3c\r\n:= 0x3C\r\n#", {}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zorvex
