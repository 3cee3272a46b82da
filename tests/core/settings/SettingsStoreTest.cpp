#include <gtest/gtest.h>

#include "MemorySettingsStore.h"
#include "core/settings/SettingsStore.h"

namespace zorvex {
namespace {

using testing::MemorySettingsStore;

TEST(SettingsStore, ReadsAWholeNumberOrTheDefaultAndAsksTheStoreEveryTime) {
    // The last is too large for a whole number.
    const std::pair<const char*, long long> cases[] = {
        {" 12 ", 12}, {"-3", -3},  {"4725.5", 4726}, {"-2.5", -3},
        {"+2.5", 3},  {"2.4", 2},  {"", 5},          {"five", 5},
        {"12abc", 5}, {"0x10", 5}, {"1e3", 5},       {"9200000000000000000.0", 5}};
    MemorySettingsStore store;
    EXPECT_EQ(ReadWholeNumber(store, "Configs", "ConnectRetryLimit", 5), 5);
    for (const auto& [stored, expected] : cases) {
        store.Write("Configs", "ConnectRetryLimit", stored);
        EXPECT_EQ(ReadWholeNumber(store, "Configs", "ConnectRetryLimit", 5), expected) << stored;
    }
    // Beyond the whole number range, and near its end: read exactly, not through a double.
    for (const auto& [stored, expected] :
         {std::pair<const char*, long long>{"99999999999999999999", 5},
          {"9100000000000000001", 9100000000000000001}}) {
        store.Write("Configs", "ConnectRetryLimit", stored);
        EXPECT_EQ(ReadWholeNumber(store, "Configs", "ConnectRetryLimit", 5), expected) << stored;
    }
    EXPECT_EQ(store.reads, 15);
}

TEST(SettingsStore, WritesTheValueTextsTheToolAlwaysWroteAndReadsThemBack) {
    MemorySettingsStore store;
    WriteSingle(store, "Locations", "frmMainTop", 1440);
    WriteSingle(store, "Locations", "frmMainLeft", 717.5);
    WriteTrueFalse(store, "Configs", "CommLogEnabled", true);
    WriteOneZero(store, "Configs", "CommLogOpen", false);
    EXPECT_EQ(store.Get("Locations", "frmMainTop") + " " + store.Get("Locations", "frmMainLeft") +
                  " " + store.Get("Configs", "CommLogEnabled") + " " +
                  store.Get("Configs", "CommLogOpen"),
              "1440 717.5 True 0");
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
