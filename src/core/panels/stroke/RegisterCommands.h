#pragma once

#include <string>
#include <string_view>

namespace zorvex {

// The bank letter that follows a register number. The case is part of the command: the
// monitor takes "TYW23a" and "TYW23A" as two different registers, so each letter is kept
// exactly as the register is addressed.
enum class RegisterBank : char {
    A = 'A',
    B = 'B',
    LowerA = 'a',
    LowerB = 'b',
};

// One display register as the tool addresses it: two hexadecimal digits in the case they are
// sent ("0B", "2b") and the bank letter.
struct Register {
    std::string_view number;
    RegisterBank bank;
};

// A permanent store of one parameter: the number of the live register holding it, with no
// bank letter ("2B" stores what "2b" of bank a writes live).
struct SavedParameter {
    std::string_view number;
};

// "TYW" + number + bank + value, the value right after the bank letter.
std::string RegisterWrite(Register reg, std::string_view value);
// Values the tool formats itself: decimal, no blanks, no leading zeros.
std::string RegisterWrite(Register reg, int value);
// "TYR" + number + bank.
std::string RegisterRead(Register reg);
// "TGW" + number + value.
std::string SavedParameterWrite(SavedParameter parameter, std::string_view value);
std::string SavedParameterWrite(SavedParameter parameter, int value);

}  // namespace zorvex
