#include "core/data/MdfReader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include "core/data/MdfFieldStream.h"
#include "core/data/MdfWriter.h"
#include "core/panels/info/InfoLabels.h"
#include "core/protocol/ResponseDispatcher.h"

namespace zorvex {

namespace {

// A record the reader cannot take: the message says why and where.
struct RecordError {
    std::string message;
};

RecordError GeneralError(int number, std::string_view description) {
    return {"In ReadMDF, Error # " + std::to_string(number) + ": " + std::string(description)};
}
RecordError PastEnd() {
    return GeneralError(62, "Input past end of file");
}
RecordError NotANumber() {
    return GeneralError(13, "Type mismatch");
}
RecordError Overflow() {
    return GeneralError(6, "Overflow");
}
RecordError OutsideTables() {
    return GeneralError(9, "Subscript out of range");
}

std::string Trim(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A number field: a whole decimal number of 16 bits, with an optional sign.
int16_t ParseNumberField(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) {
        throw NotANumber();
    }
    long value = 0;
    for (char c : text) {
        if (!IsDigit(c)) {
            throw NotANumber();
        }
        value = value * 10 + (c - '0');
        if (value > 32768) {
            throw Overflow();
        }
    }
    value = negative ? -value : value;
    if (value > INT16_MAX || value < INT16_MIN) {
        throw Overflow();
    }
    return static_cast<int16_t>(value);
}

// The number at the start of a limit text (0 when there is none), rounded to the nearest
// whole number, halves to the even neighbour.
int16_t LimitFromText(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    double value = 0;
    bool tooLarge = false;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        value = value * 10 + (text[i] - '0');
        tooLarge = tooLarge || value > 1e6;
    }
    if (i < text.size() && text[i] == '.') {
        double scale = 0.1;
        for (++i; i < text.size() && IsDigit(text[i]); ++i, scale /= 10) {
            value += (text[i] - '0') * scale;
        }
    }
    if (tooLarge) {
        throw Overflow();
    }
    const double floor = std::floor(value);
    const double fraction = value - floor;
    double rounded = floor;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0)) {
        rounded = floor + 1;
    }
    rounded = negative ? -rounded : rounded;
    if (rounded > INT16_MAX || rounded < INT16_MIN) {
        throw Overflow();
    }
    return static_cast<int16_t>(rounded);
}

// The DAC slots recognised by name, in the order the name tables are searched.
struct NamedSlots {
    DacFamily family;
    int count;
    std::array<int, 8> slots;
};
constexpr NamedSlots SearchedNames[] = {
    {DacFamily::L, 8, {0, 1, 2, 3, 4, 5, 6, 7}},
    {DacFamily::B, 2, {0, 1}},
    {DacFamily::H, 5, {0, 1, 2, 3, mdf::HorizSCapSlot}},
    {DacFamily::V, 7, {0, 1, 2, 3, 4, 5, 6}},
    {DacFamily::N, 3, {0, 1, 2}},
};

}  // namespace

// One pass over the records after the version line.
class MdfRecordLoop {
  public:
    MdfRecordLoop(MdfReader& reader, MdfFieldStream& stream)
        : reader_(reader), data_(reader.data_), stream_(stream) {}

    std::optional<std::string> Run() {
        while (!stream_.AtEnd() && !stream_.OnlyBlankLinesLeft()) {
            position_ = stream_.Offset() + 1;
            try {
                Record(NextField());
            } catch (const RecordError& error) {
                return error.message;
            }
        }
        return std::nullopt;
    }

  private:
    MdfFieldStream::Field NextField() {
        auto field = stream_.Next();
        if (!field) {
            throw PastEnd();
        }
        return *std::move(field);
    }
    std::string Text() { return NextField().text; }
    int16_t Number() { return ParseNumberField(NextField().text); }

