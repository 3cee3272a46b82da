// The simulator as a process on a real pseudo-terminal: what a tool on the other end sees.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "E2eHarness.h"

namespace zorvex::e2e {
namespace {

using namespace std::chrono_literals;

// The tool's end of the line, opened raw like a serial port.
class Line {
  public:
    explicit Line(const std::string& path) {
        fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (fd_ >= 0) {
            termios tio{};
            tcgetattr(fd_, &tio);
            cfmakeraw(&tio);
            tcsetattr(fd_, TCSANOW, &tio);
        }
    }
    ~Line() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    bool IsOpen() const { return fd_ >= 0; }
    void Send(const std::string& bytes) {
        std::size_t sent = 0;
        while (sent < bytes.size()) {
            pollfd p{fd_, POLLOUT, 0};
            ASSERT_GT(::poll(&p, 1, 2000), 0);
            ssize_t n = ::write(fd_, bytes.data() + sent, bytes.size() - sent);
            ASSERT_GT(n, 0);
            sent += static_cast<std::size_t>(n);
        }
    }
    // Reads until `ending` has arrived or the time is up.
    std::string ReadUntil(const std::string& ending, std::chrono::milliseconds timeout) {
        std::string got;
        auto deadline = std::chrono::steady_clock::now() + timeout;
        while (got.size() < ending.size() ||
               got.compare(got.size() - ending.size(), ending.size(), ending) != 0) {
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            pollfd p{fd_, POLLIN, 0};
            if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0) {
                break;
            }
            if (p.revents & (POLLHUP | POLLERR)) {
                hungUp_ = true;
                break;
            }
            char buffer[512];
            ssize_t n = ::read(fd_, buffer, sizeof buffer);
            if (n <= 0) {
                hungUp_ = true;
                break;
            }
            got.append(buffer, static_cast<std::size_t>(n));
        }
        return got;
    }
    bool HungUp() const { return hungUp_; }

  private:
    int fd_ = -1;
    bool hungUp_ = false;
};

bool IsLinkTo(const std::string& link, const std::string& device) {
    std::error_code ec;
    return std::filesystem::is_symlink(link, ec) &&
           std::filesystem::read_symlink(link, ec).string() == device;
}

TEST(SimProcess, PrintsItsDeviceLinksItAndRemovesTheLinkWhenTerminated) {
    TempDir dir;
    Simulator sim(dir);
    ASSERT_TRUE(sim.Start());
    EXPECT_EQ(sim.Device().rfind("/dev/pts/", 0), 0u) << sim.Device();
    EXPECT_TRUE(IsLinkTo(sim.Link(), sim.Device()));
    EXPECT_EQ(sim.process().Stop(), 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(sim.Link())));
}

TEST(SimProcess, AnInterruptEndsItCleanlyToo) {
    TempDir dir;
    Simulator sim(dir);
    ASSERT_TRUE(sim.Start());
    sim.process().Signal(SIGINT);
    EXPECT_TRUE(WaitUntil([&] { return !sim.process().Running(); }, 3000ms));
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(sim.Link())));
}

TEST(SimProcess, AnswersThroughTheLinkAndLogsCommandsAndPromptsInOrder) {
    TempDir dir;
    Simulator sim(dir);
    ASSERT_TRUE(sim.Start());
    Line line(sim.Link());
    ASSERT_TRUE(line.IsOpen());
    line.Send("p\r\n");
    EXPECT_EQ(line.ReadUntil("#\r\n", 2000ms), "p\r\n#\r\n");
    line.Send("df\r\n");
    EXPECT_EQ(line.ReadUntil("#\r\n", 2000ms), "df\r\nV 2.05\r\n#\r\n");
    ASSERT_TRUE(WaitUntil([&] { return sim.Log().size() >= 5; }, 2000ms));
    auto log = sim.Log();
    std::vector<std::pair<std::string, std::string>> seen;
    for (const auto& r : log) {
        seen.emplace_back(r.kind, r.text);
    }
    EXPECT_EQ(seen[1], (std::pair<std::string, std::string>{"RX", "p"}));
    EXPECT_EQ(seen[2], (std::pair<std::string, std::string>{"PROMPT", "#"}));
    EXPECT_EQ(seen[3], (std::pair<std::string, std::string>{"RX", "df"}));
    for (std::size_t i = 1; i < log.size(); ++i) {
        EXPECT_GE(log[i].seconds, log[i - 1].seconds);
    }
}

