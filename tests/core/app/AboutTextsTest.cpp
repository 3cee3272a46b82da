#include <gtest/gtest.h>

#include <set>

#include "core/app/AboutTexts.h"

namespace zorvex {
namespace {

// The About texts themselves are pinned through the window in tests/ui/app.
struct SysInfoCase {
    const char* what;
    std::optional<std::string> path, location;
    bool fileExists;
    std::optional<std::string> expected;
};

class SystemInfoLookup : public ::testing::TestWithParam<SysInfoCase> {};

TEST_P(SystemInfoLookup, FindsTheProgramOrNothing) {
    const SysInfoCase& c = GetParam();
    std::set<std::string> asked;
    const auto program = SystemInfoProgram({c.path, c.location}, [&](const std::string& file) {
        asked.insert(file);
        return c.fileExists;
    });
    EXPECT_EQ(program, c.expected) << c.what;
    if (!c.path && c.location) {
        EXPECT_EQ(asked.count(*c.location + "\\MSINFO32.EXE"), 1u) << c.what;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Registry, SystemInfoLookup,
    ::testing::Values(
        SysInfoCase{"PATH wins", "C:\\ms\\msinfo32.exe", "C:\\o", true, "C:\\ms\\msinfo32.exe"},
        SysInfoCase{"location with the file", std::nullopt, "C:\\T", true, "C:\\T\\MSINFO32.EXE"},
        SysInfoCase{"location without the file", std::nullopt, "C:\\T", false, std::nullopt},
        SysInfoCase{"empty PATH falls through", "", "C:\\T", true, "C:\\T\\MSINFO32.EXE"},
        SysInfoCase{"no registry (Linux)", std::nullopt, std::nullopt, true, std::nullopt}));

}  // namespace
}  // namespace zorvex
