#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "Controller.h"
#include "core/protocol/ResponseDispatcher.h"

namespace zorvex::sim::testing {

// The tool's receive framing, as its documentation states it, applied to what the simulator
// sends: each CR becomes "\r\n", LF is dropped, the first CR after a prompt is dropped (the
// prompt before the first answer is taken as already closed by its CR), and a
// block ends with "#" or "$" (kept) ; "!" throws the collected text away.
struct Framed {
    std::vector<std::string> blocks;
    int rejections = 0;
};

inline Framed FrameReplies(std::string_view bytes) {
    Framed framed;
    std::string buffer;
    bool dropNextCr = false;
    for (char c : bytes) {
        if (c == '\r') {
            buffer += dropNextCr ? "" : "\r\n";
            dropNextCr = false;
        } else if (c != '\n') {
            buffer += c;
            if (c == '#' || c == '$' || c == '!') {
                framed.rejections += c == '!';
                if (c != '!') {
                    framed.blocks.push_back(buffer);
                }
                buffer.clear();
                dropNextCr = true;
            }
        }
    }
    return framed;
}

// The one block the tool frames from the answer to `command`.
inline std::string OnlyBlock(Controller& controller, std::string_view command) {
    auto framed = FrameReplies(controller.Answer(command));
    EXPECT_EQ(framed.blocks.size(), 1u) << command;
    return framed.blocks.empty() ? std::string() : framed.blocks.front();
}

}  // namespace zorvex::sim::testing
