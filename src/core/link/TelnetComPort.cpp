#include "core/link/TelnetComPort.h"

namespace zorvex {

namespace {
constexpr std::uint8_t kParityNone = 1;
constexpr std::uint8_t kOneStopBit = 1;
constexpr std::uint8_t kNoFlowControl = 1;
constexpr std::uint8_t kDtrOff = 9;
constexpr std::uint8_t kRtsOff = 12;

void Put(std::string& out, std::initializer_list<std::uint8_t> bytes) {
    for (std::uint8_t b : bytes) {
        out.push_back(static_cast<char>(b));
    }
}

bool WeOffer(std::uint8_t option) {
    return option == TelnetComPort::Binary || option == TelnetComPort::SuppressGoAhead ||
           option == TelnetComPort::ComPort;
}

bool WeAccept(std::uint8_t option) {
    return option == TelnetComPort::Binary || option == TelnetComPort::SuppressGoAhead;
}

// One COM-PORT-OPTION command with its value, the value's IAC bytes doubled.
void PutComCommand(std::string& out, std::uint8_t command, std::string_view value) {
    Put(out, {TelnetComPort::IAC, TelnetComPort::SB, TelnetComPort::ComPort, command});
    out += TelnetComPort::Escape(value);
    Put(out, {TelnetComPort::IAC, TelnetComPort::SE});
}

std::string OneByte(std::uint8_t b) {
    return std::string(1, static_cast<char>(b));
}
}  // namespace

std::string TelnetComPort::Start() {
    std::string out;
    for (std::uint8_t option : {Binary, SuppressGoAhead, ComPort}) {
        ours_[option] = State::Asked;
        Put(out, {IAC, WILL, option});
    }
    for (std::uint8_t option : {Binary, SuppressGoAhead}) {
        theirs_[option] = State::Asked;
        Put(out, {IAC, DO, option});
    }
    return out;
}

std::string TelnetComPort::Escape(std::string_view data) {
    std::string out;
    out.reserve(data.size());
    for (char c : data) {
        out.push_back(c);
        if (static_cast<std::uint8_t>(c) == IAC) {
            out.push_back(c);
        }
    }
    return out;
}

std::string TelnetComPort::LineSettings() {
    std::string out;
    const std::string baud{static_cast<char>(kBaudRate >> 24), static_cast<char>(kBaudRate >> 16),
                           static_cast<char>(kBaudRate >> 8), static_cast<char>(kBaudRate)};
    PutComCommand(out, SetBaudRate, baud);
    PutComCommand(out, SetDataSize, OneByte(8));
    PutComCommand(out, SetParity, OneByte(kParityNone));
    PutComCommand(out, SetStopSize, OneByte(kOneStopBit));
    PutComCommand(out, SetControl, OneByte(kNoFlowControl));
    PutComCommand(out, SetControl, OneByte(kDtrOff));
    PutComCommand(out, SetControl, OneByte(kRtsOff));
    return out;
}

TelnetComPort::Received TelnetComPort::Feed(std::string_view bytes) {
    Received out;
    for (char c : bytes) {
        const auto b = static_cast<std::uint8_t>(c);
        switch (parse_) {
            case Parse::Data:
                if (b == IAC) {
                    parse_ = Parse::Iac;
                } else {
                    out.data.push_back(c);
                }
                break;
            case Parse::Iac:
                if (b == IAC) {
                    out.data.push_back(c);  // a doubled IAC is one data byte
                    parse_ = Parse::Data;
                } else if (b >= WILL) {
                    verb_ = b;
                    parse_ = Parse::Verb;
                } else {
                    // SB starts a subnegotiation; NOP, GA, AYT and the like carry nothing.
                    parse_ = b == SB ? Parse::Sub : Parse::Data;
                }
                break;
            case Parse::Verb:
                OnVerb(verb_, b, out.reply);
                parse_ = Parse::Data;
                break;
            case Parse::Sub:
                if (b == IAC) {
                    parse_ = Parse::SubIac;
                }
                break;
            case Parse::SubIac:
                // IAC IAC is a value byte; IAC SE ends it, and so does any other command,
                // which a server that forgot its SE then gets read as.
                if (b == IAC) {
                    parse_ = Parse::Sub;
                } else if (b == SE) {
                    parse_ = Parse::Data;
                } else {
                    parse_ = Parse::Iac;
                    Received rest = Feed(std::string_view(&c, 1));
                    out.data += rest.data;
                    out.reply += rest.reply;
                }
                break;
        }
    }
    return out;
}

// Each side of each option is No, Yes, or Asked (our request not yet answered). An answer to
// our own request gets no reply, and a request for what already holds gets none either, so
// the two ends never loop (RFC 854's rule, kept as in RFC 1143).
void TelnetComPort::OnVerb(std::uint8_t verb, std::uint8_t option, std::string& reply) {
    const bool enable = verb == WILL || verb == DO;
    const bool aboutUs = verb == DO || verb == DONT;
    State& state = aboutUs ? ours_[option] : theirs_[option];
    const bool supported = aboutUs ? WeOffer(option) : WeAccept(option);
    const std::uint8_t yes = aboutUs ? WILL : DO;
    const std::uint8_t no = aboutUs ? WONT : DONT;
    if (enable) {
        if (state == State::Yes) {
            return;
        }
        if (state == State::No) {
            if (!supported) {
                Put(reply, {IAC, no, option});
                return;
            }
            Put(reply, {IAC, yes, option});
        }
        state = State::Yes;
        if (aboutUs && option == ComPort) {
            reply += LineSettings();
        }
        return;
    }
    if (state == State::Yes) {
        Put(reply, {IAC, no, option});
    }
    state = State::No;
}

}  // namespace zorvex
