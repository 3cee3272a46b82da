#pragma once

#include <string>

namespace zorvex::sim {

// Who the simulated controller says it is, and its fixed readings. The texts are chosen so
// that they never contain a prompt character ("#", "$", "!").
struct Identity {
    std::string modelNumber = "ZX-5120";
    std::string serialNumber = "SIM0042";
    std::string partNumber = "7741-200";
    std::string crtPartNumber = "CRT-19-55";
    std::string crtSerialNumber = "C19-3381";
    std::string firmwareVersion = "2.05";  // answered as "V 2.05"
    std::string romVersion = "1.10";
    unsigned capability = 0x2D;  // LVPS, video, deflection, convergence

    // Operating time: the stored time, to which the time since power-up is added by the monitor
    // as a second value, and the power cycles.
    long storedSeconds = 1234L * 86400 + 5 * 3600 + 7 * 60 + 9;
    long cycles = 417;

    int currentLimit = 200;
    int upperLimit = 28;
    int lowerLimit = 12;
};

}  // namespace zorvex::sim
