#pragma once

namespace zorvex::peek_poke_texts {

// frmPeekPoke's own words, exactly as the tool has always shown them.
inline constexpr const char* Caption = "Peek & Poke";
inline constexpr const char* AddressLabel = "Address (Hex)";
inline constexpr const char* AddressInitial = "0x";
inline constexpr const char* SetAddress = "Set Address";
inline constexpr const char* SetAddressTip = "Load the PeekPoke Address Register";
inline constexpr const char* DataByteLabel = "Data Byte (Hex)";
inline constexpr const char* DataByteInitial = "0xXX";
inline constexpr const char* DataWordLabel = "Data Word (Hex)";
inline constexpr const char* DataWordInitial = "0xXXXX";
inline constexpr const char* DataCharLabel = "Data Char";
inline constexpr const char* Read = "Read";
inline constexpr const char* Write = "Write";
inline constexpr const char* Ok = "OK";
inline constexpr const char* OkTip = "Dismiss Thi Window";

}  // namespace zorvex::peek_poke_texts
