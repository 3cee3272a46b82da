#pragma once

// Real processes for the end-to-end tests: the monitor simulator on a pseudo-terminal (or its
// TCP port) and the tool's command line, each ended by its own process id.
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace zorvex::e2e {

using namespace std::chrono_literals;

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A folder of its own under /tmp, removed with everything in it.
struct TempDir {
    TempDir() {
        char pattern[] = "/tmp/zorvex-e2e-XXXXXX";
        path = ::mkdtemp(pattern) != nullptr ? pattern : "";
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::string File(const std::string& name) const { return path + "/" + name; }
    std::string path;
};

// A child process, its standard output and error in files; ended (TERM, then KILL) when the
// object goes.
class Process {
  public:
    ~Process() { Stop(); }
    // The `env` entries ("NAME=value") come before ours, so they are the ones found.
    bool Start(const std::string& program, const std::vector<std::string>& args,
               std::vector<std::string> env, const std::string& outFile,
               const std::string& errFile = "/dev/null") {
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
            ::dup2(::open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), STDOUT_FILENO);
            ::dup2(::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), STDERR_FILENO);
            ::execve(program.c_str(), argv.data(), envp.data());
            ::_exit(127);
        }
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
    // Waits up to `bound` for the child to end by itself, then TERM, then KILL after a grace
    // period. Returns the exit status (-1 if killed or none).
    int Stop(std::chrono::milliseconds bound = 0ms) {
        for (auto [signo, wait] : {std::pair{0, bound}, {SIGTERM, 3000ms}, {SIGKILL, 3000ms}}) {
            Signal(signo);
            const auto deadline = std::chrono::steady_clock::now() + wait;
            while (Running() && std::chrono::steady_clock::now() < deadline) {
                std::this_thread::sleep_for(20ms);
            }
        }
        return status_;
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
    int status_ = -1;
    bool reaped_ = false;
};

// The simulator started with a link and a log in a folder of its own. Signals: USR1 falls
// silent, USR2 answers again, HUP unplugs and plugs in again.
class Simulator {
  public:
    explicit Simulator(const TempDir& dir)
        : link_(dir.File("ttyZorvex")), log_(dir.File("sim.log")), out_(dir.File("sim.out")) {}
    // With "--tcp" the device is the simulator's socket:// URL, and there is no link.
    bool Start(const std::vector<std::string>& extraArgs = {}) {
        std::vector<std::string> args{"--log", log_};
        tcp_ = std::find(extraArgs.begin(), extraArgs.end(), "--tcp") != extraArgs.end();
        if (!tcp_) {
            args.insert(args.end(), {"--link", link_});
        }
        args.insert(args.end(), extraArgs.begin(), extraArgs.end());
        std::filesystem::remove(out_);
        device_.clear();
        process_.Start(ZORVEX_SIM_PATH, args, {}, out_);
        // Its first line names its device.
        for (int i = 0; i < 250 && process_.Running() && device_.empty(); ++i) {
            std::this_thread::sleep_for(20ms);
            const std::string out = ReadFile(out_);
            device_ = out.substr(0, out.find('\n') == std::string::npos ? 0 : out.find('\n'));
        }
        return !device_.empty();
    }
    // What the tool opens: the link, which follows the device when it is plugged in again.
    const std::string& Port() const { return tcp_ ? device_ : link_; }
    // The commands the simulator received, in order (its log's "RX" records).
    std::vector<std::string> Commands() const {
        std::vector<std::string> commands;
        std::ifstream in(log_);
        for (std::string line; std::getline(in, line);) {
            if (const auto at = line.find(" RX "); at != std::string::npos) {
                commands.push_back(line.substr(at + 4));
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
    std::string out_;
    std::string device_;
    bool tcp_ = false;
    Process process_;
};

}  // namespace zorvex::e2e
