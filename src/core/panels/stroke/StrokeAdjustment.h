#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/panels/stroke/ApplyStrokeParameters.h"
#include "core/panels/stroke/StrokeControls.h"

namespace zorvex {

class CommandSink;
class Timer;
class TimerFactory;
class StrokeLogWindow;
struct LinkState;

// The stroke window tells its widgets to show the core's values again.
class StrokeView {
  public:
    virtual ~StrokeView() = default;
    virtual void ShowStrokeValues() = 0;
};

// What a button asks the window to tell the user.
enum class StrokeNotice {
    None,
    EnableAutoPingFirst,  // "Load Saved Data" while keep-alive pings are off
};

// The monitor holds an offset as a sign code (1 for zero or above, 2 below) and a magnitude.
inline constexpr int OffsetSignCode(int offset) {
    return offset < 0 ? 2 : 1;
}

inline constexpr std::string_view kEnableAutoPingFirstText = "You have to Enable AutoPing first.";

// The stroke adjustment window's values and decisions. Every change of a control, whether the
// user made it or the read-out did, goes through here and sends its live writes once; a change
// to the value a control already has sends nothing. The widgets only mirror these values.
class StrokeAdjustment : public StrokeParameterTarget {
  public:
    static constexpr int kDumpIntervalMs = 2000;

    StrokeAdjustment(CommandSink& sink, TimerFactory& timers, const LinkState& link);
    ~StrokeAdjustment() override;
    StrokeAdjustment(const StrokeAdjustment&) = delete;
    StrokeAdjustment& operator=(const StrokeAdjustment&) = delete;

    void SetView(StrokeView* view) { view_ = view; }
    // Where the memory dump reads the monitor's answers; without it the dump finds nothing.
    void SetLogWindow(StrokeLogWindow* log) { log_ = log; }

    // Opening starts from the initial values and asks for the parameter set ("dz"). Opening an
    // open window does nothing.
    void Open();
    // Discards every value and stops the dump timer.
    void Close();
    bool IsOpen() const { return open_; }

    // The "dz" answer (the text after the letters). Only a window the technician has open
    // takes it: a stray answer must not write values live behind a closed window.
    void ApplyReadout(std::string_view answer);

    // Change actions (also raised by the read-out).
    void SetBar(StrokeBar bar, int value) override;
    void SetBarLabel(StrokeBar bar, const std::string& text) override;
    void SetText(StrokeText box, const std::string& text) override;
    void SelectOption(StrokeOptionGroup group, int index) override;
    void SelectRawBlank() override;
    void SetTurn(StrokeTurn turn, bool checked) override;

    StrokeNotice Press(StrokeButton button);

    // One step of the timed memory dump.
    void ReadNextDumpWord();

    // What the controls show.
    int Bar(StrokeBar bar) const;
    const std::string& BarLabel(StrokeBar bar) const;
    const std::string& Text(StrokeText box) const;
    // A box that writes a register and was changed to something other than a whole number in
    // its range: it writes nothing until it holds one.
    bool TextInvalid(StrokeText box) const;
    std::optional<int> SelectedOption(StrokeOptionGroup group) const;
    bool RawBlankSelected() const { return values_.rawBlank; }
    bool Turn(StrokeTurn turn) const;
    const std::string& DumpList() const { return values_.dumpList; }
    bool DumpRunning() const;

  private:
    struct Values {
        std::array<int, 3> bars{255, 0, 0};
        std::array<std::string, 3> barLabels;
        std::array<std::string, kStrokeTextCount> texts;
        std::array<bool, kStrokeTextCount> invalid{};
        std::array<std::optional<int>, 4> options;
        bool rawBlank = false;
        std::array<bool, 2> turns{false, false};
        std::string dumpList;
    };
    static Values InitialValues();

    void Send(const std::string& command);
    void Changed();
    const std::string& V(StrokeText box) const { return Text(box); }
    // What a box may write: its text, or for a box with a range its whole number in that
    // range; nothing otherwise.
    std::optional<std::string> Writable(StrokeText box) const;

    void BarChanged(StrokeBar bar);
    void OptionChanged(StrokeOptionGroup group, int index);
    void TextChanged(StrokeText box);
    StrokeNotice LoadSavedData();
    void PressLive(StrokeButton button);
    void PressSave(StrokeButton button);
    void PressEngineering(StrokeButton button);

    CommandSink& sink_;
    const LinkState& link_;
    std::unique_ptr<Timer> dumpTimer_;
    StrokeView* view_ = nullptr;
    StrokeLogWindow* log_ = nullptr;
    bool open_ = false;
    Values values_;
};

}  // namespace zorvex
