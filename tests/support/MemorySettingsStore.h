#pragma once

#include <map>
#include <string>
#include <utility>

#include "core/settings/SettingsStore.h"

namespace zorvex::testing {

class MemorySettingsStore : public SettingsStore {
public:
    std::string Read(std::string_view section, std::string_view key,
                     std::string_view defaultValue) const override {
        ++reads;
        auto it = values.find({std::string(section), std::string(key)});
        return it == values.end() ? std::string(defaultValue) : it->second;
    }
    void Write(std::string_view section, std::string_view key, std::string_view value) override {
        values[{std::string(section), std::string(key)}] = std::string(value);
    }
    bool Has(const std::string& section, const std::string& key) const {
        return values.count({section, key}) != 0;
    }
    std::string Get(const std::string& section, const std::string& key) const {
        auto it = values.find({section, key});
        return it == values.end() ? std::string() : it->second;
    }

    std::map<std::pair<std::string, std::string>, std::string> values;
    mutable int reads = 0;
};

}  // namespace zorvex::testing
