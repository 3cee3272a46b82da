#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "Controller.h"

namespace zorvex::sim {

// The faults a technician or a test asks for, on top of the controller's answers.
struct Faults {
    long silentAfter = -1;          // fall silent after this many commands (-1: never)
    long rejectNext = 0;            // answer the next N commands with "!"
    long rejectEvery = 0;           // answer every Kth command with "!" (0: never)
    std::string rejectAlways = {};  // answer this command with "!" every time
    long rejectBurst = 0;           // answer the first command but "p" with this many "!" at once
};

// What happens to one received command.
enum class Outcome { Answered, Rejected, Ignored };

// One link session: counts commands, applies the faults, and hands the rest to the
// controller.
class Session {
  public:
    Session(Controller& controller, Faults faults) : controller_(controller), faults_(faults) {}

    struct Result {
        Outcome outcome = Outcome::Ignored;
        std::string bytes;  // what to send back (empty when silent)
    };
    Result OnCommand(std::string_view command);

    bool Silent() const { return silent_; }
    void SetSilent(bool silent);
    long CommandCount() const { return commands_; }

  private:
    Controller& controller_;
    Faults faults_;
    long commands_ = 0;
    bool silent_ = false;
};

}  // namespace zorvex::sim
