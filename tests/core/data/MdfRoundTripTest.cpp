#include <gtest/gtest.h>

#include <random>
#include <string>

#include "DataTestSupport.h"
#include "SampleModels.h"
#include "core/data/MdfWriter.h"

namespace zorvex {
namespace {

// Varied models: any texts (a double quote is written as an apostrophe, so every record reads
// back), versions as the monitor reports them, counts up to what a file may hold.
class ModelGenerator {
  public:
    MonitorData Next() {
        MonitorData data;
        data.MonitorOnline = Between(1, 4) > 1;
        for (auto text :
             {&MonitorData::ModelNumber, &MonitorData::SerialNumber, &MonitorData::PartNumber,
              &MonitorData::CrtSerialNumber, &MonitorData::CrtPartNumber,
              &MonitorData::OperatingHours, &MonitorData::OperatingCycles}) {
            data.*text = Text();
        }
        if (Between(1, 10) > 1) {
            const MonitorData full = testing::FullModel(static_cast<int16_t>(Between(100, 399)));
            data.FirmwareVersionNumber = full.FirmwareVersionNumber;
            data.FirmwareVersion = full.FirmwareVersion;
            data.RomVersion =
                "V " + std::to_string(Between(0, 9)) + "." + std::to_string(Between(10, 99));
        }
        data.HvUpperLimit = Cell();
        data.HvLowerLimit = Cell();
        data.NumScanSets = static_cast<int16_t>(Between(-1, 8));
        for (int s = 0; s < ScanSetTitleSlots; ++s) {
            data.ScanSetEnabled[s] = Between(0, 1) == 1;
            data.ScanSetName[s] = Text() + "T";  // an empty title is refused
        }
        for (auto& family : data.Families) {
            family.count = static_cast<int16_t>(Between(0, 8));
            for (auto* table : {&family.value, &family.factory, &family.initial}) {
                for (auto& row : *table) {
                    for (auto& cell : row) {
                        cell = Between(0, 1) ? static_cast<int16_t>(Between(0, 255)) : Cell();
                    }
                }
            }
        }
        return data;
    }

  private:
    int Between(int low, int high) { return std::uniform_int_distribution<>(low, high)(random_); }
    int16_t Cell() { return static_cast<int16_t>(Between(-32768, 32767)); }
    std::string Text() {
        static constexpr char Specials[] = {' ', ',', '#', '"', '\t', '\r', '\n', '\xE9', '\xB0'};
        std::string text(Between(0, 16), ' ');
        for (char& c : text) {
            c = Between(1, 5) == 1 ? Specials[Between(0, sizeof Specials - 1)]
                                   : static_cast<char>(Between(33, 126));
        }
        return text;
    }
    std::mt19937 random_{20261206};
};

TEST(MdfRoundTrip, VariedModelsReadBackIntoTheSameModel) {
    ModelGenerator generator;
    const LocalDateTime created{2026, 12, 6, 8, 30, 0};
    for (int i = 0; i < 500; ++i) {
        SCOPED_TRACE("model " + std::to_string(i));
        const MonitorData written = generator.Next();
        const std::string bytes = BuildMdfContent(written, created);
        testing::ReaderRig rig;
        const auto result = rig.Read(bytes);
        ASSERT_EQ(result.outcome, MdfReadResult::Outcome::Completed) << result.message;
        // Exactly the scan sets the file holds come back enabled, so saving again keeps their
        // blocks and adds none.
        for (int s = 0; s < ScanSetTitleSlots; ++s) {
            EXPECT_EQ(rig.data.ScanSetEnabled[s],
                      s < written.NumScanSets && written.ScanSetEnabled[s])
                << "scan set " << s;
        }
        // Every field the file holds, compared through the file itself: the model read back,
        // written again, gives the same bytes (field for field, slot for slot).
        MonitorData again = rig.data;
        again.MonitorOnline = written.MonitorOnline;
        again.ScanSetEnabled = written.ScanSetEnabled;
        EXPECT_EQ(BuildMdfContent(again, created), bytes);
    }
}

}  // namespace
}  // namespace zorvex
