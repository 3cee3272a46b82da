// An arbitrary "dz" answer through the dispatcher into the open stroke window's values: the
// controls stay within what they can show, every write is one live register command, and
// the same answer once more leaves the controls as they are, writing at most the test
// channel's two-step setting again.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "VirtualClock.h"
#include "core/link/LinkState.h"
#include "core/panels/stroke/StrokeAdjustment.h"
#include "core/protocol/ResponseDispatcher.h"
#include "core/support/CommandSink.h"
#include "core/support/Text.h"

namespace {

using namespace zorvex;
using zorvex::fuzzing::Require;

class RecordingSink : public CommandSink {
  public:
    void QueueCommand(const std::string& text) override { commands.push_back(text); }
    std::vector<std::string> commands;
};

constexpr StrokeBar Bars[] = {StrokeBar::Gain, StrokeBar::XOffset, StrokeBar::YOffset};
constexpr StrokeOptionGroup Groups[] = {StrokeOptionGroup::TestPattern,
                                        StrokeOptionGroup::TestChannel, StrokeOptionGroup::LineType,
                                        StrokeOptionGroup::AverageOrder};

struct Controls {
    std::vector<int> bars;
    std::vector<std::string> texts;
    std::vector<std::optional<int>> options;
    bool rawBlank;
    bool xTurn, yTurn;
    bool operator==(const Controls&) const = default;
};

Controls Shown(const StrokeAdjustment& stroke) {
    Controls c{{},
               {},
               {},
               stroke.RawBlankSelected(),
               stroke.Turn(StrokeTurn::X),
               stroke.Turn(StrokeTurn::Y)};
    for (StrokeBar bar : Bars) {
        c.bars.push_back(stroke.Bar(bar));
    }
    for (int box = 0; box < kStrokeTextCount; ++box) {
        c.texts.push_back(stroke.Text(static_cast<StrokeText>(box)));
    }
    for (StrokeOptionGroup group : Groups) {
        c.options.push_back(stroke.SelectedOption(group));
    }
    return c;
}

void CheckControls(const StrokeAdjustment& stroke) {
    for (StrokeBar bar : Bars) {
        const int value = stroke.Bar(bar);
        const auto range = StrokeBarLimits(bar);
        Require(value >= range.min && value <= range.max, "a scroll bar stays in its range");
        const std::string& label = stroke.BarLabel(bar);
        Require(label.empty() || ParseWholeNumber(label) == value,
                "a bar's label shows the bar's value, not \"" + label + "\"");
    }
    for (StrokeOptionGroup group : Groups) {
        const auto index = stroke.SelectedOption(group);
        Require(!index || IsStrokeOption(group, *index), "an option the window has is selected");
    }
}

void CheckCommands(const std::vector<std::string>& commands) {
    for (const std::string& command : commands) {
        Require(command.size() > 5 && command.compare(0, 3, "TYW") == 0,
                "a read-out writes live registers only, not \"" + command + "\"");
        Require(command.find_first_of("\r\n") == command.size() - 2 &&
                    command.compare(command.size() - 2, 2, "\r\n") == 0,
                "a command is one line ended by CR LF, not \"" + command + "\"");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The block as the framing delivers it: the echo, the answer (which cannot hold a
    // prompt character) and the prompt.
    std::string block = "dz\r\n";
    for (std::size_t i = 0; i < size; ++i) {
        const char c = static_cast<char>(data[i]);
        if (c != '#' && c != '$' && c != '!') {
            block += c;
        }
    }
    block += '#';

    testing::VirtualClock clock;
    RecordingSink sink;
    LinkState link;
    StrokeAdjustment stroke(sink, clock, link);
    ResponseDispatcher dispatcher;
    dispatcher.Register(ReplyHandlerId::StrokeParameters,
                        [&stroke](std::string_view rest) { stroke.ApplyReadout(rest); });
    stroke.Open();  // the technician opened the window: it asks with "dz"
    sink.commands.clear();

    dispatcher.Dispatch(block);
    CheckControls(stroke);
    CheckCommands(sink.commands);
    const Controls first = Shown(stroke);

    sink.commands.clear();
    dispatcher.Dispatch(block);
    CheckControls(stroke);
    Require(Shown(stroke) == first, "the same answer twice leaves the controls as the first");
    for (const std::string& command : sink.commands) {
        Require(command.compare(0, 6, "TYW0DA") == 0,
                "the same answer again writes only the test channel, not \"" + command + "\"");
    }
    return 0;
}
