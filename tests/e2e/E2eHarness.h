#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace zorvex::e2e {

// A folder of its own under /tmp, removed with everything in it.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

// A child process, ended (TERM, then KILL after a grace period) when the object goes.
class Process {
  public:
    Process() = default;
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // stdoutPipe: keep the child's standard output readable through ReadLine.
    bool Start(const std::string& program, const std::vector<std::string>& args,
               const std::vector<std::string>& extraEnv, bool stdoutPipe,
               const std::string& stderrFile = "/dev/null");
    bool Running();
    void Signal(int signo);
    // TERM, wait up to `grace`, then KILL. Returns the exit status (-1 if killed or none).
    int Stop(std::chrono::milliseconds grace = std::chrono::milliseconds(3000));
    // One line of the child's output, without its newline; empty on timeout or end.
    std::string ReadLine(std::chrono::milliseconds timeout);

  private:
    pid_t pid_ = -1;
    int stdout_ = -1;
    int status_ = -1;
    bool reaped_ = false;
    std::string pending_;
};

// Polls `condition` every 20 ms until it holds or `timeout` passes.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout);

// One record of the simulator's --log file.
struct SimRecord {
    double seconds = 0;
    std::string kind;  // RX, PROMPT, EVENT
    std::string text;
};
std::vector<SimRecord> ReadSimLog(const std::string& path);

// The simulator started with a link and a log in a folder of its own.
class Simulator {
  public:
    explicit Simulator(const TempDir& dir)
        : link_(dir.File("ttyZorvex")), log_(dir.File("sim.log")) {}
    bool Start(const std::vector<std::string>& extraArgs = {});
    const std::string& Link() const { return link_; }
    const std::string& Device() const { return device_; }
    const std::string& LogPath() const { return log_; }
    std::vector<SimRecord> Log() const { return ReadSimLog(log_); }
    // The commands the simulator received, in order.
    std::vector<std::string> Commands() const;
    Process& process() { return process_; }

  private:
    std::string link_;
    std::string log_;
    std::string device_;
    Process process_;
};

// The real tool, headless, with settings of its own that point Com1 at the simulator.
class Tool {
  public:
    explicit Tool(const TempDir& dir) : dir_(dir) {}
    bool Start(const std::string& com1Device);
    Process& process() { return process_; }
    std::string SettingsFile() const;

  private:
    const TempDir& dir_;
    Process process_;
};

std::string SimulatorPath();

}  // namespace zorvex::e2e
