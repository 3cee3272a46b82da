#include "core/panels/diagnostics/PeekPoke.h"

#include <cctype>

#include "core/protocol/ReplyReaders.h"

namespace zorvex {

namespace {

constexpr std::string_view AddressMarker = "Addr = 0x";
constexpr std::string_view ValueMarker = ":= 0x";
constexpr char CharQuote = '\'';

}  // namespace

void PeekPokeCommands::Send(std::string_view command, std::string_view argument) {
    std::string line(command);
    line += argument;
    line += "\r\n";
    sink_.QueueCommand(line);
}

void PeekPokeCommands::SetAddress(std::string_view addressBox) {
    Send("a", addressBox);
}
void PeekPokeCommands::AddressUp() {
    Send("a+");
}
void PeekPokeCommands::AddressDown() {
    Send("a-");
}
void PeekPokeCommands::ReadByte() {
    Send("rb");
}
void PeekPokeCommands::ReadWord() {
    Send("rw");
}
void PeekPokeCommands::ReadChar() {
    Send("rc");
}
void PeekPokeCommands::WriteByte(std::string_view dataByteBox) {
    Send("wb", dataByteBox);
}
void PeekPokeCommands::WriteWord(std::string_view dataWordBox) {
    Send("ww", dataWordBox);
}

std::optional<std::string> HexAfterMarker(std::string_view text, std::string_view marker) {
    const auto at = text.find(marker);
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    std::string result = "0x";
    for (std::string_view rest = text.substr(at + marker.size()); IsHexDigit(rest);
         rest.remove_prefix(1)) {
        result += static_cast<char>(std::toupper(static_cast<unsigned char>(rest.front())));
    }
    return result;
}

void PeekPokeReplies::Register(ResponseDispatcher& dispatcher) {
    dispatcher.Register(ReplyHandlerId::MemoryAddress,
                        [this](std::string_view text) { HandleAddressReply(text); });
    dispatcher.Register(ReplyHandlerId::MemoryRead,
                        [this](std::string_view text) { HandleReadReply(text); });
}

void PeekPokeReplies::HandleAddressReply(std::string_view text) {
    if (auto address = HexAfterMarker(text, AddressMarker)) {
        boxes_.SetAddressBox(*address);
    }
}

void PeekPokeReplies::HandleReadReply(std::string_view text) {
    if (text.empty()) {
        return;
    }
    const char kind = static_cast<char>(std::toupper(static_cast<unsigned char>(text.front())));
    if (kind == 'C') {
        // The character stands between two quotes; without a quote the first character of
        // the text is taken, and a quote at the very end leaves nothing to show.
        const auto quote = text.find(CharQuote);
        const std::size_t at = quote == std::string_view::npos ? 0 : quote + 1;
        boxes_.SetDataCharBox(std::string(text.substr(at, 1)));
        return;
    }
    std::optional<std::string> value = HexAfterMarker(text, ValueMarker);
    if (!value) {
        return;
    }
    if (kind == 'B') {
        boxes_.SetDataByteBox(*value);
    } else if (kind == 'W') {
        boxes_.SetDataWordBox(*value);
    }
}

}  // namespace zorvex
