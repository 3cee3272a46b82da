#include "core/panels/stroke/StrokeAdjustment.h"

#include <cstdlib>

#include "core/link/LinkState.h"
#include "core/panels/stroke/StrokeRegisters.h"
#include "core/support/CommandSink.h"
#include "core/support/Timer.h"

namespace zorvex {

namespace {

namespace reg = stroke_registers;

constexpr std::string_view kReadoutRequest = "dz";

int Slot(StrokeBar bar) {
    return static_cast<int>(bar);
}
int Slot(StrokeOptionGroup group) {
    return static_cast<int>(group);
}
int Slot(StrokeText box) {
    return static_cast<int>(box);
}
int Slot(StrokeTurn turn) {
    return static_cast<int>(turn);
}

// The boxes whose every edit is written live at once, and the register each writes.
std::optional<Register> LiveRegisterOf(StrokeText box) {
    switch (box) {
        case StrokeText::Text1_0:
            return reg::kHWidth;
        case StrokeText::Text1_1:
            return reg::kHLong;
        case StrokeText::Text1_2:
            return reg::kVWidth;
        case StrokeText::Text1_3:
            return reg::kVLong;
        case StrokeText::Text1_4:
            return reg::kSmallDelta;
        case StrokeText::Text1_5:
            return reg::kBigDelta;
        case StrokeText::Text1_6:
            return reg::kFrameCount;
        case StrokeText::Text1_9:
            return reg::kShortHWidth;
        case StrokeText::Text1_10:
            return reg::kShortHLong;
        case StrokeText::Text1_11:
            return reg::kShortVWidth;
        case StrokeText::Text1_12:
            return reg::kShortVLong;
        case StrokeText::Text1_13:
            return reg::kSignalAveraging;
        case StrokeText::Text1_14:
            return reg::kFrameAveraging;
        case StrokeText::TxtFilterOrder:
            return reg::kFilterOrder;
        default:
            return std::nullopt;
    }
}

}  // namespace

StrokeAdjustment::StrokeAdjustment(CommandSink& sink, TimerFactory& timers, const LinkState& link)
    : sink_(sink), link_(link), values_(InitialValues()) {
    // The one dump timer of the window, for its whole life: starting the dump again restarts
    // this timer rather than adding another beside it.
    dumpTimer_ = timers.CreateTimer([this] {
        if (!open_) {
            dumpTimer_->Stop();
            return;
        }
        ReadNextDumpWord();
    });
}

StrokeAdjustment::~StrokeAdjustment() = default;

StrokeAdjustment::Values StrokeAdjustment::InitialValues() {
    Values values;
    for (int i = 0; i < kStrokeTextCount; ++i) {
        values.texts[i] = std::string(StrokeTextInitial(static_cast<StrokeText>(i)));
    }
    return values;
}

void StrokeAdjustment::Send(const std::string& command) {
    sink_.QueueCommand(command + "\r\n");
}

void StrokeAdjustment::Changed() {
    if (view_ != nullptr) {
        view_->ShowStrokeValues();
    }
}

void StrokeAdjustment::Open() {
    if (open_) {
        return;
    }
    open_ = true;
    values_ = InitialValues();
    Changed();
    Send(std::string(kReadoutRequest));
}

void StrokeAdjustment::Close() {
    if (!open_) {
        return;
    }
    dumpTimer_->Stop();
    open_ = false;
    values_ = InitialValues();
    Changed();
}

void StrokeAdjustment::ApplyReadout(std::string_view answer) {
    if (!open_) {
        return;
    }
    ApplyStrokeParameters(answer, *this);
}

void StrokeAdjustment::SetBar(StrokeBar bar, int value) {
    const auto range = StrokeBarLimits(bar);
    if (!open_ || value < range.min || value > range.max || values_.bars[Slot(bar)] == value) {
        return;
    }
    values_.bars[Slot(bar)] = value;
    BarChanged(bar);
    Changed();
}

void StrokeAdjustment::BarChanged(StrokeBar bar) {
    const int value = values_.bars[Slot(bar)];
    values_.barLabels[Slot(bar)] = std::to_string(value);
    if (bar == StrokeBar::Gain) {
        Send(RegisterWrite(reg::kGainSign, 0));
        Send(RegisterWrite(reg::kGain, value));
        return;
    }
    const bool x = bar == StrokeBar::XOffset;
    Send(RegisterWrite(x ? reg::kXOffsetSign : reg::kYOffsetSign, OffsetSignCode(value)));
    Send(RegisterWrite(x ? reg::kXOffsetMagnitude : reg::kYOffsetMagnitude, std::abs(value)));
}

void StrokeAdjustment::SetBarLabel(StrokeBar bar, const std::string& text) {
    if (!open_ || values_.barLabels[Slot(bar)] == text) {
        return;
    }
    values_.barLabels[Slot(bar)] = text;
    Changed();
}

void StrokeAdjustment::SetText(StrokeText box, const std::string& text) {
    if (!open_ || box == StrokeText::Count || values_.texts[Slot(box)] == text) {
        return;
    }
    values_.texts[Slot(box)] = text;
    values_.invalid[Slot(box)] = !Writable(box);
    TextChanged(box);
    Changed();
}

void StrokeAdjustment::TextChanged(StrokeText box) {
    // Every keystroke writes, so a half-typed or emptied box must write nothing at all.
    const auto live = LiveRegisterOf(box);
    const auto value = Writable(box);
    if (live && value) {
        Send(RegisterWrite(*live, *value));
    }
}

std::optional<std::string> StrokeAdjustment::Writable(StrokeText box) const {
    const std::string& text = V(box);
    const auto range = StrokeTextLimits(box);
    if (!range) {
        return text;
    }
    if (text.empty() || text.size() > 3 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    const int value = std::stoi(text);
    if (value < range->min || value > range->max) {
        return std::nullopt;
    }
    return std::to_string(value);
}

void StrokeAdjustment::SelectOption(StrokeOptionGroup group, int index) {
    if (!open_ || !IsStrokeOption(group, index) || values_.options[Slot(group)] == index) {
        return;
    }
    values_.options[Slot(group)] = index;
    OptionChanged(group, index);
    Changed();
}

void StrokeAdjustment::OptionChanged(StrokeOptionGroup group, int index) {
    switch (group) {
        case StrokeOptionGroup::TestPattern:
            Send(RegisterWrite(reg::kTestPattern, index));
            break;
        case StrokeOptionGroup::TestChannel:
            Send(RegisterWrite(reg::kBigDelta, index));
            break;
        case StrokeOptionGroup::LineType:
            Send(RegisterWrite(reg::kLineType, index));
            break;
        case StrokeOptionGroup::AverageOrder:
            Send(RegisterWrite(reg::kHWidth, index));
            break;
    }
}

void StrokeAdjustment::SelectRawBlank() {
    // "raw + blank" is the only option of its group: once chosen it stays chosen.
    if (!open_ || values_.rawBlank) {
        return;
    }
    values_.rawBlank = true;
    Send(RegisterWrite(reg::kSignalAveraging, 0));
    Changed();
}

void StrokeAdjustment::SetTurn(StrokeTurn turn, bool checked) {
    if (!open_ || values_.turns[Slot(turn)] == checked) {
        return;
    }
    values_.turns[Slot(turn)] = checked;
    Send(RegisterWrite(turn == StrokeTurn::X ? reg::kXTurn : reg::kYTurn, checked ? 1 : 0));
    Changed();
}

int StrokeAdjustment::Bar(StrokeBar bar) const {
    return values_.bars[Slot(bar)];
}

const std::string& StrokeAdjustment::BarLabel(StrokeBar bar) const {
    return values_.barLabels[Slot(bar)];
}

const std::string& StrokeAdjustment::Text(StrokeText box) const {
    return values_.texts.at(Slot(box));
}

bool StrokeAdjustment::TextInvalid(StrokeText box) const {
    return values_.invalid.at(Slot(box));
}

std::optional<int> StrokeAdjustment::SelectedOption(StrokeOptionGroup group) const {
    return values_.options[Slot(group)];
}

bool StrokeAdjustment::Turn(StrokeTurn turn) const {
    return values_.turns[Slot(turn)];
}

bool StrokeAdjustment::DumpRunning() const {
    return dumpTimer_->IsActive();
}

}  // namespace zorvex
