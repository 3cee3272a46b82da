#include "Controller.h"

#include <cstdio>

namespace zorvex::sim {

namespace {
bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

std::string TimeValue(long seconds) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%ld,%ld,%ld,%ld", seconds / 86400, seconds / 3600 % 24,
                  seconds / 60 % 60, seconds % 60);
    return buffer;
}

std::string Hex(unsigned value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%02X", value);
    return buffer;
}

const char* const kUnknown = "Unknown command";
}  // namespace

Controller::Controller(bool bootMode) : bootMode_(bootMode) {}

std::string Controller::Echo(std::string_view command) {
    std::string echo;
    for (char c : command) {
        bool printable = c >= 0x20 && c < 0x7F && c != '#' && c != '$' && c != '!';
        echo += printable ? c : '?';
    }
    return echo;
}

std::string Controller::Rejection(std::string_view command, long count) {
    return Echo(command) + "\r\n" + std::string(static_cast<std::size_t>(count), '!') + "\r\n";
}

std::string Controller::Answer(std::string_view command) {
    Reply reply = Interpret(command);
    std::string text = Echo(command) + "\r\n";
    for (const std::string& line : reply.lines) {
        text += line + "\r\n";
    }
    text += reply.prompt;
    text += "\r\n";
    return text;
}

Controller::Reply Controller::Interpret(std::string_view command) {
    Reply reply;
    if (bootMode_) {
        // The boot loader knows the ping and the command that starts the firmware.
        if (command == "g") {
            bootMode_ = false;
            reply.lines.push_back("Starting monitor firmware");
        } else if (!command.empty() && command != "p") {
            reply.lines.push_back("Boot loader: command not available");
        }
    } else {
        reply.lines = NormalAnswer(command);
    }
    reply.prompt = Prompt();
    return reply;
}

std::vector<std::string> Controller::OperatingTime() const {
    return {TimeValue(identity_.storedSeconds), TimeValue(uptimeSeconds_),
            std::to_string(identity_.cycles)};
}

std::vector<std::string> Controller::NormalAnswer(std::string_view command) {
    const Identity& id = identity_;
    if (command.empty() || command == "p") {
        return {};
    }
    if (command == "g") {
        return {"Monitor firmware running"};
    }
    if (command == "df") {
        return {"V " + id.firmwareVersion};
    }
    if (command == "de") {
        return {"V " + id.romVersion};
    }
    if (command == "dt" || command == "du") {
        return OperatingTime();
    }
    if (command == "dh") {
        return {"Current Limit = " + std::to_string(id.currentLimit),
                "Upper Limit = " + std::to_string(id.upperLimit),
                "Lower Limit = " + std::to_string(id.lowerLimit),
                "HV Control Value = 180",
                "Focus Control Value = 122",
                "Focus H Control Value = 64",
                "Focus V Control Value = 66",
                "G2 Control Value = 140",
                "Video +80V Control Value = 201"};
    }
    // Identification: the label stands at the start of the answer, the tool relies on it.
    if (command == "dm" || command == "dms") {
        return {"Model Number = " + id.modelNumber};
    }
    if (command == "dmu") {
        return {"Model Number = " + id.partNumber};
    }
    if (command == "dmt") {
        return {"Model Number = " + id.crtPartNumber};
    }
    if (command == "ds" || command == "dss") {
        return {"Serial Number = " + id.serialNumber};
    }
    if (command == "dst") {
        return {"Serial Number = " + id.crtSerialNumber};
    }
    if (command == "dx") {
        return {"Capability = " + Hex(id.capability)};
    }
    if (command == "da") {
        return {"+5V = 5.02 V",  "+12V = 11.94 V", "-12V = -12.07 V",
                "+80V = 79.6 V", "HV = 24.9 kV",   "Temp = 41 C"};
    }
    if (command == "db") {
        return {"Boot block: valid, version 1.10", "Flash: programmed, checksum OK"};
    }
    if (command == "dc") {
        return {"Configuration: stroke raster, scan set 1", "Input: stroke x/y, 60 Hz"};
    }
    if (command == "dw") {
        return {"Model type = 5 (stroke raster)"};
    }
    if (command == "dps") {
        return {"Photocell = 312", "Operating status = normal"};
    }
    if (command == "dv") {
        return {"H Freq = 31.47 kHz", "V Freq = 60.00 Hz"};
    }
    if (command == "dz") {
        return {stroke_.ParameterReadout()};
    }
    if (StartsWith(command, "dd")) {
        auto table = dacs_.Answer(command.substr(2));
        return {table ? *table : kUnknown};
    }
    if (command == "CU" || command == "CV") {
        verbose_ = command == "CV";
        return {verbose_ ? "Verbose answers" : "Terse answers"};
    }
    if (command == "cz0" || command == "cz1") {
        checking_ = command == "cz1";
        return {checking_ ? "Checking enabled" : "Checking disabled"};
    }
    if (command == "a+") {
        return {memory_.StepAddress(1)};
    }
    if (command == "a-") {
        return {memory_.StepAddress(-1)};
    }
    if (StartsWith(command, "a")) {
        return {memory_.SetAddress(command.substr(1))};
    }
    if (command == "rb") {
        return {memory_.ReadByte()};
    }
    if (command == "rw") {
        return {memory_.ReadWord()};
    }
    if (command == "rc") {
        return {memory_.ReadChar()};
    }
    if (StartsWith(command, "wb")) {
        return {memory_.WriteByte(command.substr(2))};
    }
    if (StartsWith(command, "ww")) {
        return {memory_.WriteWord(command.substr(2))};
    }
    if (StartsWith(command, "TYW")) {
        return {stroke_.LiveWrite(command.substr(3))};
    }
    if (StartsWith(command, "TYR")) {
        return {stroke_.LiveRead(command.substr(3))};
    }
    if (StartsWith(command, "TGW")) {
        return {stroke_.Store(command.substr(3))};
    }
    return {kUnknown};
}

}  // namespace zorvex::sim
