#include <gtest/gtest.h>

#include <random>
#include <string>

#include "DataTestSupport.h"
#include "core/data/MdfReader.h"
#include "core/data/MdfWriter.h"
#include "core/protocol/IdentificationReplies.h"
#include "core/protocol/ResponseDispatcher.h"

namespace zorvex {
namespace {

// Varied models: any texts without a double quote (the one character the format cannot
// carry), versions as the monitor reports them, counts up to what a file may hold.
class ModelGenerator {
  public:
    explicit ModelGenerator(unsigned seed) : random_(seed) {}

    MonitorData Next() {
        MonitorData data;
        data.MonitorOnline = Chance(3, 4);
        data.ModelNumber = Text();
        data.SerialNumber = Text();
        data.PartNumber = Text();
        data.CrtSerialNumber = Text();
        data.CrtPartNumber = Text();
        if (Chance(9, 10)) {
            const int firmware = Between(100, 399);
            data.FirmwareVersionNumber = static_cast<int16_t>(firmware);
            data.FirmwareVersion = "V " + std::to_string(firmware / 100) + "." +
                                   (firmware % 100 < 10 ? "0" : "") +
                                   std::to_string(firmware % 100);
        }
        if (Chance(9, 10)) {
            data.RomVersion =
                "V " + std::to_string(Between(0, 9)) + "." + std::to_string(Between(10, 99));
        }
        data.OperatingHours = Text();
        data.OperatingCycles = Text();
        data.HvUpperLimit = static_cast<int16_t>(Between(-32768, 32767));
        data.HvLowerLimit = static_cast<int16_t>(Between(-32768, 32767));
        data.NumScanSets = static_cast<int16_t>(Between(-1, 8));
        for (int s = 0; s < ScanSetTitleSlots; ++s) {
            data.ScanSetEnabled[s] = Chance(1, 2);
            std::string title = Text();
            data.ScanSetName[s] = title.empty() ? "T" : title;  // an empty title is refused
        }
        for (auto& family : data.Families) {
            family.count = static_cast<int16_t>(Between(0, 8));
            for (auto* table : {&family.value, &family.factory, &family.initial}) {
                for (auto& row : *table) {
                    for (auto& cell : row) {
                        cell = static_cast<int16_t>(Chance(1, 2) ? Between(0, 255)
                                                                 : Between(-32768, 32767));
                    }
                }
            }
        }
        return data;
    }

  private:
    int Between(int low, int high) { return std::uniform_int_distribution<>(low, high)(random_); }
    bool Chance(int in, int of) { return Between(1, of) <= in; }
    std::string Text() {
        static constexpr char Specials[] = {' ', ',', '#', '\t', '\r', '\n', '\xE9', '\xB0'};
        std::string text(Between(0, 16), ' ');
        for (char& c : text) {
            c = Chance(1, 5) ? Specials[Between(0, sizeof Specials - 1)]
                             : static_cast<char>(Between(33, 126));
            if (c == '"') {
                c = '\'';
            }
        }
        return text;
    }
    std::mt19937 random_;
};

// Every field the file holds, compared between the written and the read model.
void ExpectSameFileContent(const MonitorData& written, const MonitorData& read) {
    if (written.MonitorOnline) {
        EXPECT_EQ(read.ModelNumber, written.ModelNumber);
        EXPECT_EQ(read.SerialNumber, written.SerialNumber);
        EXPECT_EQ(read.PartNumber, written.PartNumber);
        if (written.FirmwareVersionNumber >= 100 && written.FirmwareVersionNumber < 300) {
            EXPECT_EQ(read.CrtSerialNumber, written.CrtSerialNumber);
            EXPECT_EQ(read.CrtPartNumber, written.CrtPartNumber);
        }
        EXPECT_EQ(read.FirmwareVersion, written.FirmwareVersion);
        EXPECT_EQ(read.FirmwareVersionNumber, written.FirmwareVersionNumber);
        EXPECT_EQ(read.RomVersion, written.RomVersion);
        EXPECT_EQ(read.OperatingHours, written.OperatingHours);
        EXPECT_EQ(read.OperatingCycles, written.OperatingCycles);
        EXPECT_EQ(read.HvUpperLimit, written.HvUpperLimit);
        EXPECT_EQ(read.HvLowerLimit, written.HvLowerLimit);
    }
    EXPECT_EQ(read.NumScanSets, written.NumScanSets);
    for (int f = 0; f < 5; ++f) {
        EXPECT_EQ(read.Families[f].count, written.Families[f].count) << "family " << f;
    }
    for (int s = 0; s < std::min<int>(written.NumScanSets, ScanSetTitleSlots); ++s) {
        if (!written.ScanSetEnabled[s]) {
            continue;
        }
        EXPECT_EQ(read.ScanSetName[s], written.ScanSetName[s]) << "scan set " << s;
        for (int f = 0; f < 5; ++f) {
            const DacFamilyData& w = written.Families[f];
            const DacFamilyData& r = read.Families[f];
            for (int slot = 0; slot < MaxDacsPerFamily; ++slot) {
                if (slot < w.count ||
                    (f == static_cast<int>(DacFamily::H) && slot == mdf::HorizSCapSlot)) {
                    for (auto table : {&DacFamilyData::value, &DacFamilyData::factory,
                                       &DacFamilyData::initial}) {
                        EXPECT_EQ((r.*table)[slot][s], (w.*table)[slot][s]) << f << "/" << slot;
                    }
                }
            }
        }
    }
}

MdfReadResult ReadInto(MonitorData& data, const std::string& bytes) {
    ResponseDispatcher dispatcher;
    testing::RecordingInfoLabels labels;
    IdentificationReplies identification(data, labels);
    identification.Register(dispatcher);
    MdfReader reader(data, dispatcher, labels);
    return reader.Read(bytes, "round.mdv");
}

TEST(MdfRoundTrip, VariedModelsReadBackIntoTheSameModel) {
    ModelGenerator generator(20261206);
    const LocalDateTime created{2026, 12, 6, 8, 30, 0};
    for (int i = 0; i < 500; ++i) {
        SCOPED_TRACE("model " + std::to_string(i));
        const MonitorData written = generator.Next();
        const std::string bytes = BuildMdfContent(written, created);
        MonitorData read;
        const auto result = ReadInto(read, bytes);
        ASSERT_EQ(result.outcome, MdfReadResult::Outcome::Completed) << result.message;
        ExpectSameFileContent(written, read);
        // Written again, the model read back gives the same bytes.
        MonitorData again = read;
        again.MonitorOnline = written.MonitorOnline;
        again.ScanSetEnabled = written.ScanSetEnabled;
        EXPECT_EQ(BuildMdfContent(again, created), bytes);
    }
}

}  // namespace
}  // namespace zorvex
