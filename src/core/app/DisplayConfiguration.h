#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zorvex {

// A display-system configuration, chosen by the application title.
struct DisplayConfiguration {
    std::string name;                 // compared with the application title, exactly
    std::optional<int16_t> commPort;  // a fixed port, or none: the stored "CommPort" setting
    std::string captionText;          // the caption before the version
};

// The first configuration whose name equals the title; any other title takes the last row.
const DisplayConfiguration& ConfigurationForTitle(std::string_view applicationTitle);

struct ProgramVersion {
    int major = 0;
    int minor = 0;
    int revision = 0;
};

// Major, minor and revision joined by ".", as the caption and the About window show them.
std::string VersionText(const ProgramVersion& version);
// The base caption: the configuration's caption text followed by the version.
std::string BuildMainTitle(const DisplayConfiguration& configuration,
                           const ProgramVersion& version);

// This build's own title and version.
std::string_view BuiltApplicationTitle();
ProgramVersion BuiltProgramVersion();

}  // namespace zorvex
