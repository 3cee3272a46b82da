#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "DacTables.h"
#include "Identity.h"
#include "Memory.h"
#include "StrokeRegisters.h"

namespace zorvex::sim {

// The command interpreter of the simulated controller: one command line in, the bytes the
// controller sends back out (echo, answer lines, prompt), each line ended by CR LF.
class Controller {
  public:
    explicit Controller(bool bootMode = false);

    std::string Answer(std::string_view command);
    // The same, split into its parts, for checks.
    struct Reply {
        std::vector<std::string> lines;
        char prompt = '#';
    };
    Reply Interpret(std::string_view command);

    // The answer to a command that is not taken: echo, then "!".
    static std::string Rejection(std::string_view command, long count = 1);
    // The echo as sent: printable characters only, never a prompt character.
    static std::string Echo(std::string_view command);

    bool BootMode() const { return bootMode_; }
    char Prompt() const { return bootMode_ ? '$' : '#'; }
    // Seconds since power-up, the second time value of the operating time answer.
    void SetUptimeSeconds(long seconds) { uptimeSeconds_ = seconds; }

    Identity& identity() { return identity_; }
    const DacTables& dacTables() const { return dacs_; }
    Memory& memory() { return memory_; }
    StrokeRegisters& stroke() { return stroke_; }

  private:
    std::vector<std::string> NormalAnswer(std::string_view command);
    std::vector<std::string> OperatingTime() const;

    bool bootMode_;
    bool verbose_ = true;
    bool checking_ = true;
    long uptimeSeconds_ = 0;
    Identity identity_;
    DacTables dacs_;
    Memory memory_;
    StrokeRegisters stroke_{memory_};
};

}  // namespace zorvex::sim
