#include "core/panels/stroke/ApplyStrokeParameters.h"

#include <optional>

#include "core/panels/stroke/ReadKeyedValue.h"
#include "core/panels/stroke/StrokeParameterSet.h"
#include "core/support/Text.h"

namespace zorvex {

namespace {

namespace keys = stroke_keys;

class Readout {
  public:
    explicit Readout(std::string_view answer) : answer_(answer) {}
    std::string Value(std::string_view key) const {
        return ReadKeyedValue(answer_, key, keys::kTerminator);
    }

  private:
    std::string_view answer_;
};

std::optional<int> WholeNumber(const std::string& text) {
    auto value = ParseWholeNumber(text);
    if (!value || *value < -100000 || *value > 100000) {
        return std::nullopt;
    }
    return static_cast<int>(*value);
}

bool InRange(StrokeBar bar, int value) {
    const auto range = StrokeBarLimits(bar);
    return value >= range.min && value <= range.max;
}

// Sign code "1" means zero or positive; any other number means negative.
void ApplyOffset(const Readout& readout, std::string_view signKey, std::string_view magnitudeKey,
                 StrokeBar bar, StrokeParameterTarget& target) {
    const std::string sign = readout.Value(signKey);
    const std::string magnitudeText = readout.Value(magnitudeKey);
    const auto magnitude = WholeNumber(magnitudeText);
    if (!magnitude || !ParseDecimalNumber(sign)) {
        return;
    }
    const bool positive = sign == "1";
    const int value = positive ? *magnitude : -*magnitude;
    if (!InRange(bar, value)) {
        return;
    }
    target.SetBar(bar, value);
    target.SetBarLabel(bar, positive ? magnitudeText : std::to_string(value));
}

void ApplyTexts(const Readout& readout, std::span<const keys::KeyedText> texts,
                StrokeParameterTarget& target) {
    for (const auto& entry : texts) {
        target.SetText(entry.box, readout.Value(entry.key));
    }
}

// "255" stands for the option given; any other number selects the option of that index.
void ApplyOption(const Readout& readout, std::string_view key, StrokeOptionGroup group,
                 std::optional<int> indexFor255, StrokeParameterTarget& target) {
    const std::string text = readout.Value(key);
    if (indexFor255 && text == "255") {
        target.SelectOption(group, *indexFor255);
        return;
    }
    if (!indexFor255 && text == "255") {
        return;
    }
    const auto index = WholeNumber(text);
    if (index && IsStrokeOption(group, *index)) {
        target.SelectOption(group, *index);
    }
}

void ApplyResetRam(const Readout& readout, StrokeParameterTarget& target) {
    const std::string text = readout.Value(keys::kResetRam);
    if (text == "0" || text == "1" || text == "2") {
        target.SelectOption(StrokeOptionGroup::TestChannel, text[0] - '0');
    } else if (ParseDecimalNumber(text)) {
        target.SelectRawBlank();
    }
}

void ApplyXyShift(const Readout& readout, StrokeParameterTarget& target) {
    const std::string text = readout.Value(keys::kXyShift);
    if (text == "2" || text == "1") {
        target.SelectOption(StrokeOptionGroup::TestChannel, text[0] - '0');
    } else if (ParseDecimalNumber(text)) {
        target.SelectOption(StrokeOptionGroup::TestChannel, 0);
    }
}

void ApplyTurn(const Readout& readout, std::string_view key, StrokeTurn turn,
               StrokeParameterTarget& target) {
    if (const auto value = ParseDecimalNumber(readout.Value(key))) {
        target.SetTurn(turn, *value >= 1);
    }
}

void ApplyGain(const Readout& readout, StrokeParameterTarget& target) {
    const std::string text = readout.Value(keys::kGain);
    const auto value = WholeNumber(text);
    if (!value || !InRange(StrokeBar::Gain, *value)) {
        return;
    }
    target.SetBarLabel(StrokeBar::Gain, text);
    target.SetBar(StrokeBar::Gain, *value);
}

}  // namespace

void ApplyStrokeParameters(std::string_view answer, StrokeParameterTarget& target) {
    const Readout readout(answer);
    // 1
    ApplyOffset(readout, keys::kXOffsetSign, keys::kXOffsetMagnitude, StrokeBar::XOffset, target);
    // 2
    ApplyTexts(readout, keys::kThresholds, target);
    // 3: "255" leaves the average order as it is.
    ApplyOption(readout, keys::kAverageOrder, StrokeOptionGroup::AverageOrder, std::nullopt,
                target);
    // 4
    ApplyResetRam(readout, target);
    // 5
    ApplyTexts(readout, keys::kAreas, target);
    // 6
    target.SetText(StrokeText::Text1_14, readout.Value(keys::kFrameAveraging));
    target.SetText(StrokeText::Text5_0, readout.Value(keys::kFilterOrder));
    target.SetText(StrokeText::Text5_1, readout.Value(keys::kDataGapLimit));
    // 7: after step 4, so the test channel ends as "xy_shift=" says.
    ApplyXyShift(readout, target);
    // 8: "255" is "filter, gap".
    ApplyOption(readout, keys::kLineType, StrokeOptionGroup::LineType, 2, target);
    // 9
    ApplyTurn(readout, keys::kXTurn, StrokeTurn::X, target);
    ApplyTurn(readout, keys::kYTurn, StrokeTurn::Y, target);
    // 10
    ApplyGain(readout, target);
    // 11
    ApplyOffset(readout, keys::kYOffsetSign, keys::kYOffsetMagnitude, StrokeBar::YOffset, target);
    // 12: "255" is "Test Pattern".
    ApplyOption(readout, keys::kTestPattern, StrokeOptionGroup::TestPattern, 0, target);
}

}  // namespace zorvex
