// zorvex-monitor-sim: a simulated monitor controller on a pseudo-terminal or a TCP port.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "CommandFramer.h"
#include "CommandLog.h"
#include "Controller.h"
#include "Options.h"
#include "OutputScheduler.h"
#include "Pty.h"
#include "Session.h"
#include "TcpServer.h"

using namespace zorvex::sim;

namespace {

int gSignalPipe[2] = {-1, -1};

void OnSignal(int signo) {
    int saved = errno;
    unsigned char byte = static_cast<unsigned char>(signo);
    [[maybe_unused]] ssize_t n = ::write(gSignalPipe[1], &byte, 1);
    errno = saved;
}

bool InstallSignals() {
    if (::pipe2(gSignalPipe, O_NONBLOCK | O_CLOEXEC) != 0) {
        return false;
    }
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    for (int signo : {SIGTERM, SIGINT, SIGUSR1, SIGUSR2, SIGHUP}) {
        sigaction(signo, &action, nullptr);
    }
    signal(SIGPIPE, SIG_IGN);
    return true;
}

int64_t MonotonicMicros() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1000000 + ts.tv_nsec / 1000;
}

class Simulator {
  public:
    explicit Simulator(const Options& options)
        : options_(options),
          controller_(options.bootMode),
          session_(controller_, options.faults),
          output_(options.pacing),
          start_(MonotonicMicros()) {
        if (!options.firmwareVersion.empty()) {
            controller_.identity().firmwareVersion = options.firmwareVersion;
        }
        controller_.stroke().SetShortItemsFirst(options.shortItemsFirst);
    }

    bool Start() {
        if (!options_.logPath.empty() && !log_.Open(options_.logPath)) {
            std::fprintf(stderr, "cannot write the log %s\n", options_.logPath.c_str());
            return false;
        }
        return PlugIn();
    }

    int Run() {
        while (running_) {
            Step();
        }
        Unplug();
        return 0;
    }

  private:
    double Seconds() const { return static_cast<double>(MonotonicMicros() - start_) / 1e6; }
    int64_t NowMs() const { return (MonotonicMicros() - start_) / 1000; }

    bool Tcp() const { return options_.tcpPort >= 0; }
    bool Plugged() const { return Tcp() ? tcp_.IsListening() : pty_.IsOpen(); }
    int LinkFd() const { return Tcp() ? tcp_.ClientFd() : pty_.MasterFd(); }

