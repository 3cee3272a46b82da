#pragma once

#include <optional>
#include <string>
#include <vector>

#include "OutputScheduler.h"
#include "Session.h"

namespace zorvex::sim {

struct Options {
    bool help = false;
    bool bootMode = false;
    bool shortItemsFirst = false;
    std::string linkPath;  // a stable name for the pseudo-terminal, made as a symlink
    std::string logPath;
    std::string firmwareVersion;  // empty: the controller's own
    long tcpPort = -1;            // serve raw TCP on this loopback port instead; -1: the pty
    Faults faults;
    OutputScheduler::Pacing pacing;
};

struct ParsedOptions {
    std::optional<Options> options;  // empty on a usage error
    std::string error;
};

ParsedOptions ParseOptions(const std::vector<std::string>& args);
std::string HelpText(const std::string& program);

}  // namespace zorvex::sim
