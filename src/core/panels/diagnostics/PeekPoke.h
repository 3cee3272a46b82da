#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/protocol/ResponseDispatcher.h"
#include "core/support/CommandSink.h"

namespace zorvex {

// The four boxes of frmPeekPoke that answers fill. The window implements it; filling a box
// of a window that does not exist yet creates it hidden.
class PeekPokeBoxes {
  public:
    virtual ~PeekPokeBoxes() = default;
    virtual void SetAddressBox(const std::string& text) = 0;
    virtual void SetDataByteBox(const std::string& text) = 0;
    virtual void SetDataWordBox(const std::string& text) = 0;
    virtual void SetDataCharBox(const std::string& text) = 0;
};

// What each button of frmPeekPoke sends. The box texts go out exactly as typed: the
// controller is the one that judges them.
class PeekPokeCommands {
  public:
    explicit PeekPokeCommands(CommandSink& sink) : sink_(sink) {}
    void SetAddress(std::string_view addressBox);  // "a" + box
    void AddressUp();                              // "a+"
    void AddressDown();                            // "a-"
    void ReadByte();                               // "rb"
    void ReadWord();                               // "rw"
    void ReadChar();                               // "rc"
    void WriteByte(std::string_view dataByteBox);  // "wb" + box
    void WriteWord(std::string_view dataWordBox);  // "ww" + box

  private:
    void Send(std::string_view command, std::string_view argument = {});
    CommandSink& sink_;
};

// "0x" + the hexadecimal digits right after the first marker in text, in upper case
// ("0x" alone when no digit follows); nothing when the marker is absent.
std::optional<std::string> HexAfterMarker(std::string_view text, std::string_view marker);

// The answers to the address and read commands, reached through the dispatcher's "A" and
// "R" letters. They change only the boxes.
class PeekPokeReplies {
  public:
    explicit PeekPokeReplies(PeekPokeBoxes& boxes) : boxes_(boxes) {}
    void Register(ResponseDispatcher& dispatcher);

    void HandleAddressReply(std::string_view text);  // text after the "a"
    void HandleReadReply(std::string_view text);     // text after the "r": "b...", "w...", "c..."

  private:
    PeekPokeBoxes& boxes_;
};

}  // namespace zorvex
