#include <gtest/gtest.h>

#include <set>

#include "core/app/AboutTexts.h"

namespace zorvex {
namespace {

TEST(AboutWindow, CaptionVersionAndDescriptionReadAsTheToolWritesThem) {
    EXPECT_EQ(AboutCaption("Zorvex5 Stroke Raster"), "About Zorvex5 Stroke Raster");
    EXPECT_EQ(AboutVersionText({5, 0, 13}), "Version 5.0.13");
    EXPECT_EQ(AboutDescription(),
              "Zorvex allows the initialization, calibration, usage reporting, and user "
              "adjustment of Norvale monitors.\r\n\r\nConnect the monitor to any serial port at "
              "9600,N,8,1.");
}

struct SysInfoCase {
    const char* what;
    std::optional<std::string> path;
    std::optional<std::string> location;
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
        SysInfoCase{"PATH wins", "C:\\msinfo\\msinfo32.exe", "C:\\other", true,
                    "C:\\msinfo\\msinfo32.exe"},
        SysInfoCase{"location with the file", std::nullopt, "C:\\Tools\\MSINFO", true,
                    "C:\\Tools\\MSINFO\\MSINFO32.EXE"},
        SysInfoCase{"location without the file", std::nullopt, "C:\\Tools\\MSINFO", false,
                    std::nullopt},
        SysInfoCase{"empty PATH falls through", "", "C:\\T", true, "C:\\T\\MSINFO32.EXE"},
        SysInfoCase{"no registry (Linux)", std::nullopt, std::nullopt, true, std::nullopt}));

}  // namespace
}  // namespace zorvex
