#pragma once

// Real processes for the end-to-end tests: the monitor simulator on a pseudo-terminal (or its
// TCP port) and the tool's command line, each ended by its own process id.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace zorvex::e2e {

using namespace std::chrono_literals;

// Polls `condition` every 20 ms until it holds or `timeout` passes.
inline bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (; !condition(); std::this_thread::sleep_for(20ms)) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
    }
    return true;
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A folder of its own under /tmp, removed with everything in it.
class TempDir {
  public:
    TempDir() {
        char pattern[] = "/tmp/zorvex-e2e-XXXXXX";
        path_ = ::mkdtemp(pattern) != nullptr ? pattern : "";
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string File(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

// A child process whose standard output is read through ReadLine; ended (TERM, then KILL)
// when the object goes.
class Process {
  public:
    Process() = default;
    ~Process() {
        Stop();
        ::close(stdout_);
    }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // The `env` entries ("NAME=value") come before ours, so they are the ones found.
    bool Start(const std::string& program, const std::vector<std::string>& args,
               std::vector<std::string> env = {}, const std::string& stderrFile = "/dev/null") {
        int pipeFds[2] = {-1, -1};
        if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
            return false;
        }
        for (char** e = environ; *e != nullptr; ++e) {
            env.emplace_back(*e);
        }
        std::vector<std::string> arguments{program};
        arguments.insert(arguments.end(), args.begin(), args.end());
        std::vector<char*> argv = Pointers(arguments), envp = Pointers(env);
        if ((pid_ = ::fork()) == 0) {
            // A process group of its own, so a stray signal to ours never reaches it; and
            // ended with us, should the test itself be killed before it can stop the child.
            ::setpgid(0, 0);
            ::prctl(PR_SET_PDEATHSIG, SIGTERM);
            ::dup2(pipeFds[1], STDOUT_FILENO);
            ::dup2(::open(stderrFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), STDERR_FILENO);
            ::execve(program.c_str(), argv.data(), envp.data());
            ::_exit(127);
        }
        ::close(pipeFds[1]);
        stdout_ = pipeFds[0];
        return pid_ > 0;
    }
    bool Running() {
        int status = 0;
        if (pid_ > 0 && !reaped_ && ::waitpid(pid_, &status, WNOHANG) == pid_) {
            reaped_ = true;
            status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        return pid_ > 0 && !reaped_;
    }
    void Signal(int signo) {
        if (Running()) {
            ::kill(pid_, signo);
        }
    }
    // TERM, then KILL after a grace period. Returns the exit status (-1 if killed or none).
    int Stop() {
        for (int signo : {SIGTERM, SIGKILL}) {
            Signal(signo);
            if (WaitUntil([this] { return !Running(); }, 3000ms)) {
                break;
            }
        }
        return status_;
    }
    // One line of the child's output, without its newline; empty on timeout or end.
    std::string ReadLine(std::chrono::milliseconds timeout) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (pending_.find('\n') == std::string::npos) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            pollfd fd{stdout_, POLLIN, 0};
            char buffer[256];
            ssize_t n = 0;
            if (left.count() <= 0 || ::poll(&fd, 1, static_cast<int>(left.count())) <= 0 ||
                (n = ::read(stdout_, buffer, sizeof buffer)) <= 0) {
                return {};
            }
            pending_.append(buffer, static_cast<std::size_t>(n));
        }
        std::string line = pending_.substr(0, pending_.find('\n'));
        pending_.erase(0, line.size() + 1);
        return line;
    }

  private:
    static std::vector<char*> Pointers(std::vector<std::string>& texts) {
        std::vector<char*> pointers;
        for (std::string& t : texts) {
            pointers.push_back(t.data());
        }
        pointers.push_back(nullptr);
        return pointers;
    }

    pid_t pid_ = -1;
    int stdout_ = -1;
    int status_ = -1;
    bool reaped_ = false;
    std::string pending_;
};

// The simulator started with a link and a log in a folder of its own. Signals: USR1 falls
// silent, USR2 answers again, HUP unplugs and plugs in again.
class Simulator {
  public:
    explicit Simulator(const TempDir& dir)
        : link_(dir.File("ttyZorvex")), log_(dir.File("sim.log")) {}
    // With "--tcp" the device is the simulator's socket:// URL, and there is no link.
    bool Start(const std::vector<std::string>& extraArgs = {}) {
        std::vector<std::string> args{"--log", log_};
        tcp_ = std::find(extraArgs.begin(), extraArgs.end(), "--tcp") != extraArgs.end();
        if (!tcp_) {
            args.insert(args.end(), {"--link", link_});
        }
        args.insert(args.end(), extraArgs.begin(), extraArgs.end());
        device_ = process_.Start(ZORVEX_SIM_PATH, args) ? process_.ReadLine(5000ms) : "";
        return !device_.empty();
    }
    // What the tool opens: the link, which follows the device when it is plugged in again.
    const std::string& Port() const { return tcp_ ? device_ : link_; }
    // The commands the simulator received, in order (its log's "RX" records).
    std::vector<std::string> Commands() const {
        std::vector<std::string> commands;
        std::ifstream in(log_);
        for (std::string line; std::getline(in, line);) {
            std::istringstream fields(line);
            std::string seconds, kind, text;
            if (fields >> seconds >> kind && kind == "RX") {
                fields.ignore(1);  // the blank before the text
                std::getline(fields, text);
                commands.push_back(text);
            }
        }
        return commands;
    }
    // For a failed test: what the simulator received and sent.
    void PrintLog() const { std::printf("simulator log:\n%s", ReadFile(log_).c_str()); }
    Process& process() { return process_; }

  private:
    std::string link_;
    std::string log_;
    std::string device_;
    bool tcp_ = false;
    Process process_;
};

}  // namespace zorvex::e2e
