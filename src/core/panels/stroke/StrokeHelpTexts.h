#pragma once

#include <string>
#include <string_view>

namespace zorvex {

// The texts of the help labels Label12(0) to Label12(3) ("?"), shown in a message box.
// Nothing for other indexes (Label12(4) opens the explaining window instead).
std::string StrokeHelpText(int labelIndex);

// The explaining window of the line-detection parameters.
inline constexpr std::string_view kForm2Caption = "H width, H long explains";
std::string Form2HorizontalText();
std::string Form2VerticalText();
std::string Form2DeltaText();

}  // namespace zorvex
