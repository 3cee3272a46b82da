#include <gtest/gtest.h>

#include "core/app/DisplayConfiguration.h"

namespace zorvex {
namespace {

struct TitleCase {
    const char* title;
    std::optional<int16_t> port;
    const char* caption;
};

class ConfigurationByTitle : public ::testing::TestWithParam<TitleCase> {};

TEST_P(ConfigurationByTitle, ChoosesThePortAndTheCaptionText) {
    const DisplayConfiguration& c = ConfigurationForTitle(GetParam().title);
    EXPECT_EQ(c.commPort, GetParam().port);
    EXPECT_EQ(c.captionText, GetParam().caption);
}

constexpr const char* kDefault = "Zorvex4 CRT Adjustment Tool V";

INSTANTIATE_TEST_SUITE_P(
    Titles, ConfigurationByTitle,
    ::testing::Values(TitleCase{"Orvan-Left", 4, "Orvan Left CRT Adjustment Tool V"},
                      TitleCase{"Orvan-Center", 5, "Orvan Center CRT Adjustment Tool V"},
                      TitleCase{"Orvan-Right", 6, "Orvan Right CRT Adjustment Tool V"},
                      TitleCase{"Orvan-IOS", 7, "Orvan IOS CRT Adjustment Tool V"},
                      TitleCase{"Zorvex5 Stroke Raster", std::nullopt, kDefault},
                      // The comparison is exact and case-sensitive.
                      TitleCase{"orvan-center", std::nullopt, kDefault},
                      TitleCase{"Orvan Center", std::nullopt, kDefault}));

TEST(MainTitle, IsTheCaptionTextFollowedByTheDottedVersion) {
    EXPECT_EQ(BuildMainTitle(ConfigurationForTitle("Orvan-Center"), {5, 0, 13}),
              "Orvan Center CRT Adjustment Tool V5.0.13");
    EXPECT_EQ(BuildMainTitle(ConfigurationForTitle("x"), {12, 3, 140}),
              "Zorvex4 CRT Adjustment Tool V12.3.140");
    EXPECT_EQ(VersionText(BuiltProgramVersion()), "5.0.13");
}

}  // namespace
}  // namespace zorvex
