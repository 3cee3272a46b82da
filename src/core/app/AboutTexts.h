#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/app/DisplayConfiguration.h"

namespace zorvex {

// The About window's texts.
std::string AboutCaption(std::string_view applicationTitle);  // "About " + title
std::string AboutVersionText(const ProgramVersion& version);  // "Version 5.0.13"
std::string AboutDescription();
inline constexpr const char* AboutDisclaimer = "Warning: ...";

// The legacy help viewers, tried in this order.
inline constexpr const char* HelpCommandLines[] = {
    "C:\\windows\\winhelp.exe zorvex3.hlp",
    "C:\\winnt\\winhlp32.exe zorvex3.hlp",
};

inline constexpr const char* SystemInfoUnavailable =
    "System Information Is Unavailable At This Time";

// The two machine-wide registry values the system-information tool is found by.
struct SystemInfoRegistry {
    // "PATH" under "SOFTWARE\Microsoft\Shared Tools\MSINFO"
    std::optional<std::string> msinfoPath;
    // "MSINFO" under "SOFTWARE\Microsoft\Shared Tools Location"
    std::optional<std::string> sharedToolsMsinfo;
};

// The program to start, or nothing when the system has none (then the message is shown).
std::optional<std::string> SystemInfoProgram(
    const SystemInfoRegistry& registry, const std::function<bool(const std::string&)>& fileExists);

}  // namespace zorvex
