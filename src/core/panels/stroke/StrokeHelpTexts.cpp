#include "core/panels/stroke/StrokeHelpTexts.h"

#include <initializer_list>

namespace zorvex {

namespace {

constexpr std::string_view kBreak = "\r\n";

std::string Lines(std::initializer_list<std::string_view> lines) {
    std::string text;
    bool first = true;
    for (auto line : lines) {
        if (!first) {
            text.append(kBreak);
        }
        text.append(line);
        first = false;
    }
    return text;
}

}  // namespace

std::string StrokeHelpText(int labelIndex) {
    switch (labelIndex) {
        case 0:
            return Lines({"Filter Order = ",
                          "The higher the number, the more accurate the pixels being displayed.",
                          "However, you may see some discontinued lines as the number goes too "
                          "high. ",
                          "", ""});
        case 1:
            return Lines(
                {"Signal Averaging = ", "The higher the number, the smoother the lines will be.",
                 "But, it will reduce the sharpness of the edges", "as the number goes too high."});
        case 2:
            return Lines({"Frame Count = ", "Write stroke values to memory every n Frame Count.",
                          "It gives more time for CPU to process data. But,",
                          "it will slow down the frame refresh rate."});
        case 3:
            return Lines({"Frame Averaging = ",
                          "Comparing the previous frame buffer to current frame buffer.",
                          "Higher number will generate better result. But,",
                          "it will slow down the frame refresh rate."});
        default:
            return {};
    }
}

std::string Form2HorizontalText() {
    return std::string(
               "if a stroke line occupy less than <H width> number of pixels in y direction ") +
           "and occupy more than <H long> number of pixels in x direction, " +
           "it will be defined as a horizontal line and the location is determined " +
           "by <small delta> and <big delta>." + "\r\n\r\n" +
           "<short H width> and <short H Long> is for smaller horizontal strokes";
}

std::string Form2VerticalText() {
    return "Same concept as <H width> and <H long>";
}

std::string Form2DeltaText() {
    return std::string(
               "Small Delta = Whenever a straight line is found, it will check if there is any "
               "previous straight line ") +
           "next to it within the range of <Small Delta>.  If there is previous straight line "
           "within " +
           "the range of <Small Delta>,  the previous straight line's constant will be used." +
           "\r\n\r\n" +
           "If previous straight line isn't found within the range of <Big Delta>, it will draw "
           "the straight line and the new location will be recorded for next straight line";
}

}  // namespace zorvex
