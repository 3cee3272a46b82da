#pragma once

// Real processes for the end-to-end tests: the monitor simulator on a pseudo-terminal (or its
// TCP port) and the headless tool, each ended by its own process id.
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
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
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

// A folder of its own under /tmp, removed with everything in it.
class TempDir {
  public:
    TempDir() {
        char pattern[] = "/tmp/zorvex-e2e-XXXXXX";
        const char* made = ::mkdtemp(pattern);
        path_ = made != nullptr ? made : "";
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

// A child process, ended (TERM, then KILL after a grace period) when the object goes.
class Process {
  public:
    Process() = default;
    ~Process() {
        Stop();
        if (stdout_ >= 0) {
            ::close(stdout_);
        }
    }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // stdoutPipe: keep the child's standard output readable through ReadLine.
    bool Start(const std::string& program, const std::vector<std::string>& args,
               const std::vector<std::string>& extraEnv, bool stdoutPipe,
               const std::string& stderrFile = "/dev/null") {
        int pipeFds[2] = {-1, -1};
        if (stdoutPipe && ::pipe2(pipeFds, O_CLOEXEC) != 0) {
            return false;
        }
        // Our environment, with the extra entries in place of those of the same name.
        std::vector<std::string> env(extraEnv);
        for (char** e = environ; *e != nullptr; ++e) {
            std::string_view entry(*e);
            if (std::none_of(extraEnv.begin(), extraEnv.end(), [&](const std::string& x) {
                    return entry.starts_with(x.substr(0, x.find('=') + 1));
                })) {
                env.emplace_back(entry);
            }
        }
        std::vector<std::string> arguments{program};
        arguments.insert(arguments.end(), args.begin(), args.end());
        std::vector<char*> argv = Pointers(arguments);
        std::vector<char*> envp = Pointers(env);
        pid_ = ::fork();
        if (pid_ < 0) {
            return false;
        }
        if (pid_ == 0) {
            // A process group of its own, so a stray signal to ours never reaches it; and
            // ended with us, should the test itself be killed before it can stop the child.
            ::setpgid(0, 0);
            ::prctl(PR_SET_PDEATHSIG, SIGTERM);
            ::dup2(stdoutPipe ? pipeFds[1] : ::open("/dev/null", O_WRONLY), STDOUT_FILENO);
            int err = ::open(stderrFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (err >= 0) {
                ::dup2(err, STDERR_FILENO);
            }
            ::execve(program.c_str(), argv.data(), envp.data());
            ::_exit(127);
        }
        if (stdoutPipe) {
            ::close(pipeFds[1]);
            stdout_ = pipeFds[0];
        }
        reaped_ = false;
        return true;
    }
    bool Running() {
        if (pid_ < 0 || reaped_) {
            return false;
        }
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            reaped_ = true;
            status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            return false;
        }
        return true;
    }
    void Signal(int signo) {
        if (Running()) {
            ::kill(pid_, signo);
        }
    }
    // TERM, wait up to `grace`, then KILL. Returns the exit status (-1 if killed or none).
    int Stop(std::chrono::milliseconds grace = 3000ms) {
        if (Running()) {
            ::kill(pid_, SIGTERM);
            if (!WaitUntil([this] { return !Running(); }, grace)) {
                ::kill(pid_, SIGKILL);
                WaitUntil([this] { return !Running(); }, 2000ms);
            }
        }
        return status_;
    }
    // One line of the child's output, without its newline; empty on timeout or end.
    std::string ReadLine(std::chrono::milliseconds timeout) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        for (auto newline = pending_.find('\n'); newline == std::string::npos;
             newline = pending_.find('\n')) {
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            pollfd fd{stdout_, POLLIN, 0};
            char buffer[256];
            ssize_t n = 0;
            if (stdout_ < 0 || left.count() <= 0 ||
                ::poll(&fd, 1, static_cast<int>(left.count())) <= 0 ||
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

// A TCP socket on a free port of 127.0.0.1, listening when backlog >= 0; closed when it goes.
struct LoopbackSocket {
    explicit LoopbackSocket(int backlog = -1)
        : fd(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
        socklen_t length = sizeof address;
        ::bind(fd, reinterpret_cast<sockaddr*>(&address), length);
        if (backlog >= 0) {
            ::listen(fd, backlog);
        }
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    }
    ~LoopbackSocket() { ::close(fd); }
    int Port() const { return ntohs(address.sin_port); }
    int fd;
    sockaddr_in address{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
};

// One record of the simulator's --log file.
struct SimRecord {
    double seconds = 0;
    std::string kind;  // RX, PROMPT, EVENT
    std::string text;
};

inline std::string SimulatorPath() {
    return ZORVEX_SIM_PATH;
}

// The simulator started with a link and a log in a folder of its own.
class Simulator {
  public:
    explicit Simulator(const TempDir& dir)
        : link_(dir.File("ttyZorvex")), log_(dir.File("sim.log")) {}
    // With "--tcp" the device is the simulator's socket:// URL, and there is no link.
    bool Start(const std::vector<std::string>& extraArgs = {}) {
        std::vector<std::string> args{"--log", log_};
        if (std::find(extraArgs.begin(), extraArgs.end(), "--tcp") == extraArgs.end()) {
            args.insert(args.end(), {"--link", link_});
        }
        args.insert(args.end(), extraArgs.begin(), extraArgs.end());
        if (!process_.Start(SimulatorPath(), args, {}, true)) {
            return false;
        }
        device_ = process_.ReadLine(5000ms);
        return !device_.empty();
    }
    const std::string& Link() const { return link_; }
    const std::string& Device() const { return device_; }
    std::vector<SimRecord> Log() const {
        std::vector<SimRecord> records;
        std::ifstream in(log_);
        for (std::string line; std::getline(in, line);) {
            std::istringstream fields(line);
            SimRecord record;
            if (fields >> record.seconds >> record.kind) {
                fields.ignore(1);  // the blank before the text
                std::getline(fields, record.text);
                records.push_back(record);
            }
        }
        return records;
    }
    // The commands the simulator received, in order.
    std::vector<std::string> Commands() const {
        std::vector<std::string> commands;
        for (const SimRecord& r : Log()) {
            if (r.kind == "RX") {
                commands.push_back(r.text);
            }
        }
        return commands;
    }
    // For a failed test: what the simulator received and sent.
    void PrintLog() const {
        for (const auto& r : Log()) {
            std::printf("  sim %.3f %s %s\n", r.seconds, r.kind.c_str(), r.text.c_str());
        }
    }
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
    bool Start(const std::string& com1Device) {
        std::filesystem::create_directories(dir_.File("config/Zorvex"));
        std::ofstream(dir_.File("config/Zorvex/" ZORVEX_APP_TITLE ".conf"))
            << "[Configs]\nCommPort=1\n\n[Ports]\nCom1=" << com1Device << "\n";
        return process_.Start(
            ZORVEX_TOOL_PATH, {},
            {"QT_QPA_PLATFORM=offscreen", "XDG_CONFIG_HOME=" + dir_.File("config")}, false,
            dir_.File("tool.stderr"));
    }
    Process& process() { return process_; }

  private:
    const TempDir& dir_;
    Process process_;
};

}  // namespace zorvex::e2e
