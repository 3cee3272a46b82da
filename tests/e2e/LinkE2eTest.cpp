// The link a technician sees: online through refusals, each refusal given one resend, a
// command refused for good dropped, and a monitor that falls silent or is unplugged found
// again by itself, on the pseudo-terminal and on a network serial server alike.
#include <signal.h>

#include <QApplication>
#include <QMessageBox>

#include "AppOnSimulator.h"

namespace zorvex::e2e {
namespace {

class LinkOnSimulator : public OnSimulator {
  protected:
    // Silent (USR1) and back (USR2), then unplugged and plugged in (HUP twice); no message
    // box is left on the screen.
    void LoseAndFindAgain() {
        long from = 0;  // the first command since the tool last went online
        for (auto [lose, back] : {std::pair{SIGUSR1, SIGUSR2}, {SIGHUP, SIGHUP}}) {
            // Lost once the link is idle: after the keep-alive that follows the version.
            ASSERT_TRUE(
                Spin([&] { return At("df", from) >= 0 && At("p", At("df", from)) > 0; }, 10000));
            sim.process().Signal(lose);
            ASSERT_TRUE(Spin([&] { return !tool->Online(); }, 10000)) << "still online " << lose;
            from = sim.Commands().size();
            sim.process().Signal(back);
            ASSERT_TRUE(Spin([&] { return tool->Online(); }, 15000)) << "not back " << lose;
        }
        int boxes = 0;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            boxes += qobject_cast<QMessageBox*>(window) != nullptr && window->isVisible();
        }
        EXPECT_EQ(boxes, 0);
    }
};

TEST_F(LinkOnSimulator, ARefusalGetsOneResendAndTheResendLimitDropsTheCommand) {
    // The first ping gets "!", "df" at connection ten "!" at once, "de" "!" every time.
    StartTool({"--reject", "1", "--reject-burst", "10", "--reject-always", "de"});
    ASSERT_TRUE(Spin([&] { return Count("df") == 2; }, 5000));
    auto commands = sim.Commands();
    commands.erase(commands.begin(), commands.begin() + At("p"));
    commands.resize(4);
    EXPECT_EQ(commands, (std::vector<std::string>{"p", "p", "df", "df"}));
    tool->Menu(MenuCommand::InfoVersion);
    // "de" is sent with its five resends and dropped: the version request after it goes
    // out, and after that the keep-alive.
    EXPECT_TRUE(Spin([&] { return At("p", At("df", At("de")) + 1) > 0; }, 15000));
    EXPECT_EQ(Count("de"), 6);
    EXPECT_EQ(Count("df"), 3);
}

TEST_F(LinkOnSimulator, OnThePseudoTerminalTheMonitorIsFoundAgainByItself) {
    StartTool();
    LoseAndFindAgain();
}

TEST_F(LinkOnSimulator, OnTheSimulatorsTcpPortTheMonitorIsFoundAgainByItself) {
    StartTool({"--tcp", "0"});  // socket://127.0.0.1:port
    LoseAndFindAgain();
}

}  // namespace
}  // namespace zorvex::e2e
