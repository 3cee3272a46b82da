#include "core/link/TelnetComPort.h"

#include <gtest/gtest.h>

#include <vector>

namespace zorvex {
namespace {

// Telnet bytes by name, so each row reads like the RFCs.
#define IAC "\xff"
#define WILL "\xfb"
#define WONT "\xfc"
#define DO "\xfd"
#define DONT "\xfe"
#define SB "\xfa"
#define SE "\xf0"
#define COMPORT "\x2c"
// 9600 baud, 8 data bits, no parity, 1 stop bit, no flow control, DTR off, RTS off.
#define SETTINGS                                                                                 \
    IAC SB COMPORT "\x01\x00\x00\x25\x80" IAC SE IAC SB COMPORT "\x02\x08" IAC SE IAC SB COMPORT \
                   "\x03\x01" IAC SE IAC SB COMPORT "\x04\x01" IAC SE IAC SB COMPORT             \
                   "\x05\x01" IAC SE IAC SB COMPORT "\x05\x09" IAC SE IAC SB COMPORT             \
                   "\x05\x0c" IAC SE

std::string S(const char* bytes, std::size_t size) {
    return std::string(bytes, size);
}
#define B(literal) S(literal, sizeof(literal) - 1)

struct CodecCase {
    const char* name;
    std::vector<std::string> reads;  // what the server sends, read by read
    std::string data;                // what reaches the receive path
    std::string reply;               // what goes back to the server
};

void PrintTo(const CodecCase& c, std::ostream* os) {
    *os << c.name;
}

class TelnetComPortReads : public ::testing::TestWithParam<CodecCase> {};

TEST_P(TelnetComPortReads, SplitsDataFromNegotiationAndAnswersIt) {
    TelnetComPort codec;
    codec.Start();
    std::string data;
    std::string reply;
    for (const std::string& read : GetParam().reads) {
        TelnetComPort::Received received = codec.Feed(read);
        data += received.data;
        reply += received.reply;
    }
    EXPECT_EQ(data, GetParam().data);
    EXPECT_EQ(reply, GetParam().reply);
}

INSTANTIATE_TEST_SUITE_P(
    ServerSays, TelnetComPortReads,
    ::testing::Values(
        CodecCase{"PlainData", {"p\r\n#\r\n"}, "p\r\n#\r\n", ""},
        CodecCase{"DoubledIacSplitAcrossReads", {B("a" IAC), B(IAC "b")}, B("a" IAC "b"), ""},
        CodecCase{"ComPortTakenByteByByte", {B(IAC), B(DO), B(COMPORT)}, "", B(SETTINGS)},
        CodecCase{"ComPortAskedAgainAfterRefusal",
                  {B(IAC DONT COMPORT), B(IAC DO COMPORT)},
                  "",
                  B(IAC WILL COMPORT SETTINGS)},
        CodecCase{
            "AnswersToOurRequestsGetNoReply",
            {B(IAC DO "\x00" IAC WILL "\x00" IAC DO "\x03" IAC WILL "\x03"), B(IAC DO "\x00")},
            "",
            ""},
        CodecCase{"AnOptionTurnedOffIsAcknowledged",
                  {B(IAC WILL "\x03"), B(IAC WONT "\x03")},
                  "",
                  B(IAC DONT "\x03")},
        CodecCase{"UnknownOptionsAreRefused",
                  {B(IAC WILL "\x01"
                              "ok" IAC DO "\x18")},
                  "ok",
                  B(IAC DONT "\x01" IAC WONT "\x18")},
        CodecCase{"ServerSubnegotiationSkippedEvenSplit",
                  {B("x" IAC SB COMPORT "\x65\x00\x00" IAC), B(IAC "\x80" IAC SE "y")},
                  "xy",
                  ""},
        CodecCase{"CommandsWithoutOptionCarryNothing",
                  {B(IAC "\xf1"
                         "a" IAC "\xf9")},
                  "a",
                  ""},
        CodecCase{"SubnegotiationWithoutSeEndsAtTheNextCommand",
                  {B(IAC SB COMPORT "\x6b" IAC WILL "\x01"
                                    "z")},
                  "z",
                  B(IAC DONT "\x01")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TelnetComPort, OffersItsOptionsFirstAndDoublesIacInDataBothWays) {
    TelnetComPort codec;
    EXPECT_EQ(codec.Start(),
              B(IAC WILL "\x00" IAC WILL "\x03" IAC WILL COMPORT IAC DO "\x00" IAC DO "\x03"));
    std::string every;
    for (int b = 0; b < 256; ++b) {
        every.push_back(static_cast<char>(b));
    }
    EXPECT_EQ(TelnetComPort::Escape(B("a" IAC "b")), B("a" IAC IAC "b"));
    EXPECT_EQ(codec.Feed(TelnetComPort::Escape(every)).data, every);
}

}  // namespace
}  // namespace zorvex