    bool PlugIn() {
        if (Tcp()) {
            std::string error = tcp_.Listen(static_cast<int>(options_.tcpPort));
            if (!error.empty()) {
                std::fprintf(stderr, "%s\n", error.c_str());
                return false;
            }
            std::printf("%s\n", tcp_.Url().c_str());
            std::fflush(stdout);
            log_.Record(Seconds(), "EVENT", "plugged " + tcp_.Url());
            return true;
        }
        std::string error = pty_.Open();
        if (!error.empty()) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return false;
        }
        if (!options_.linkPath.empty()) {
            error = pty_.MakeLink(options_.linkPath);
            if (!error.empty()) {
                std::fprintf(stderr, "%s\n", error.c_str());
            }
        }
        // The first line of output is the device, for whoever started us.
        std::printf("%s\n", pty_.DevicePath().c_str());
        std::fflush(stdout);
        log_.Record(Seconds(), "EVENT", "plugged " + pty_.DevicePath());
        return true;
    }

    void Unplug() {
        if (!Plugged()) {
            return;
        }
        tcp_.Close();
        pty_.RemoveLink();
        pty_.Close();
        ForgetLine();
        log_.Record(Seconds(), "EVENT", "unplugged");
    }

    // What was under way on the line belongs to nobody once the line is gone.
    void ForgetLine() {
        output_.Clear();
        unsent_.clear();
        framer_.Reset();
    }

    void OnCaller() {
        if (tcp_.Accept()) {
            ForgetLine();
            log_.Record(Seconds(), "EVENT", "client connected");
        }
    }

    void OnSignals() {
        unsigned char signals[16];
        ssize_t n;
        while ((n = ::read(gSignalPipe[0], signals, sizeof signals)) > 0) {
            for (ssize_t i = 0; i < n; ++i) {
                switch (signals[i]) {
                    case SIGTERM:
                    case SIGINT:
                        running_ = false;
                        break;
                    case SIGUSR1:
                        session_.SetSilent(true);
                        log_.Record(Seconds(), "EVENT", "silent");
                        break;
                    case SIGUSR2:
                        session_.SetSilent(false);
                        log_.Record(Seconds(), "EVENT", "answering");
                        break;
                    case SIGHUP:
                        if (Plugged()) {
                            Unplug();
                        } else if (!PlugIn()) {
                            running_ = false;
                        }
                        break;
                    default:
                        break;
                }
            }
        }
    }

    void OnCommand(const std::string& command) {
        log_.Record(Seconds(), "RX", command);
        controller_.SetUptimeSeconds(static_cast<long>(Seconds()));
        bool wasSilent = session_.Silent();
        Session::Result result = session_.OnCommand(command);
        if (!wasSilent && session_.Silent()) {
            log_.Record(Seconds(), "EVENT", "silent");
        }
        if (result.bytes.empty()) {
            return;
        }
        // The echo goes out at once; the answer may wait (--reply-delay).
        std::size_t echoEnd = result.bytes.find("\r\n");
        echoEnd = echoEnd == std::string::npos ? 0 : echoEnd + 2;
        std::string_view bytes = result.bytes;
        output_.Add(NowMs(), bytes.substr(0, echoEnd), bytes.substr(echoEnd));
    }

    void ReadMaster() {
        if (LinkFd() < 0) {
            return;  // the line went away in this same step
        }
        char buffer[4096];
        ssize_t n = ::read(LinkFd(), buffer, sizeof buffer);
        if (n > 0) {
            for (const std::string& command : framer_.Feed(std::string_view(buffer, n))) {
                OnCommand(command);
            }
        } else if (Tcp() && (n == 0 || (errno != EAGAIN && errno != EINTR))) {
            tcp_.DropClient();
            ForgetLine();
            log_.Record(Seconds(), "EVENT", "client left");
        } else if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
            // Should not happen while we hold the device open ourselves; do not spin on it.
            masterQuietUntilMs_ = NowMs() + 200;
        }
    }

    void WriteMaster() {
        unsent_ += output_.TakeDue(NowMs());
        if (LinkFd() < 0) {
            unsent_.clear();  // no client: the answer goes nowhere, as on an open line
        }
        if (unsent_.empty()) {
            return;
        }
        ssize_t n = ::write(LinkFd(), unsent_.data(), unsent_.size());
        if (n <= 0) {
            if (n < 0 && errno != EAGAIN && errno != EINTR) {
                unsent_.clear();
            }
            return;
        }
        double now = Seconds();
        for (ssize_t i = 0; i < n; ++i) {
            char c = unsent_[static_cast<std::size_t>(i)];
            if (c == '#' || c == '$' || c == '!') {
                log_.Record(now, "PROMPT", std::string(1, c));
            }
        }
        unsent_.erase(0, static_cast<std::size_t>(n));
    }

    void Step() {
        std::vector<pollfd> fds;
        fds.push_back({gSignalPipe[0], POLLIN, 0});
        int64_t now = NowMs();
        std::size_t callers = 0;
        if (tcp_.IsListening()) {
            callers = fds.size();
            fds.push_back({tcp_.ListenFd(), POLLIN, 0});
        }
        const bool hasLink = LinkFd() >= 0;
        bool watchMaster = hasLink && now >= masterQuietUntilMs_;
        std::size_t line = 0;
        if (watchMaster) {
            short events = POLLIN;
            if (!unsent_.empty()) {
                events |= POLLOUT;
            }
            line = fds.size();
            fds.push_back({LinkFd(), events, 0});
        }
        int timeout = -1;
        int64_t due = output_.NextDueMs();
        if (due >= 0 && unsent_.empty()) {
            timeout = static_cast<int>(due > now ? due - now : 0);
        }
        if (hasLink && !watchMaster) {
            int64_t wait = masterQuietUntilMs_ - now;
            timeout =
                timeout < 0 ? static_cast<int>(wait) : std::min(timeout, static_cast<int>(wait));
        }
        int ready = ::poll(fds.data(), fds.size(), timeout);
        if (ready < 0 && errno != EINTR) {
            running_ = false;
            return;
        }
        if (fds[0].revents & POLLIN) {
            OnSignals();
        }
        if (!running_ || !Plugged()) {
            return;
        }
        if (line > 0 && (fds[line].revents & (POLLIN | POLLHUP | POLLERR))) {
            ReadMaster();
        }
        if (callers > 0 && (fds[callers].revents & POLLIN)) {
            OnCaller();
        }
        WriteMaster();
    }

    Options options_;
    Controller controller_;
    Session session_;
    OutputScheduler output_;
    CommandFramer framer_;
    CommandLog log_;
    Pty pty_;
    TcpServer tcp_;
    std::string unsent_;
    int64_t start_;
    int64_t masterQuietUntilMs_ = 0;
    bool running_ = true;
};

}  // namespace

int main(int argc, char* argv[]) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string program = argc > 0 ? argv[0] : "zorvex-monitor-sim";
    ParsedOptions parsed = ParseOptions(args);
    if (!parsed.options) {
        std::fprintf(stderr, "%s: %s (see --help)\n", program.c_str(), parsed.error.c_str());
        return 2;
    }
    if (parsed.options->help) {
        std::fputs(HelpText(program).c_str(), stdout);
        return 0;
    }
    if (!InstallSignals()) {
        std::perror("pipe");
        return 1;
    }
    Simulator simulator(*parsed.options);
    if (!simulator.Start()) {
        return 1;
    }
    return simulator.Run();
}
