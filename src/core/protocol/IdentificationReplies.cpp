#include "core/protocol/IdentificationReplies.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>

#include "core/protocol/ReplyReaders.h"

namespace zorvex {

namespace {

constexpr char ErrorMark = '!';

// Stores an identification value and, where the answer has one, its label.
void StoreIdentification(std::string_view text, std::string_view label, std::string& field,
                         InfoLabels* labels, InfoLabel infoLabel) {
    std::optional<std::string> value = ReadIdentificationValue(text, label);
    if (!value) {
        return;
    }
    field = *value;
    if (labels != nullptr) {
        labels->SetInfoLabel(infoLabel, field);
    }
}

// The version of a version answer, or nothing for an error answer or one without a
// capital "V" and a digit.
std::optional<std::string> VersionOf(std::string_view text) {
    if (text.find(ErrorMark) != std::string_view::npos) {
        return std::nullopt;
    }
    return ReadVersionText(text);
}

constexpr const char* VersionPrefix = "V ";

}  // namespace

bool PartNumberSupportedAfter(int firmwareVersionNumber, bool previous) {
    if (firmwareVersionNumber >= 300 || firmwareVersionNumber <= 138) {
        return false;
    }
    if (firmwareVersionNumber >= 200 && firmwareVersionNumber <= 298) {
        return true;
    }
    return previous;
}

void IdentificationReplies::Register(ResponseDispatcher& dispatcher) {
    using H = ReplyHandlerId;
    dispatcher.Register(H::ModelNumber, [this](std::string_view t) { HandleModelNumber(t); });
    dispatcher.Register(H::PartNumber, [this](std::string_view t) { HandlePartNumber(t); });
    dispatcher.Register(H::CrtPartNumber, [this](std::string_view t) { HandleCrtPartNumber(t); });
    dispatcher.Register(H::SerialNumber, [this](std::string_view t) { HandleSerialNumber(t); });
    dispatcher.Register(H::CrtSerialNumber,
                        [this](std::string_view t) { HandleCrtSerialNumber(t); });
    dispatcher.Register(H::RomVersion, [this](std::string_view t) { HandleRomVersion(t); });
    dispatcher.Register(H::FirmwareVersion,
                        [this](std::string_view t) { HandleFirmwareVersion(t); });
    dispatcher.Register(H::Capability, [this](std::string_view t) { HandleCapability(t); });
}

void IdentificationReplies::HandleModelNumber(std::string_view text) {
    StoreIdentification(text, ModelNumberLabel, data_.ModelNumber, &labels_, InfoLabel::Model);
}

void IdentificationReplies::HandlePartNumber(std::string_view text) {
    StoreIdentification(text, ModelNumberLabel, data_.PartNumber, &labels_, InfoLabel::Part);
}

void IdentificationReplies::HandleCrtPartNumber(std::string_view text) {
    // No window shows the CRT numbers; they only go to the data file.
    StoreIdentification(text, ModelNumberLabel, data_.CrtPartNumber, nullptr, InfoLabel::Part);
}

void IdentificationReplies::HandleSerialNumber(std::string_view text) {
    StoreIdentification(text, SerialNumberLabel, data_.SerialNumber, &labels_, InfoLabel::Serial);
}

void IdentificationReplies::HandleCrtSerialNumber(std::string_view text) {
    StoreIdentification(text, SerialNumberLabel, data_.CrtSerialNumber, nullptr, InfoLabel::Serial);
}

void IdentificationReplies::HandleRomVersion(std::string_view text) {
    std::optional<std::string> version = VersionOf(text);
    if (!version) {
        return;
    }
    data_.RomVersion = VersionPrefix + *version;
    labels_.SetInfoLabel(InfoLabel::RomVersion, data_.RomVersion);
}

void IdentificationReplies::HandleFirmwareVersion(std::string_view text) {
    // The firmware answer must itself begin with the version letter (either case).
    if (text.empty() || std::toupper(static_cast<unsigned char>(text.front())) != 'V') {
        return;
    }
    std::optional<std::string> version = VersionOf(text);
    if (!version) {
        return;
    }
    // A version that is no plain number (such as "2.0.5") would give a family number that
    // means nothing; the answer is dropped whole rather than stored half.
    std::optional<int16_t> number = VersionHundredths(*version);
    if (!number) {
        return;
    }
    data_.FirmwareVersion = VersionPrefix + *version;
    data_.FirmwareVersionNumber = *number;
    data_.PartNumberSupported = PartNumberSupportedAfter(*number, data_.PartNumberSupported);
    labels_.SetInfoLabel(InfoLabel::FirmwareVersion, data_.FirmwareVersion);
}

void IdentificationReplies::HandleCapability(std::string_view text) {
    const auto at = text.find(CapabilityLabel);
    if (at == std::string_view::npos) {
        return;
    }
    // Blanks before the number are the monitor's layout; no number at all is no word, not
    // one with every bit set.
    std::string_view number = text.substr(at + CapabilityLabel.size());
    number.remove_prefix(std::min(number.size(), number.find_first_not_of(" \t")));
    const auto word = TryReadCNumber(number);
    if (!word) {
        return;
    }
    for (int bit = 0; bit < CapabilityFlagCount; ++bit) {
        data_.CapabilityFlags[static_cast<std::size_t>(bit)] =
            ((static_cast<uint32_t>(*word) >> bit) & 1U) != 0;
    }
}

}  // namespace zorvex
