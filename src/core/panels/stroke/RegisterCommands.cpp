#include "core/panels/stroke/RegisterCommands.h"

#include <algorithm>
#include <iterator>

namespace zorvex {

namespace {
constexpr std::string_view kWrite = "TYW";
constexpr std::string_view kRead = "TYR";
constexpr std::string_view kStore = "TGW";

std::string Addressed(std::string_view family, Register reg) {
    std::string command;
    command.reserve(family.size() + reg.number.size() + 1);
    command.append(family).append(reg.number).push_back(static_cast<char>(reg.bank));
    return command;
}

// A value is sent as it stands, except that a line break in it (from a garbled read-out or a
// pasted text) would end the command early and send the rest as a second command.
void AppendValue(std::string& command, std::string_view value) {
    std::copy_if(value.begin(), value.end(), std::back_inserter(command),
                 [](char c) { return c != '\r' && c != '\n'; });
}
}  // namespace

std::string RegisterWrite(Register reg, std::string_view value) {
    std::string command = Addressed(kWrite, reg);
    AppendValue(command, value);
    return command;
}

std::string RegisterWrite(Register reg, int value) {
    return RegisterWrite(reg, std::to_string(value));
}

std::string RegisterRead(Register reg) {
    return Addressed(kRead, reg);
}

std::string SavedParameterWrite(SavedParameter parameter, std::string_view value) {
    std::string command = std::string(kStore).append(parameter.number);
    AppendValue(command, value);
    return command;
}

std::string SavedParameterWrite(SavedParameter parameter, int value) {
    return SavedParameterWrite(parameter, std::to_string(value));
}

}  // namespace zorvex
