#include "core/link/SerialPortMap.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "MemorySettingsStore.h"
#include "core/link/NetworkAddress.h"
#include "core/link/TelnetComPort.h"

namespace zorvex {
namespace {

using testing::MemorySettingsStore;

TEST(SerialPortMap, AnUnstoredPortMapsToTheSystemsUsualNameAndNoPortToNone) {
    MemorySettingsStore store;
    const SerialPortMap posix(store, DeviceNaming::Posix), windows(store, DeviceNaming::Windows);
    const std::pair<int, const char*> rows[] = {
        {1, "/dev/ttyS0 COM1"}, {8, "/dev/ttyS7 COM8"}, {0, " "}, {-3, " "}};
    for (auto [port, devices] : rows) {
        EXPECT_EQ(posix.DeviceFor(port) + " " + windows.DeviceFor(port), devices);
        EXPECT_EQ(posix.DefaultDevice(port) + " " + windows.DefaultDevice(port), devices);
    }
}

TEST(SerialPortMap, AStoredDeviceServesItsPortOnlyIsReadAfreshAndABlankOneFallsBack) {
    MemorySettingsStore store;
    SerialPortMap map(store, DeviceNaming::Posix);
    ASSERT_TRUE(map.SetDevice(1, "  /tmp/my ports/tty0 \n"));
    EXPECT_EQ(store.Get("Ports", "Com1"), "/tmp/my ports/tty0");
    store.Write("Ports", "Com3", "/dev/pts/4");  // another writer
    store.Write("Ports", "Com5", "   ");         // a hand-edited file
    EXPECT_FALSE(map.SetDevice(0, "/dev/ttyS9"));
    std::string seen;
    for (int port = 1; port <= 5; ++port) {
        seen += map.DeviceFor(port) + ";";
    }
    EXPECT_EQ(seen, "/tmp/my ports/tty0;/dev/ttyS1;/dev/pts/4;/dev/ttyS3;/dev/ttyS4;");
    map.SetDevice(1, "");
    EXPECT_EQ(map.DeviceFor(1), "/dev/ttyS0");
    EXPECT_EQ(store.values.size(), 3u);  // nothing stored for port 0
}

TEST(SerialPortMap, ANetworkPortIsTakenOnlyWhenValidAndOtherwiseTheTextSaysWhatIsWrong) {
    // The device text, its host and port as read back, and what the message says is wrong.
    const std::tuple<const char*, const char*, const char*> rows[] = {
        {"/dev/ttyUSB0", "", ""},
        {"socket://127.0.0.1:4001", "127.0.0.1:4001", ""},
        {"rfc2217://serial-box.site:65535", "serial-box.site:65535", ""},
        {"RFC2217://[::1]:1", "[::1]:1", ""},
        {"socket://:4001", "", "has no host"},
        {"socket://127.0.0.1", "", "no port number"},
        {"socket://127.0.0.1:", "", "no port number"},
        {"socket://[::1]", "", "no port number"},
        {"socket://[::1]x4001", "", "no port number"},
        {"socket://127.0.0.1:0", "", "from 1 to 65535"},
        {"rfc2217://127.0.0.1:65536", "", "from 1 to 65535"},
        {"socket://127.0.0.1:40a1", "", "where the port"},
        {"socket://a b:23", "", "no host name or address"},
        {"socket://[::1:4001", "", "closing \"]\""},
        {"telnet://127.0.0.1:23", "", "does not know"}};
    for (auto [device, hostPort, what] : rows) {
        MemorySettingsStore store;
        EXPECT_EQ(SerialPortMap(store).SetDevice(1, device), *what == '\0') << device;
        const std::string problem = SerialPortMap::CheckDevice(device).value_or("");
        EXPECT_EQ(problem.empty(), *what == '\0') << device;
        EXPECT_NE(problem.find(what), std::string::npos) << problem;
        const auto parsed = ParseNetworkAddress(device).address;
        EXPECT_EQ(parsed ? parsed->HostPort() : "", hostPort);
    }
}

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

TEST(TelnetComPort, OffersItsOptionsSplitsDataFromNegotiationAndAnswersItAndDoublesIac) {
    EXPECT_EQ(TelnetComPort().Start(),
              B(IAC WILL "\x00" IAC WILL "\x03" IAC WILL COMPORT IAC DO "\x00" IAC DO "\x03"));
    EXPECT_EQ(TelnetComPort::Escape(B("a" IAC "b")), B("a" IAC IAC "b"));
    std::string every(256, '\0');  // every byte value, IAC included, goes through as data
    std::iota(every.begin(), every.end(), '\0');
    struct {
        std::vector<std::string> reads;  // what the server sends, read by read
        std::string data = "";           // what reaches the receive path
        std::string reply = "";          // what goes back to the server
    } const rows[] = {
        {{"p\r\n#\r\n"}, "p\r\n#\r\n"},
        {{TelnetComPort::Escape(every)}, every},
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

}  // namespace
}  // namespace zorvex
