#include "E2eHarness.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace zorvex::e2e {

std::string SimulatorPath() {
    return ZORVEX_SIM_PATH;
}

TempDir::TempDir() {
    char pattern[] = "/tmp/zorvex-e2e-XXXXXX";
    const char* made = ::mkdtemp(pattern);
    path_ = made != nullptr ? made : "";
}

TempDir::~TempDir() {
    if (!path_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
}

Process::~Process() {
    Stop();
    if (stdout_ >= 0) {
        ::close(stdout_);
    }
}

bool Process::Start(const std::string& program, const std::vector<std::string>& args,
                    const std::vector<std::string>& extraEnv, bool stdoutPipe,
                    const std::string& stderrFile) {
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
    auto pointers = [](std::vector<std::string>& texts) {
        std::vector<char*> p;
        for (std::string& t : texts) {
            p.push_back(t.data());
        }
        p.push_back(nullptr);
        return p;
    };
    std::vector<char*> argv = pointers(arguments);
    std::vector<char*> envp = pointers(env);
    pid_ = ::fork();
    if (pid_ < 0) {
        return false;
    }
    if (pid_ == 0) {
        // A process group of its own, so a stray signal to ours never reaches it; and ended
        // with us, should the test itself be killed before it can stop the child.
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

bool Process::Running() {
    if (pid_ < 0 || reaped_) {
        return false;
    }
    int status = 0;
    pid_t done = ::waitpid(pid_, &status, WNOHANG);
    if (done == pid_) {
        reaped_ = true;
        status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return false;
    }
    return true;
}

void Process::Signal(int signo) {
    if (Running()) {
        ::kill(pid_, signo);
    }
}

int Process::Stop(std::chrono::milliseconds grace) {
    if (pid_ < 0) {
        return -1;
    }
    if (Running()) {
        ::kill(pid_, SIGTERM);
        if (!WaitUntil([this] { return !Running(); }, grace)) {
            ::kill(pid_, SIGKILL);
            WaitUntil([this] { return !Running(); }, std::chrono::milliseconds(2000));
        }
    }
    return status_;
}

std::string Process::ReadLine(std::chrono::milliseconds timeout) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
        auto newline = pending_.find('\n');
        if (newline != std::string::npos) {
            std::string line = pending_.substr(0, newline);
            pending_.erase(0, newline + 1);
            return line;
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (stdout_ < 0 || left.count() <= 0) {
            return {};
        }
        pollfd fd{stdout_, POLLIN, 0};
        if (::poll(&fd, 1, static_cast<int>(left.count())) <= 0) {
            return {};
        }
        char buffer[256];
        ssize_t n = ::read(stdout_, buffer, sizeof buffer);
        if (n <= 0) {
            return {};
        }
        pending_.append(buffer, static_cast<std::size_t>(n));
    }
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

std::vector<SimRecord> ReadSimLog(const std::string& path) {
    std::vector<SimRecord> records;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        SimRecord record;
        if (!(fields >> record.seconds >> record.kind)) {
            continue;
        }
        std::getline(fields, record.text);
        if (!record.text.empty() && record.text.front() == ' ') {
            record.text.erase(0, 1);
        }
        records.push_back(record);
    }
    return records;
}

std::vector<std::string> Simulator::Commands() const {
    std::vector<std::string> commands;
    for (const SimRecord& r : Log()) {
        if (r.kind == "RX") {
            commands.push_back(r.text);
        }
    }
    return commands;
}

bool Simulator::Start(const std::vector<std::string>& extraArgs) {
    std::vector<std::string> args{"--link", link_, "--log", log_};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    if (!process_.Start(SimulatorPath(), args, {}, true)) {
        return false;
    }
    device_ = process_.ReadLine(std::chrono::milliseconds(5000));
    return !device_.empty();
}

std::string Tool::SettingsFile() const {
    return dir_.File("config/Zorvex/" ZORVEX_APP_TITLE ".conf");
}

bool Tool::Start(const std::string& com1Device) {
    std::filesystem::create_directories(dir_.File("config/Zorvex"));
    {
        std::ofstream conf(SettingsFile());
        conf << "[Configs]\nCommPort=1\n\n[Ports]\nCom1=" << com1Device << "\n";
    }
    return process_.Start(ZORVEX_TOOL_PATH, {},
                          {"QT_QPA_PLATFORM=offscreen", "XDG_CONFIG_HOME=" + dir_.File("config")},
                          false, dir_.File("tool.stderr"));
}

}  // namespace zorvex::e2e
