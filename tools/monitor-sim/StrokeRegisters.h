#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace zorvex::sim {

class Memory;

// The stroke processor: a live register file written by "TYW" and read by "TYR", and the
// parameter set stored permanently by "TGW", from which "dz" reports.
class StrokeRegisters {
  public:
    explicit StrokeRegisters(Memory& memory);

    // Answers without echo and prompt. `args` is what follows the three family letters.
    std::string LiveWrite(std::string_view args);
    std::string LiveRead(std::string_view args) const;
    std::string Store(std::string_view args);
    // The read-out: "key=value;" items for every key the tool reads. Some monitors list the
    // short items ("short_defined_hor_width=" ...) before the plain ones.
    std::string ParameterReadout() const;
    void SetShortItemsFirst(bool first) { shortItemsFirst_ = first; }

    // Live registers are kept by number and bank exactly as sent: "23a" and "23A" differ.
    std::optional<int> Live(const std::string& numberAndBank) const;
    // Stored parameters by register number in upper case ("2E", "2B").
    std::optional<int> Stored(const std::string& number) const;

  private:
    void AfterLiveWrite(const std::string& key, int value);
    int StoredOr(const char* number, int fallback) const;

    Memory& memory_;
    std::map<std::string, int> live_;
    std::map<std::string, int> stored_;
    bool shortItemsFirst_ = false;
};

}  // namespace zorvex::sim
