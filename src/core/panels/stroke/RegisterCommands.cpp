#include "core/panels/stroke/RegisterCommands.h"

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
}  // namespace

std::string RegisterWrite(Register reg, std::string_view value) {
    return Addressed(kWrite, reg).append(value);
}

std::string RegisterWrite(Register reg, int value) {
    return RegisterWrite(reg, std::to_string(value));
}

std::string RegisterRead(Register reg) {
    return Addressed(kRead, reg);
}

std::string SavedParameterWrite(SavedParameter parameter, std::string_view value) {
    return std::string(kStore).append(parameter.number).append(value);
}

std::string SavedParameterWrite(SavedParameter parameter, int value) {
    return SavedParameterWrite(parameter, std::to_string(value));
}

}  // namespace zorvex
