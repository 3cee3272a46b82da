#pragma once

#include <array>
#include <string_view>

#include "core/panels/stroke/StrokeControls.h"

// The keys under which the monitor reports the stroke parameters in its "dz" answer. Each key
// includes its "="; each value ends with ";".
namespace zorvex::stroke_keys {

inline constexpr std::string_view kTerminator = ";";

inline constexpr std::string_view kXOffsetSign = "x_offset=";
inline constexpr std::string_view kXOffsetMagnitude = "plus_minus_x=";
inline constexpr std::string_view kYOffsetSign = "y_offset=";
inline constexpr std::string_view kYOffsetMagnitude = "plus_minus_y=";
inline constexpr std::string_view kGain = "green_gain=";
inline constexpr std::string_view kXTurn = "x_flip=";
inline constexpr std::string_view kYTurn = "y_flip=";
inline constexpr std::string_view kTestPattern = "lcd_test=";
inline constexpr std::string_view kAverageOrder = "ave_order=";
inline constexpr std::string_view kResetRam = "reset_ram=";
inline constexpr std::string_view kXyShift = "xy_shift=";
inline constexpr std::string_view kLineType = "sig_line_type=";
inline constexpr std::string_view kFrameAveraging = "frame_ave=";
inline constexpr std::string_view kFilterOrder = "filter_order=";
inline constexpr std::string_view kDataGapLimit = "data_gap_limit=";
// Reported by the monitor but not used by the tool.
inline constexpr std::string_view kDividerOrder = "divider_order=";

struct KeyedText {
    std::string_view key;
    StrokeText box;
};

// The line-detection thresholds, in the order the read-out fills them.
inline constexpr std::array<KeyedText, 11> kThresholds{{
    {"hor_width=", StrokeText::Text1_0},
    {"hor_long=", StrokeText::Text1_1},
    {"ver_width=", StrokeText::Text1_2},
    {"ver_long=", StrokeText::Text1_3},
    {"small_delta=", StrokeText::Text1_4},
    {"big_delta=", StrokeText::Text1_5},
    {"frame_cnt=", StrokeText::Text1_6},
    {"short_defined_hor_width=", StrokeText::Text1_9},
    {"short_defined_hor_long=", StrokeText::Text1_10},
    {"short_defined_ver_width=", StrokeText::Text1_11},
    {"short_defined_ver_long=", StrokeText::Text1_12},
}};

// Area of interest, then target area.
inline constexpr std::array<KeyedText, 8> kAreas{{
    {"AOI_x_start=", StrokeText::Text11_0},
    {"AOI_x_end=", StrokeText::Text11_1},
    {"AOI_y_start=", StrokeText::Text11_2},
    {"AOI_y_end=", StrokeText::Text11_3},
    {"DES_x_start=", StrokeText::Text11_4},
    {"DES_x_end=", StrokeText::Text11_5},
    {"DES_y_start=", StrokeText::Text11_6},
    {"DES_y_end=", StrokeText::Text11_7},
}};

}  // namespace zorvex::stroke_keys
