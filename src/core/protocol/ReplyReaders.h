#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zorvex {

// The shared readers every response handler takes numbers and fields out of a reply with.
// Each takes a text and returns a value, without side effects.

// The text without its leading run of CR, blank, LF and TAB characters.
std::string_view SkipLeadingBlanks(std::string_view text);

// Whether the first character is a digit of the base ("0"-"9", "0"-"7", either case of hex).
bool IsDecimalDigit(std::string_view text);
bool IsOctalDigit(std::string_view text);
bool IsHexDigit(std::string_view text);

// The whole decimal number at the start (leading blanks and blanks after a "-" skipped).
// Nothing when there is no number or it does not fit 32 bits; ReadDecimal gives -1 then.
std::optional<int32_t> TryReadDecimal(std::string_view text);
int32_t ReadDecimal(std::string_view text);

// The whole decimal, octal ("0" + digits) or hexadecimal ("0x" + digits) number at the very
// start, no blanks skipped; nothing (ReadCNumber: -1) as for TryReadDecimal.
std::optional<int32_t> TryReadCNumber(std::string_view text);
int32_t ReadCNumber(std::string_view text);

// The text after the first ",", or the whole text when there is none.
std::string_view AfterComma(std::string_view text);
// The text after the first LF, or the whole text when there is none.
std::string_view AfterLineBreak(std::string_view text);

// The version of an answer such as "V 2.05\r\n#": the text from two characters after the
// first capital "V", cut back to its last decimal digit ("2.05"). Nothing when there is no
// "V" or no digit is left.
std::optional<std::string> ReadVersionText(std::string_view text);

// A version text such as "2.05" as hundredths, rounded as the monitor family numbers are
// (version x 100 + 0.4, rounded down): 2.05 -> 205, 1.39 -> 139. Computed on the decimal
// digits themselves, so no binary fraction can tip the result. Nothing for a text that is
// not a plain decimal number (such as "2.0.5") or that exceeds 32767.
std::optional<int16_t> VersionHundredths(std::string_view version);

// An identification answer "Model Number = 1234-5\r\n#": the label is taken to stand at the
// start, the answer's last two characters (normally the prompt and what precedes it) are
// cut, and so is any line end left at its end. Nothing when the label is absent anywhere
// in the text or the text is too short to hold a value.
std::optional<std::string> ReadIdentificationValue(std::string_view text, std::string_view label);

// A limit or control answer "Upper Limit = 27.9\r\n": the number right after the label,
// blanks, TABs and LFs skipped wherever they occur in it, rounded down to a whole number.
struct LabelledLimit {
    bool found = false;  // the label is in the text and a number follows it
    bool fits = true;    // the rounded number lies within the 16-bit range
    int16_t value = 0;   // 0 when not found or it does not fit
};
LabelledLimit ReadLimitValue(std::string_view text, std::string_view label);
// The second value of a pair: the number after the first ", " at or after the label.
LabelledLimit ReadSecondLimitValue(std::string_view text, std::string_view label);

}  // namespace zorvex
