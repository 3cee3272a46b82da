#include "Options.h"

#include <cerrno>
#include <cstdlib>

namespace zorvex::sim {

namespace {
std::optional<long> Number(const std::string& text, long low, long high) {
    if (text.empty()) {
        return std::nullopt;
    }
    char* end = nullptr;
    errno = 0;
    long value = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

bool IsVersion(const std::string& text) {
    // digits "." digits, as the controller prints it after "V "
    std::size_t dot = text.find('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == text.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i != dot && (text[i] < '0' || text[i] > '9')) {
            return false;
        }
    }
    return text.size() <= 8;
}
}  // namespace

ParsedOptions ParseOptions(const std::vector<std::string>& args) {
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) {
                return false;
            }
            out = args[++i];
            return true;
        };
        auto number = [&](long low, long high, auto& out) {
            std::string text;
            if (!value(text)) {
                return false;
            }
            auto n = Number(text, low, high);
            if (!n) {
                return false;
            }
            out = *n;
            return true;
        };
        bool ok = true;
        if (arg == "-h" || arg == "--help") {
            options.help = true;
        } else if (arg == "--boot") {
            options.bootMode = true;
        } else if (arg == "--short-first") {
            options.shortItemsFirst = true;
        } else if (arg == "--link") {
            ok = value(options.linkPath) && !options.linkPath.empty();
        } else if (arg == "--tcp") {
            ok = number(0, 65535, options.tcpPort);
        } else if (arg == "--log") {
            ok = value(options.logPath) && !options.logPath.empty();
        } else if (arg == "--firmware") {
            ok = value(options.firmwareVersion) && IsVersion(options.firmwareVersion);
        } else if (arg == "--silent-after") {
            ok = number(0, 1000000000, options.faults.silentAfter);
        } else if (arg == "--reject") {
            ok = number(0, 1000000000, options.faults.rejectNext);
        } else if (arg == "--reject-every") {
            ok = number(2, 1000000000, options.faults.rejectEvery);
        } else if (arg == "--reject-always") {
            ok = value(options.faults.rejectAlways) && !options.faults.rejectAlways.empty();
        } else if (arg == "--reject-burst") {
            ok = number(1, 1000000, options.faults.rejectBurst);
        } else if (arg == "--reply-delay") {
            ok = number(0, 60000, options.pacing.replyDelayMs);
        } else if (arg == "--chunk") {
            long size = 0;
            ok = number(1, 4096, size);
            options.pacing.chunkSize = static_cast<std::size_t>(size);
            if (ok && options.pacing.chunkDelayMs == 0) {
                options.pacing.chunkDelayMs = 5;
            }
        } else if (arg == "--chunk-delay") {
            ok = number(0, 10000, options.pacing.chunkDelayMs);
        } else {
            return {std::nullopt, "unknown option: " + arg};
        }
        if (!ok) {
            return {std::nullopt, "missing or bad value for " + arg};
        }
    }
    if (options.tcpPort >= 0 && !options.linkPath.empty()) {
        return {std::nullopt, "--link names a pseudo-terminal; there is none with --tcp"};
    }
    return {options, ""};
}

std::string HelpText(const std::string& program) {
    return "Usage: " + program + R"( [options]

A simulated monitor controller on a pseudo-terminal, for trying the Zorvex service tool
without a monitor, for training, and for the tool's end-to-end tests.

It opens a pseudo-terminal, prints the device path of its end on the first line of its
output (for example /dev/pts/7) and then answers the tool like a controller: the echo of
each command, the answer lines, and the prompt "#" ("$" while in its boot loader), each
line ended by CR LF. It stops on Ctrl+C or SIGTERM.

Using it with the tool:
  1. Start it with a stable name:   )" +
           program + R"( --link /tmp/ttyZorvex
  2. In the tool's "Monitor Connection" window, set the device of Com1 to /tmp/ttyZorvex
     (or put "Com1=/tmp/ttyZorvex" under [Ports] in the tool's settings file), choose
     Com1 and press "OK". The status turns to "Monitor on Com1" within a few seconds.
  scripts/run.sh does all of this for you, with the tool's settings kept in build/run.
  Over the network instead: start it with --tcp 4001 and set the device of Com1 to
  socket://127.0.0.1:4001, as for a network serial server.

What it answers:
  p (ping), g (leave the boot loader), df/de (firmware/ROM version), dt/du (operating
  time), dh (high-voltage limits), dm dms dmu dmt ds dss dst (identity), dx (capability),
  da db dc dw dps dv (status read-outs), dd + table letters (DAC tables: l b h v s and
  their f/p forms, a d e g i k, n), dz (stroke parameters), TYW/TYR/TGW (display
  registers: live write, read, permanent store), CU/CV (terse/verbose), cz0/cz1
  (checking off/on), a<hex>/a+/a- (peek and poke address), rb/rw/rc (read byte, word,
  character), wb<hex>/ww<hex> (write byte, word). Anything else gets "Unknown command".

Options:
  --link PATH         also make PATH a symlink to the pseudo-terminal (removed at exit)
  --tcp PORT          serve on TCP port PORT of 127.0.0.1 instead of a pseudo-terminal,
                      raw bytes, as a network serial server does (0: any free port); the
                      first line of output is then the tool's device for it, for example
                      socket://127.0.0.1:4001; one client at a time
  --log FILE          record every received command and every prompt sent, with the
                      seconds since start ("12.345678 RX df", "12.400001 PROMPT #")
  --boot              start in the boot loader (prompt "$") until "g" is received
  --firmware X.YY     the firmware version to report (default 2.05)
  --short-first       list the short items first in the stroke read-out ("dz")
  --silent-after N    answer N commands, then fall silent (the tool loses the monitor)
  --reject N          answer the next N commands with "!" (the tool sends them again)
  --reject-every K    answer every Kth command with "!"
  --reject-always CMD answer CMD with "!" every time (a command it never takes)
  --reject-burst N    answer the first command other than "p" with N "!" at once
                      (a noisy line), then answer as usual
  --reply-delay MS    wait MS milliseconds after the echo before answering
  --chunk N           send answers in pieces of N bytes ...
  --chunk-delay MS    ... with MS milliseconds between pieces (default 5)
  -h, --help          this text

Signals, to play faults while it runs (PID = its process id):
  kill -USR1 PID      fall silent: no echo, no answer (the tool reconnects by itself
                      once "Auto ReConnect" is on and the monitor answers again)
  kill -USR2 PID      answer again
  kill -HUP PID       unplug the cable: close the pseudo-terminal and remove the link;
                      a second HUP plugs it in again (a new device, the link renewed,
                      its path printed again). With --tcp: stop serving (the client is
                      dropped, callers are refused); a second HUP serves the same port again
)";
}

}  // namespace zorvex::sim
