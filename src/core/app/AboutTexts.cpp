#include "core/app/AboutTexts.h"

namespace zorvex {

std::string AboutCaption(std::string_view applicationTitle) {
    return "About " + std::string(applicationTitle);
}

std::string AboutVersionText(const ProgramVersion& version) {
    return "Version " + VersionText(version);
}

std::string AboutDescription() {
    return std::string("Zorvex allows the initialization, ") +
           "calibration, usage reporting, and user adjustment " + "of Norvale monitors." +
           "\r\n\r\n" + "Connect the monitor to any serial port at 9600,N,8,1.";
}

std::optional<std::string> SystemInfoProgram(
    const SystemInfoRegistry& registry, const std::function<bool(const std::string&)>& fileExists) {
    if (registry.msinfoPath && !registry.msinfoPath->empty()) {
        return registry.msinfoPath;
    }
    if (registry.sharedToolsMsinfo && !registry.sharedToolsMsinfo->empty()) {
        std::string candidate = *registry.sharedToolsMsinfo + "\\MSINFO32.EXE";
        if (fileExists(candidate)) {
            return candidate;
        }
    }
    return std::nullopt;
}

}  // namespace zorvex
