#include <gtest/gtest.h>

#include "MemorySettingsStore.h"
#include "core/settings/SettingsStore.h"

namespace zorvex {
namespace {

using testing::MemorySettingsStore;

TEST(SettingsStore, ReadsAWholeNumberOrTheDefaultAndAsksTheStoreEveryTime) {
    const std::pair<const char*, long long> cases[] = {
        {" 12 ", 12}, {"-3", -3},   {"4725.5", 4726}, {"", 5},
        {"five", 5},  {"12abc", 5}, {"0x10", 5},      {"99999999999999999999", 5}};
    MemorySettingsStore store;
    EXPECT_EQ(ReadWholeNumber(store, "Configs", "ConnectRetryLimit", 5), 5);
    for (const auto& [stored, expected] : cases) {
        store.Write("Configs", "ConnectRetryLimit", stored);
        EXPECT_EQ(ReadWholeNumber(store, "Configs", "ConnectRetryLimit", 5), expected) << stored;
    }
    EXPECT_EQ(store.reads, 9);
}

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
    EXPECT_TRUE(ReadTrueFalse(store, "Configs", "CommLogEnabled", true));
    EXPECT_TRUE(ReadTrueFalse(store, "Configs", "Missing", true));
}

}  // namespace
}  // namespace zorvex
