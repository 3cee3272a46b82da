#include "Session.h"

#include <utility>

namespace zorvex::sim {

void Session::SetSilent(bool silent) {
    silent_ = silent;
    if (!silent) {
        // Answering again by request also ends a "fall silent after N" that already struck.
        faults_.silentAfter = -1;
    }
}

Session::Result Session::OnCommand(std::string_view command) {
    if (silent_) {
        return {};
    }
    if (faults_.silentAfter >= 0 && commands_ >= faults_.silentAfter) {
        silent_ = true;
        return {};
    }
    ++commands_;
    // An empty line (a lone CR) is not a command the monitor could refuse.
    if (!command.empty()) {
        if (command == faults_.rejectAlways) {
            return {Outcome::Rejected, Controller::Rejection(command)};
        }
        if (faults_.rejectBurst > 0 && command != "p") {
            const long count = std::exchange(faults_.rejectBurst, 0);
            return {Outcome::Rejected, Controller::Rejection(command, count)};
        }
        if (faults_.rejectNext > 0) {
            --faults_.rejectNext;
            return {Outcome::Rejected, Controller::Rejection(command)};
        }
        if (faults_.rejectEvery > 0 && commands_ % faults_.rejectEvery == 0) {
            return {Outcome::Rejected, Controller::Rejection(command)};
        }
    }
    return {Outcome::Answered, controller_.Answer(command)};
}

}  // namespace zorvex::sim
