#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zorvex::sim {

// The controller's memory as peek and poke see it: 64 KiB and one address register.
// Words are stored high byte first.
class Memory {
  public:
    Memory();

    // Answers (without echo and prompt) to "a" + text, "a+", "a-", "rb", "rw", "rc", "wb" +
    // text, "ww" + text. A value that is not a number gives an error line and changes nothing.
    std::string SetAddress(std::string_view text);
    std::string StepAddress(int delta);
    std::string ReadByte() const;
    std::string ReadWord() const;
    std::string ReadChar() const;
    std::string WriteByte(std::string_view text);
    std::string WriteWord(std::string_view text);

    uint16_t Address() const { return address_; }
    uint8_t Byte(uint16_t at) const { return bytes_[at]; }
    void SetByte(uint16_t at, uint8_t value) { bytes_[at] = value; }

    // A typed number: "0x" + hex digits, or hex digits alone (the boxes are labelled hex).
    static std::optional<unsigned long> ParseHex(std::string_view text);

  private:
    std::array<uint8_t, 65536> bytes_{};
    uint16_t address_ = 0;
};

}  // namespace zorvex::sim
