#pragma once

#include <string>
#include <string_view>

namespace zorvex {

// The per-user key/value store of texts, addressed by section and key, kept under the
// application title. Every read goes to the store; nothing is cached.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::string Read(std::string_view section, std::string_view key,
                             std::string_view defaultValue) const = 0;
    virtual void Write(std::string_view section, std::string_view key, std::string_view value) = 0;
};

// Typed reads: a missing key, or a stored text that is not a number, gives the default.
long long ReadWholeNumber(const SettingsStore& store, std::string_view section,
                          std::string_view key, long long defaultValue);
double ReadSingle(const SettingsStore& store, std::string_view section, std::string_view key,
                  double defaultValue);
// "True"/"False" switches (case-insensitive, as the tool writes them); anything else is the default.
bool ReadTrueFalse(const SettingsStore& store, std::string_view section, std::string_view key,
                   bool defaultValue);

void WriteWholeNumber(SettingsStore& store, std::string_view section, std::string_view key,
                      long long value);
void WriteSingle(SettingsStore& store, std::string_view section, std::string_view key,
                 double value);
void WriteTrueFalse(SettingsStore& store, std::string_view section, std::string_view key,
                    bool value);
void WriteOneZero(SettingsStore& store, std::string_view section, std::string_view key,
                  bool value);

}  // namespace zorvex
