#pragma once

#include "core/panels/stroke/RegisterCommands.h"

// The display registers the stroke window reaches, each written in the case it is sent.
// Several controls share one register; they are named here by what the register holds.
namespace zorvex::stroke_registers {

using B = RegisterBank;

// Bank A, upper-case letter.
inline constexpr Register kXOffsetSign{"00", B::A};
inline constexpr Register kYOffsetSign{"01", B::A};
inline constexpr Register kFilterOrder{"02", B::A};
inline constexpr Register kSignalAveraging{"03", B::A};
inline constexpr Register kHWidth{"04", B::A};  // also the average order
inline constexpr Register kHLong{"05", B::A};
inline constexpr Register kVWidth{"06", B::A};
inline constexpr Register kVLong{"07", B::A};
inline constexpr Register kDcmReset{"08", B::A};
inline constexpr Register kSmallDelta{"0A", B::A};
inline constexpr Register kFrameAveraging{"0B", B::A};
inline constexpr Register kBigDelta{"0D", B::A};  // also the test channel
inline constexpr Register kFrameCount{"0E", B::A};
inline constexpr Register kBright1{"0F", B::A};
inline constexpr Register kBright2{"10", B::A};
inline constexpr Register kShortHWidth{"11", B::A};
inline constexpr Register kShortHLong{"12", B::A};
inline constexpr Register kShortVWidth{"13", B::A};
inline constexpr Register kShortVLong{"14", B::A};
inline constexpr Register kLineType{"18", B::A};
inline constexpr Register kTestPattern{"19", B::A};
inline constexpr Register kGainSign{"1D", B::A};
inline constexpr Register kPhaseShiftX{"23", B::A};
inline constexpr Register kPhaseShiftY{"24", B::A};
inline constexpr Register kGain{"2E", B::A};

// Bank a, lower-case letter: the memory-access registers and the turns.
inline constexpr Register kReadStrobe{"20", B::LowerA};
inline constexpr Register kWriteStrobe{"21", B::LowerA};
inline constexpr Register kCframeControl{"22", B::LowerA};
inline constexpr Register kExtMemAccess{"23", B::LowerA};
inline constexpr Register kDataLow{"27", B::LowerA};
inline constexpr Register kDataHigh{"28", B::LowerA};
inline constexpr Register kXTurn{"2b", B::LowerA};
inline constexpr Register kYTurn{"2c", B::LowerA};

// Bank B, upper-case letter.
inline constexpr Register kEngineering32{"32", B::B};
inline constexpr Register kEngineering33{"33", B::B};
inline constexpr Register kAoiXStart{"34", B::B};
inline constexpr Register kAoiXEnd{"35", B::B};
inline constexpr Register kAoiYStart{"36", B::B};  // also "set H line"
inline constexpr Register kAoiYEnd{"37", B::B};
inline constexpr Register kXOffsetMagnitude{"39", B::B};
inline constexpr Register kYOffsetMagnitude{"3A", B::B};
inline constexpr Register kTargetXStart{"3D", B::B};
inline constexpr Register kTargetXEnd{"3E", B::B};
inline constexpr Register kTargetYStart{"3F", B::B};
inline constexpr Register kTargetYEnd{"40", B::B};
inline constexpr Register kUnblankOffLimit{"44", B::B};
inline constexpr Register kUnblankOnLimit{"45", B::B};  // also the first constant input
inline constexpr Register kResultConstant{"46", B::B};
inline constexpr Register kInconstantData{"4D", B::B};
inline constexpr Register kNextDataSet{"53", B::B};
inline constexpr Register kFindAddrHigh{"54", B::B};
inline constexpr Register kFindAddrLow{"55", B::B};
inline constexpr Register kFindData{"56", B::B};
inline constexpr Register kConstantInput2{"57", B::B};
inline constexpr Register kRamHAddrRead1{"58", B::B};
inline constexpr Register kRamHAddrRead2{"59", B::B};
inline constexpr Register kRamHDataRead1{"5A", B::B};
inline constexpr Register kRamHDataRead2{"5B", B::B};
inline constexpr Register kRamHAddrStrobe{"5C", B::B};
inline constexpr Register kRamHDataStrobe{"5D", B::B};
inline constexpr Register kRamHAddr{"5E", B::B};
inline constexpr Register kRamHData{"5F", B::B};

// Bank b, lower-case letter.
inline constexpr Register kReadAddrLow{"32", B::LowerB};
inline constexpr Register kReadAddrHigh{"33", B::LowerB};
inline constexpr Register kWriteAddrLow{"34", B::LowerB};
inline constexpr Register kWriteAddrHigh{"35", B::LowerB};
inline constexpr Register kEngineeringRefresh{"67", B::LowerB};

// The DCM read-outs, bank A, 00 to 07.
inline constexpr Register kDcm[8] = {{"00", B::A}, {"01", B::A}, {"02", B::A}, {"03", B::A},
                                     {"04", B::A}, {"05", B::A}, {"06", B::A}, {"07", B::A}};

}  // namespace zorvex::stroke_registers

// The permanent stores, numbered as the live register of the same parameter; the turn stores
// go out in upper case.
namespace zorvex::stroke_stores {

inline constexpr SavedParameter kXOffsetSign{"00"};
inline constexpr SavedParameter kYOffsetSign{"01"};
inline constexpr SavedParameter kFilterOrder{"02"};
inline constexpr SavedParameter kSignalAveraging{"03"};
inline constexpr SavedParameter kHWidth{"04"};  // also the average order
inline constexpr SavedParameter kHLong{"05"};
inline constexpr SavedParameter kVWidth{"06"};
inline constexpr SavedParameter kVLong{"07"};
inline constexpr SavedParameter kSmallDelta{"0A"};
inline constexpr SavedParameter kFrameAveraging{"0B"};
inline constexpr SavedParameter kBigDelta{"0D"};  // also the test channel
inline constexpr SavedParameter kFrameCount{"0E"};
inline constexpr SavedParameter kShortHWidth{"11"};
inline constexpr SavedParameter kShortHLong{"12"};
inline constexpr SavedParameter kShortVWidth{"13"};
inline constexpr SavedParameter kShortVLong{"14"};
inline constexpr SavedParameter kLineType{"18"};
inline constexpr SavedParameter kTestPattern{"19"};
inline constexpr SavedParameter kGainSign{"1D"};
inline constexpr SavedParameter kXTurn{"2B"};
inline constexpr SavedParameter kYTurn{"2C"};
inline constexpr SavedParameter kGain{"2E"};
inline constexpr SavedParameter kAoiXStart{"34"};
inline constexpr SavedParameter kAoiXEnd{"35"};
inline constexpr SavedParameter kAoiYStart{"36"};
inline constexpr SavedParameter kAoiYEnd{"37"};
inline constexpr SavedParameter kXOffsetMagnitude{"39"};
inline constexpr SavedParameter kYOffsetMagnitude{"3A"};
inline constexpr SavedParameter kTargetXStart{"3D"};
inline constexpr SavedParameter kTargetXEnd{"3E"};
inline constexpr SavedParameter kTargetYStart{"3F"};
inline constexpr SavedParameter kTargetYEnd{"40"};

}  // namespace zorvex::stroke_stores
