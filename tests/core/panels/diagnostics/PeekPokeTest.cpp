#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/panels/diagnostics/PeekPoke.h"
#include "core/protocol/ResponseDispatcher.h"

namespace zorvex {
namespace {

class RecordingSink : public CommandSink {
  public:
    void QueueCommand(const std::string& text) override { sent.push_back(text); }
    std::vector<std::string> sent;
};

enum class Box { Address, Byte, Word, Char };

class RecordingBoxes : public PeekPokeBoxes {
  public:
    void SetAddressBox(const std::string& t) override { boxes[Box::Address] = t; }
    void SetDataByteBox(const std::string& t) override { boxes[Box::Byte] = t; }
    void SetDataWordBox(const std::string& t) override { boxes[Box::Word] = t; }
    void SetDataCharBox(const std::string& t) override { boxes[Box::Char] = t; }
    std::map<Box, std::string> boxes;
};

struct ButtonCase {
    const char* name;
    std::function<void(PeekPokeCommands&)> press;
    const char* sent;
};

class PeekPokeButtons : public ::testing::TestWithParam<ButtonCase> {};

TEST_P(PeekPokeButtons, QueueTheirCommandWithTheBoxTextAsTyped) {
    RecordingSink sink;
    PeekPokeCommands commands(sink);
    GetParam().press(commands);
    EXPECT_EQ(sink.sent, std::vector<std::string>{GetParam().sent});
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, PeekPokeButtons,
    ::testing::Values(
        ButtonCase{"SetAddressWithInitialBox", [](auto& c) { c.SetAddress("0x"); }, "a0x\r\n"},
        ButtonCase{"SetAddressTyped", [](auto& c) { c.SetAddress("0x1F00"); }, "a0x1F00\r\n"},
        ButtonCase{"SetAddressUnchecked", [](auto& c) { c.SetAddress("zz 1"); }, "azz 1\r\n"},
        ButtonCase{"Up", [](auto& c) { c.AddressUp(); }, "a+\r\n"},
        ButtonCase{"Down", [](auto& c) { c.AddressDown(); }, "a-\r\n"},
        ButtonCase{"ReadByte", [](auto& c) { c.ReadByte(); }, "rb\r\n"},
        ButtonCase{"ReadWord", [](auto& c) { c.ReadWord(); }, "rw\r\n"},
        ButtonCase{"ReadChar", [](auto& c) { c.ReadChar(); }, "rc\r\n"},
        ButtonCase{"WriteByte", [](auto& c) { c.WriteByte("0x3C"); }, "wb0x3C\r\n"},
        ButtonCase{"WriteByteInitialBox", [](auto& c) { c.WriteByte("0xXX"); }, "wb0xXX\r\n"},
        ButtonCase{"WriteWord", [](auto& c) { c.WriteWord("0xBEEF"); }, "ww0xBEEF\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

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
        AnswerCase{"AddressWithoutLabel", "a+\r\nBad address\r\n#", {}},
        AnswerCase{"ReadByteLowerCase", "rb\r\n1000 := 0x3c\r\n#", {{Box::Byte, "0x3C"}}},
        AnswerCase{"ReadWord", "rw\r\n1000 := 0xbeef\r\n#", {{Box::Word, "0xBEEF"}}},
        AnswerCase{"ReadByteUpperCaseEcho", "RB\r\n:= 0x0a\r\n#", {{Box::Byte, "0x0A"}}},
        AnswerCase{"ReadByteWithoutDigits", "rb\r\n:= 0x\r\n#", {{Box::Byte, "0x"}}},
        AnswerCase{"ReadByteWithoutLabel", "rb\r\nno memory\r\n#", {}},
        AnswerCase{"ReadOtherKindIgnored", "rq\r\n:= 0x12\r\n#", {}},
        AnswerCase{"ReadChar", "rc\r\n1000 'A'\r\n#", {{Box::Char, "A"}}},
        AnswerCase{"ReadCharBlank", "rc\r\n1000 ' '\r\n#", {{Box::Char, " "}}},
        AnswerCase{
            "ReadCharWithoutQuoteTakesTheEchoLetter", "rc\r\n1000 A\r\n#", {{Box::Char, "c"}}},
        AnswerCase{"ReadCharQuoteAtTheEnd", "rc'", {{Box::Char, ""}}},
        AnswerCase{"WriteAnswerHasNoEffect", "wb0x3c\r\n:= 0x3C\r\n#", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HexAfterMarker, TakesOnlyTheDigitsRightAfterTheFirstMarker) {
    EXPECT_EQ(HexAfterMarker("Addr = 0x12 Addr = 0x34", "Addr = 0x"), "0x12");
    EXPECT_EQ(HexAfterMarker("Addr = 0x 12", "Addr = 0x"), "0x");
    EXPECT_EQ(HexAfterMarker("Addr = 0xfg", "Addr = 0x"), "0xF");
    EXPECT_EQ(HexAfterMarker("addr = 0x12", "Addr = 0x"), std::nullopt);
}

}  // namespace
}  // namespace zorvex
