#include "core/data/MdfWriter.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace zorvex {

namespace {

constexpr std::string_view LineEnd = "\r\n";

// Builds records: a quoted label, then quoted texts and plain numbers, comma separated.
class RecordWriter {
  public:
    RecordWriter& Text(std::string_view text) {
        Separator();
        out_ += '"';
        // A quote inside would end the field early for every reader of the format and shift
        // every record after it; an apostrophe reads back as the same mark.
        std::replace_copy(text.begin(), text.end(), std::back_inserter(out_), '"', '\'');
        out_ += '"';
        return *this;
    }
    RecordWriter& Number(long number) {
        Separator();
        out_ += std::to_string(number);
        return *this;
    }
    void End() {
        out_ += LineEnd;
        fields_ = 0;
    }
    std::string Take() { return std::move(out_); }

  private:
    void Separator() {
        if (fields_++ > 0) {
            out_ += ',';
        }
    }
    std::string out_;
    int fields_ = 0;
};

void TextRecord(RecordWriter& w, std::string_view label, std::string_view text) {
    w.Text(label).Text(text).End();
}

void NumberRecord(RecordWriter& w, std::string_view label, long number) {
    w.Text(label).Number(number).End();
}

void DacRecord(RecordWriter& w, const DacFamilyData& family, int slot, int column) {
    w.Text(family.names[slot])
        .Number(family.value[slot][column])
        .Number(family.factory[slot][column])
        .Number(family.initial[slot][column])
        .End();
}

void DacRecords(RecordWriter& w, const DacFamilyData& family, int column) {
    const int count = std::min<int>(family.count, MaxDacsPerFamily);
    for (int slot = 0; slot < count; ++slot) {
        DacRecord(w, family, slot, column);
    }
}

void ScanSetBlock(RecordWriter& w, const MonitorData& data, int scanSet) {
    NumberRecord(w, mdf::ScanSet, scanSet);
    TextRecord(w, mdf::ScanSetName, data.ScanSetName[scanSet]);
    DacRecords(w, data.Family(DacFamily::L), scanSet);
    DacRecords(w, data.Family(DacFamily::B), scanSet);
    DacRecords(w, data.Family(DacFamily::H), scanSet);
    DacRecord(w, data.Family(DacFamily::H), mdf::HorizSCapSlot, scanSet);
    DacRecords(w, data.Family(DacFamily::V), scanSet);
    DacRecords(w, data.Family(DacFamily::N), scanSet);
}

bool IsCrtFamily(int16_t firmwareVersionNumber) {
    return firmwareVersionNumber >= 100 && firmwareVersionNumber < 300;
}

}  // namespace

std::string GeneralDateText(const LocalDateTime& when) {
    std::string text = std::to_string(when.month);
    text += '/';
    text += std::to_string(when.day);
    text += '/';
    text += std::to_string(when.year);
    if (when.hour == 0 && when.minute == 0 && when.second == 0) {
        return text;
    }
    auto appendTwoDigits = [&text](int n) {
        if (n >= 0 && n < 10) {
            text += '0';
        }
        text += std::to_string(n);
    };
    text += ' ';
    text += std::to_string(when.hour % 12 == 0 ? 12 : when.hour % 12);
    text += ':';
    appendTwoDigits(when.minute);
    text += ':';
    appendTwoDigits(when.second);
    text += when.hour < 12 ? " AM" : " PM";
    return text;
}

std::string BuildMdfContent(const MonitorData& data, const LocalDateTime& created) {
    RecordWriter w;
    w.Text(MdvHeaderLine).End();
    w.Text(MdvVersionLine).End();
    TextRecord(w, mdf::FileCreated, GeneralDateText(created));
    if (data.MonitorOnline) {
        TextRecord(w, mdf::ModelNumber, data.ModelNumber);
        TextRecord(w, mdf::SerialNumber, data.SerialNumber);
        TextRecord(w, mdf::PartNumber, data.PartNumber);
        if (IsCrtFamily(data.FirmwareVersionNumber)) {
            TextRecord(w, mdf::CrtSerialNumber, data.CrtSerialNumber);
            TextRecord(w, mdf::CrtPartNumber, data.CrtPartNumber);
        }
        TextRecord(w, mdf::FirmwareVersion, data.FirmwareVersion);
        TextRecord(w, mdf::RomVersion, data.RomVersion);
        TextRecord(w, mdf::OperatingHours, data.OperatingHours);
        TextRecord(w, mdf::OperatingCycles, data.OperatingCycles);
        TextRecord(w, mdf::HvUpperLimit, std::to_string(data.HvUpperLimit));
        TextRecord(w, mdf::HvLowerLimit, std::to_string(data.HvLowerLimit));
    }
    NumberRecord(w, mdf::NumScanSets, data.NumScanSets);
    NumberRecord(w, mdf::NumLDacs, data.DacCount(DacFamily::L));
    NumberRecord(w, mdf::NumBDacs, data.DacCount(DacFamily::B));
    NumberRecord(w, mdf::NumHDacs, data.DacCount(DacFamily::H));
    NumberRecord(w, mdf::NumVDacs, data.DacCount(DacFamily::V));
    NumberRecord(w, mdf::NumNDacs, data.DacCount(DacFamily::N));
    for (int scanSet = 0; scanSet < data.NumScanSets; ++scanSet) {
        // Only the first six scan sets have an enable flag; any further one is not enabled.
        if (scanSet < ScanSetTitleSlots && data.ScanSetEnabled[scanSet]) {
            ScanSetBlock(w, data, scanSet);
        }
    }
    return w.Take();
}

}  // namespace zorvex
