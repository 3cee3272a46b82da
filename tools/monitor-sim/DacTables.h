#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace zorvex::sim {

// The DAC tables of the one scan set this configuration uses: current, factory and initial
// values of the families L, B, H (slot 8 is "Horiz S Cap"), V and N, plus the families the
// tool reads and ignores (a, d, e, g, i, k).
class DacTables {
  public:
    DacTables();

    // The answer text (without echo and prompt) to "dd" + letters, e.g. "fl" for "ddfl";
    // nothing when the letters name no table.
    std::optional<std::string> Answer(std::string_view letters) const;

    enum class Kind { Current, Factory, Initial };
    static constexpr int kSlots = 10;
    // A stored value, for checks; nothing for an unknown family or slot.
    std::optional<int> Value(char family, Kind kind, int slot) const;

  private:
    struct Family {
        char letter;
        int count;  // counted slots, as the tool expects them
        std::array<std::array<int, kSlots>, 3> values{};
    };
    const Family* Find(char letter) const;
    std::string CountedList(const Family& family, Kind kind) const;
    std::string NValues(const Family& family, Kind kind, char tableLetter) const;

    std::array<Family, 11> families_;
};

}  // namespace zorvex::sim