    void Record(const MdfFieldStream::Field& first) {
        const std::string label = Trim(first.text);
        const std::string& asRead = first.text;
        if (label == mdf::Comment || label == Trim(mdf::FileCreated)) {
            Text();
        } else if (label == Trim(mdf::ModelNumber)) {
            StoreText(data_.ModelNumber, InfoLabel::Model);
        } else if (label == Trim(mdf::SerialNumber)) {
            StoreText(data_.SerialNumber, InfoLabel::Serial);
        } else if (label == Trim(mdf::PartNumber)) {
            StoreText(data_.PartNumber, InfoLabel::Part);
        } else if (label == Trim(mdf::CrtSerialNumber)) {
            data_.CrtSerialNumber = Text();
        } else if (label == Trim(mdf::CrtPartNumber)) {
            data_.CrtPartNumber = Text();
        } else if (label == Trim(mdf::FirmwareVersion)) {
            reader_.dispatcher_.Dispatch("df\r\n" + Text());
        } else if (label == Trim(mdf::RomVersion)) {
            reader_.dispatcher_.Dispatch("de\r\n" + Text());
        } else if (label == Trim(mdf::OperatingHours)) {
            StoreText(data_.OperatingHours, InfoLabel::OperatingTime);
        } else if (label == Trim(mdf::OperatingCycles)) {
            StoreText(data_.OperatingCycles, InfoLabel::OperatingCycles);
        } else if (label == Trim(mdf::HvUpperLimit)) {
            data_.HvUpperLimit = LimitFromText(Text());
        } else if (label == Trim(mdf::HvLowerLimit)) {
            data_.HvLowerLimit = LimitFromText(Text());
        } else if (label == mdf::NumScanSets) {
            data_.NumScanSets = CountOrTooLarge(asRead);
        } else if (auto family = CountedFamily(label)) {
            data_.SetDacCount(*family, CountOrTooLarge(asRead));
        } else if (label == mdf::ScanSet) {
            const int16_t n = Number();
            if (n > data_.NumScanSets - 1) {
                throw TooLarge(asRead);
            }
            reader_.scanSetReading_ = n;
            blockCursor_ = 0;
            // A block in the file was an enabled scan set; without this a file read and
            // saved again would lose every block but those already enabled.
            data_.SetScanSetEnabled(n, true);
        } else if (label == mdf::ScanSetName) {
            std::string title = Text();
            if (title.empty()) {
                throw RecordError{"Bad Input - " + asRead + " Has No Name Assigned\rLine " +
                                  std::to_string(position_)};
            }
            if (!data_.SetScanSetTitle(reader_.scanSetReading_, title)) {
                throw OutsideTables();
            }
        } else if (auto slot = NamedDac(label)) {
            DacValues(slot->first, slot->second);
        } else if (auto unnamed = UnnamedDac(label, first.quoted)) {
            DacValues(unnamed->first, unnamed->second);
        } else {
            throw RecordError{"Name Not Found: " + asRead + "\r\nLine " +
                              std::to_string(position_) +
                              "\r\nScanSetReading: " + std::to_string(reader_.scanSetReading_)};
        }
    }

    void StoreText(std::string& field, InfoLabel label) {
        field = Text();
        reader_.labels_.SetInfoLabel(label, field);
    }

    RecordError TooLarge(const std::string& asRead) const {
        return {"Bad Input - " + asRead + " Value Too Large\rLine " + std::to_string(position_)};
    }

    int16_t CountOrTooLarge(const std::string& asRead) {
        const int16_t n = Number();
        if (n > 8) {
            throw TooLarge(asRead);
        }
        return n;
    }

    static std::optional<DacFamily> CountedFamily(const std::string& label) {
        if (label == mdf::NumLDacs)
            return DacFamily::L;
        if (label == mdf::NumBDacs)
            return DacFamily::B;
        if (label == mdf::NumHDacs)
            return DacFamily::H;
        if (label == mdf::NumVDacs)
            return DacFamily::V;
        if (label == mdf::NumNDacs)
            return DacFamily::N;
        return std::nullopt;
    }

