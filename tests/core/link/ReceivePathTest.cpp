#include <gtest/gtest.h>

#include "LinkRig.h"

namespace zorvex::testing {
namespace {

using Blocks = std::vector<std::string>;

TEST(ReceivePath, CutsTheSameBlocksHoweverTheTextIsSplitIntoEventsAndWhetherItIsLogged) {
    const struct {
        const char* received;
        Blocks blocks;
        const char* left = "";  // what stays in ReceiveBuffer
    } rows[] = {{"OK\r\n#\r\n", {"OK\r\n#"}},
                {"ab\r\ncd\r\n#\r\n", {"ab\r\ncd\r\n#"}},
                {"#$", {"#", "$"}},
                // Only the first CR after a prompt is dropped, even with text between.
                {"#\r\r\n#", {"#", "\r\n#"}},
                {"#x\r", {"#"}, "x"},
                {"\n\na\n\nb\r\n\n#", {"ab\r\n#"}},
                // Text with nothing outstanding goes into the next block.
                {"stray\r\np\r\n#", {"stray\r\np\r\n#"}},
                {"junk!\r\n", {}}};
    for (const auto& row : rows) {
        // Fed whole, one character per event, and whole while the log is fed too.
        for (int way = 0; way < 3; ++way) {
            LinkRig rig;
            RecordingTrafficLog log;
            rig.rx.SetTrafficLog(&log);
            rig.link.CommLogEnabled = way == 2;
            rig.port.Receive("#\r\n");  // just after a prompt, as between answers
            rig.blocks.clear();
            const std::string text = row.received;
            for (std::size_t at = 0; at < text.size(); at += way == 1 ? 1 : text.size()) {
                rig.port.Receive(text.substr(at, way == 1 ? 1 : text.size()));
            }
            EXPECT_EQ(rig.blocks, row.blocks) << row.received << " way " << way;
            EXPECT_EQ(rig.rx.ReceiveBuffer(), row.left) << row.received << " way " << way;
        }
    }
}

TEST(ReceivePath, FeedsTheLogOnlyWhileLoggingIsOn) {
    LinkRig rig;
    RecordingTrafficLog log;
    rig.rx.SetTrafficLog(&log);
    rig.port.Receive("ab\r\n#\r\n");
    rig.link.CommLogEnabled = true;
    rig.port.Receive("cd\r\n#\r\n");
    EXPECT_EQ(log.text, "cd<CR>#<CR>");
}

TEST(ReceivePath, KeepsABlockThatFillsTheBoundAndDropsOneThatOutgrowsItUpToItsPrompt) {
    LinkRig rig;
    rig.port.Open(1);
    const std::string full(ReceivePath::ReceiveBufferLimit - 1, 'a');
    rig.port.Receive(full);
    rig.port.Receive("#\r\n");
    rig.queue.QueueCommand("dt\r\n");
    rig.queue.QueueCommand("dh\r\n");
    rig.clock.Advance(100);
    for (int i = 0; i < 40; ++i) {
        rig.port.Receive(std::string(4096, 'z') + "\r\n");
        EXPECT_LE(rig.rx.ReceiveBuffer().size(), ReceivePath::ReceiveBufferLimit);
    }
    EXPECT_TRUE(rig.rx.Overflowed());
    rig.port.Receive("#\r\n");  // answers "dt" all the same
    EXPECT_FALSE(rig.rx.Overflowed());
    rig.clock.Advance(100);
    rig.Answer("dh", "#", "Upper Limit = 3\r\n");
    EXPECT_EQ(rig.blocks, (Blocks{full + "#", "dh\r\nUpper Limit = 3\r\n#"}));
    EXPECT_EQ(rig.Writes(), (Blocks{"dt\r\n", "dh\r\n"}));
}

TEST(ReceivePath, RestartsTheKeepAliveOnPromptsOnlyWhileOnline) {
    LinkRig rig;
    rig.port.Receive("#");
    EXPECT_FALSE(rig.ctl.KeepAliveTimer().IsActive());
    rig.data.MonitorOnline = true;
    rig.port.Receive("\r#");
    EXPECT_EQ(rig.ctl.KeepAliveTimer().Interval(), 5000);
    rig.port.Receive("!");
    EXPECT_EQ(rig.ctl.KeepAliveTimer().Interval(), 2000);
}

}  // namespace
}  // namespace zorvex::testing
