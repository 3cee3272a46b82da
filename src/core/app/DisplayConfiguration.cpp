#include "core/app/DisplayConfiguration.h"

#include <array>

namespace zorvex {

namespace {
const std::array<DisplayConfiguration, 5>& Configurations() {
    static const std::array<DisplayConfiguration, 5> rows = {{
        {"Orvan-Left", 4, "Orvan Left CRT Adjustment Tool V"},
        {"Orvan-Center", 5, "Orvan Center CRT Adjustment Tool V"},
        {"Orvan-Right", 6, "Orvan Right CRT Adjustment Tool V"},
        {"Orvan-IOS", 7, "Orvan IOS CRT Adjustment Tool V"},
        {"", std::nullopt, "Zorvex4 CRT Adjustment Tool V"},
    }};
    return rows;
}
}  // namespace

const DisplayConfiguration& ConfigurationForTitle(std::string_view applicationTitle) {
    const auto& rows = Configurations();
    for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
        if (rows[i].name == applicationTitle) {
            return rows[i];
        }
    }
    return rows.back();
}

std::string VersionText(const ProgramVersion& version) {
    return std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
           std::to_string(version.revision);
}

std::string BuildMainTitle(const DisplayConfiguration& configuration,
                           const ProgramVersion& version) {
    return configuration.captionText + VersionText(version);
}

std::string_view BuiltApplicationTitle() {
    return ZORVEX_APP_TITLE;
}

ProgramVersion BuiltProgramVersion() {
    return {ZORVEX_VERSION_MAJOR, ZORVEX_VERSION_MINOR, ZORVEX_VERSION_PATCH};
}

}  // namespace zorvex