    std::optional<std::pair<DacFamily, int>> NamedDac(const std::string& label) const {
        for (const NamedSlots& entry : SearchedNames) {
            for (int i = 0; i < entry.count; ++i) {
                const int slot = entry.slots[i];
                if (data_.Family(entry.family).names[slot] == label) {
                    return std::make_pair(entry.family, slot);
                }
            }
        }
        return std::nullopt;
    }

    // The DAC records of a scan-set block in the order they are written, for the counts as
    // read so far.
    std::vector<std::pair<DacFamily, int>> BlockOrder() const {
        std::vector<std::pair<DacFamily, int>> order;
        auto counted = [&](DacFamily family) {
            const int count = std::min<int>(data_.DacCount(family), MaxDacsPerFamily);
            for (int slot = 0; slot < count; ++slot) {
                order.emplace_back(family, slot);
            }
        };
        counted(DacFamily::L);
        counted(DacFamily::B);
        counted(DacFamily::H);
        order.emplace_back(DacFamily::H, mdf::HorizSCapSlot);
        counted(DacFamily::V);
        counted(DacFamily::N);
        return order;
    }

    // A DAC record with an empty (quoted) label, such as the unnamed family N slots: it is
    // the record that follows the previous DAC record of the block in the written order.
    std::optional<std::pair<DacFamily, int>> UnnamedDac(const std::string& label,
                                                        bool quoted) const {
        if (!label.empty() || !quoted) {
            return std::nullopt;
        }
        const auto order = BlockOrder();
        if (blockCursor_ >= order.size()) {
            return std::nullopt;
        }
        return order[blockCursor_];
    }

    void DacValues(DacFamily family, int slot) {
        const int16_t value = Number();
        const int16_t factory = Number();
        const int16_t initial = Number();
        const int column = reader_.scanSetReading_;
        if (!data_.SetCell(family, DacTableKind::Value, slot, column, value)) {
            throw OutsideTables();
        }
        data_.SetCell(family, DacTableKind::Factory, slot, column, factory);
        data_.SetCell(family, DacTableKind::Initial, slot, column, initial);
        data_.SetScanSetEnabled(column, true);  // also for records before any "ScanSet"
        const auto order = BlockOrder();
        const auto key = std::make_pair(family, slot);
        auto at = std::find(order.begin() + std::min(blockCursor_, order.size()), order.end(), key);
        if (at == order.end()) {
            at = std::find(order.begin(), order.end(), key);
        }
        if (at != order.end()) {
            blockCursor_ = static_cast<std::size_t>(at - order.begin()) + 1;
        }
    }

    MdfReader& reader_;
    MonitorData& data_;
    MdfFieldStream& stream_;
    std::size_t position_ = 0;
    std::size_t blockCursor_ = 0;  // in BlockOrder(): where the next unnamed record goes
};

MdfReadResult MdfReader::Read(std::string_view bytes, const std::string& fileTitle) {
    using Outcome = MdfReadResult::Outcome;
    if (bytes.size() < MdfMinimumSize) {
        return {Outcome::Rejected, "File " + fileTitle + " is not a valid .mdv file"};
    }
    MdfFieldStream stream(bytes);
    auto header = stream.Next();
    if (!header || header->text != MdvHeaderLine) {
        return {Outcome::Rejected, "File " + fileTitle + "is not in .mdv format"};
    }
    auto version = stream.Next();
    if (!version || version->text != MdvVersionLine) {
        return {Outcome::Rejected, "File " + fileTitle + " is a wrong version number"};
    }
    // The file says which scan sets are in use: one left enabled by an earlier file would be
    // saved again under this file's identity.
    for (int scanSet = 0; scanSet < ScanSetTitleSlots; ++scanSet) {
        data_.SetScanSetEnabled(scanSet, false);
    }
    MdfRecordLoop loop(*this, stream);
    if (auto message = loop.Run()) {
        return {Outcome::Failed, *std::move(message)};
    }
    return {};
}

}  // namespace zorvex