TEST(SimProcess, FallsSilentOnUsr1AndAnswersAgainOnUsr2) {
    TempDir dir;
    Simulator sim(dir);
    ASSERT_TRUE(sim.Start());
    Line line(sim.Link());
    sim.process().Signal(SIGUSR1);
    ASSERT_TRUE(WaitUntil([&] { return sim.Log().back().text == "silent"; }, 2000ms));
    line.Send("p\r\n");
    EXPECT_EQ(line.ReadUntil("#\r\n", 500ms), "");
    sim.process().Signal(SIGUSR2);
    ASSERT_TRUE(WaitUntil([&] { return sim.Log().back().text == "answering"; }, 2000ms));
    line.Send("p\r\n");
    EXPECT_EQ(line.ReadUntil("#\r\n", 2000ms), "p\r\n#\r\n");
    EXPECT_EQ(sim.Commands(), (std::vector<std::string>{"p", "p"}));
}

TEST(SimProcess, SendsAnswersInChunksAfterTheReplyDelay) {
    TempDir dir;
    Simulator sim(dir);
    ASSERT_TRUE(sim.Start({"--reply-delay", "200", "--chunk", "2", "--chunk-delay", "5"}));
    Line line(sim.Link());
    line.Send("df\r\n");
    EXPECT_EQ(line.ReadUntil("#\r\n", 3000ms), "df\r\nV 2.05\r\n#\r\n");
    auto log = sim.Log();
    double rx = 0;
    double prompt = 0;
    for (const auto& r : log) {
        if (r.kind == "RX") {
            rx = r.seconds;
        }
        if (r.kind == "PROMPT") {
            prompt = r.seconds;
        }
    }
    // Delay plus at least a few chunk pauses; no upper bound asserted (a busy machine).
    EXPECT_GE(prompt - rx, 0.2);
}

TEST(SimProcess, HangUpUnplugsAndASecondHangUpPlugsInANewDevice) {
    TempDir dir;
    Simulator sim(dir);
    ASSERT_TRUE(sim.Start());
    {
        Line line(sim.Link());
        ASSERT_TRUE(line.IsOpen());
        sim.process().Signal(SIGHUP);
        line.ReadUntil("never", 2000ms);
        EXPECT_TRUE(line.HungUp());
        EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(sim.Link())));
    }
    sim.process().Signal(SIGHUP);
    std::string device = sim.process().ReadLine(3000ms);
    ASSERT_FALSE(device.empty());
    EXPECT_TRUE(IsLinkTo(sim.Link(), device));
    Line again(sim.Link());
    again.Send("p\r\n");
    EXPECT_EQ(again.ReadUntil("#\r\n", 2000ms), "p\r\n#\r\n");
}

TEST(SimProcess, SurvivesGarbageAndStillAnswers) {
    TempDir dir;
    Simulator sim(dir);
    ASSERT_TRUE(sim.Start());
    Line line(sim.Link());
    std::string garbage;
    for (int i = 0; i < 20000; ++i) {
        garbage += static_cast<char>((i * 7919) & 0xFF);
    }
    line.Send(garbage);
    line.ReadUntil("never", 500ms);
    line.Send("\r\np\r\n");
    std::string answer = line.ReadUntil("p\r\n#\r\n", 3000ms);
    EXPECT_TRUE(answer.ends_with("p\r\n#\r\n"));
    EXPECT_TRUE(sim.process().Running());
}

TEST(SimProcess, RefusesABadOptionWithAUsageHint) {
    Process process;
    TempDir dir;
    ASSERT_TRUE(process.Start(SimulatorPath(), {"--reject", "x"}, {}, true, dir.File("err")));
    EXPECT_TRUE(WaitUntil([&] { return !process.Running(); }, 3000ms));
    EXPECT_EQ(process.Stop(), 2);
}

}  // namespace
}  // namespace zorvex::e2e
