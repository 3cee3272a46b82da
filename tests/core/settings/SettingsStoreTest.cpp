#include <gtest/gtest.h>

#include "MemorySettingsStore.h"
#include "core/settings/SettingsStore.h"

namespace zorvex {
namespace {

using testing::MemorySettingsStore;

struct NumberCase {
    const char* stored;  // nullptr: key absent
    long long expected;
};

class WholeNumberReading : public ::testing::TestWithParam<NumberCase> {};

TEST_P(WholeNumberReading, GivesTheNumberOrTheDefault) {
    MemorySettingsStore store;
    if (GetParam().stored) {
        store.Write("Configs", "ConnectRetryLimit", GetParam().stored);
    }
    EXPECT_EQ(ReadWholeNumber(store, "Configs", "ConnectRetryLimit", 5), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, WholeNumberReading,
                         ::testing::Values(NumberCase{nullptr, 5}, NumberCase{"7", 7},
                                           NumberCase{" 12 ", 12}, NumberCase{"-3", -3},
                                           NumberCase{"4725.5", 4726}, NumberCase{"", 5},
                                           NumberCase{"five", 5}, NumberCase{"12abc", 5},
                                           NumberCase{"0x10", 5},
                                           NumberCase{"99999999999999999999", 5}));

TEST(SettingsStore, WritesTheValueTextsTheToolAlwaysWroteAndReadsThemBack) {
    MemorySettingsStore store;
    WriteSingle(store, "Locations", "frmMainTop", 1440);
    WriteSingle(store, "Locations", "frmMainLeft", 717.5);
    WriteTrueFalse(store, "Configs", "CommLogEnabled", true);
    WriteOneZero(store, "Configs", "CommLogOpen", false);
    EXPECT_EQ(store.Get("Locations", "frmMainTop"), "1440");
    EXPECT_EQ(store.Get("Locations", "frmMainLeft"), "717.5");
    EXPECT_EQ(store.Get("Configs", "CommLogEnabled"), "True");
    EXPECT_EQ(store.Get("Configs", "CommLogOpen"), "0");
    EXPECT_DOUBLE_EQ(ReadSingle(store, "Locations", "frmMainLeft", 0), 717.5);
    EXPECT_TRUE(ReadTrueFalse(store, "Configs", "CommLogEnabled", false));
    // Texts that are not what the reader wants give the default.
    store.Write("Locations", "frmMainWidth", "wide");
    store.Write("Configs", "CommLogEnabled", "maybe");
    EXPECT_DOUBLE_EQ(ReadSingle(store, "Locations", "frmMainWidth", 9600), 9600);
    EXPECT_FALSE(ReadTrueFalse(store, "Configs", "CommLogEnabled", false));
    EXPECT_FALSE(ReadTrueFalse(store, "Configs", "Missing", false));
}

TEST(SettingsStore, EveryReadGoesToTheStore) {
    MemorySettingsStore store;
    ReadWholeNumber(store, "Configs", "CommPort", 1);
    store.Write("Configs", "CommPort", "3");
    EXPECT_EQ(ReadWholeNumber(store, "Configs", "CommPort", 1), 3);
    EXPECT_EQ(store.reads, 2);
}

}  // namespace
}  // namespace zorvex
