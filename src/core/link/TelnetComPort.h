#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zorvex {

// The client side of a telnet session with the COM-PORT option (RFC 854, 855, 856, 858,
// 2217), as pure byte logic: the network port feeds it what arrives and sends what it gives
// back. It offers BINARY, SUPPRESS-GO-AHEAD and COM-PORT-OPTION, asks the server for BINARY
// and SUPPRESS-GO-AHEAD, sets the far port to 9600 8N1 without flow control, DTR and RTS off
// once the server takes COM-PORT-OPTION, and refuses every other option. Sequences split
// across reads are kept until they are whole; the server's subnegotiations (its answers to
// the settings, line and modem state) are read past, since the link has no use for them.
class TelnetComPort {
  public:
    enum Byte : std::uint8_t {
        SE = 240,
        SB = 250,
        WILL = 251,
        WONT = 252,
        DO = 253,
        DONT = 254,
        IAC = 255,
    };
    enum Option : std::uint8_t { Binary = 0, SuppressGoAhead = 3, ComPort = 44 };
    // COM-PORT-OPTION commands from client to server.
    enum ComCommand : std::uint8_t {
        SetBaudRate = 1,
        SetDataSize = 2,
        SetParity = 3,
        SetStopSize = 4,
        SetControl = 5,
    };
    static constexpr std::uint32_t kBaudRate = 9600;

    struct Received {
        std::string data;   // the monitor's bytes, telnet commands taken out
        std::string reply;  // to send back to the server at once
    };

    // What to send first on a fresh connection: the offers and requests.
    std::string Start();
    Received Feed(std::string_view bytes);
    // Data for the wire: every IAC doubled.
    static std::string Escape(std::string_view data);
    // The COM-PORT-OPTION subnegotiations that set 9600 8N1, no flow control, DTR and RTS off.
    static std::string LineSettings();

    // Whether the server has agreed to the option for our side (WILL) or its side (DO).
    bool OursEnabled(std::uint8_t option) const { return ours_[option] == State::Yes; }
    bool TheirsEnabled(std::uint8_t option) const { return theirs_[option] == State::Yes; }

  private:
    enum class State : std::uint8_t { No, Yes, Asked };
    enum class Parse : std::uint8_t { Data, Iac, Verb, Sub, SubIac };

    void OnVerb(std::uint8_t verb, std::uint8_t option, std::string& reply);

    std::array<State, 256> ours_{};
    std::array<State, 256> theirs_{};
    Parse parse_ = Parse::Data;
    std::uint8_t verb_ = 0;
};

}  // namespace zorvex
