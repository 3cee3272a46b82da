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
#define COM(value) IAC SB COMPORT value IAC SE
// 9600 baud, 8 data bits, no parity, 1 stop bit, no flow control, DTR off, RTS off.
// clang-format off
#define SETTINGS COM("\x01\x00\x00\x25\x80") COM("\x02\x08") COM("\x03\x01") COM("\x04\x01") \
                 COM("\x05\x01") COM("\x05\x09") COM("\x05\x0c")
// clang-format on
#define B(literal) std::string(literal, sizeof(literal) - 1)

TEST(TelnetComPort, SplitsDataFromNegotiationAndAnswersIt) {
    struct {
        std::vector<std::string> reads;  // what the server sends, read by read
        std::string data = "";           // what reaches the receive path
        std::string reply = "";          // what goes back to the server
    } const rows[] = {
        {{"p\r\n#\r\n"}, "p\r\n#\r\n"},
        // A doubled IAC split across reads.
        {{B("a" IAC), B(IAC "b")}, B("a" IAC "b")},
        // The com port option taken byte by byte, and asked again after a refusal.
        {{B(IAC), B(DO), B(COMPORT)}, "", B(SETTINGS)},
        {{B(IAC DONT COMPORT), B(IAC DO COMPORT)}, "", B(IAC WILL COMPORT SETTINGS)},
        // Answers to our own requests get no reply.
        {{B(IAC DO "\x00" IAC WILL "\x00"), B(IAC DO "\x03" IAC WILL "\x03" IAC DO "\x00")}},
        // An option turned off is acknowledged; unknown ones are refused.
        {{B(IAC WILL "\x03"), B(IAC WONT "\x03")}, "", B(IAC DONT "\x03")},
        {{B(IAC WILL "\x01ok" IAC DO "\x18")}, "ok", B(IAC DONT "\x01" IAC WONT "\x18")},
        // The server's subnegotiation is skipped, even split; commands without option carry
        // nothing; a subnegotiation without SE ends at the next command.
        {{B("x" IAC SB COMPORT "\x65\x00\x00" IAC), B(IAC "\x80" IAC SE "y")}, "xy", ""},
        {{B(IAC "\xf1g" IAC "\xf9")}, "g"},
        {{B(IAC SB COMPORT "\x6b" IAC WILL "\x01z")}, "z", B(IAC DONT "\x01")}};
    for (const auto& row : rows) {
        TelnetComPort codec;
        codec.Start();
        std::string data, reply;
        for (const std::string& read : row.reads) {
            TelnetComPort::Received received = codec.Feed(read);
            data += received.data;
            reply += received.reply;
        }
        EXPECT_EQ(data, row.data) << &row - rows;
        EXPECT_EQ(reply, row.reply) << &row - rows;
    }
}

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
