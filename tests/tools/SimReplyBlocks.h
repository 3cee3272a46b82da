#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zorvex::sim::testing {

// The tool's receive framing, as its documentation states it, applied to what the simulator
// sends: each CR becomes "\r\n", LF is dropped, the first CR after a prompt is dropped (the
// prompt before the first answer is taken as already closed by its CR), and a
// block ends with "#" or "$" (kept) ; "!" throws the collected text away.
struct Framed {
    std::vector<std::string> blocks;
    int rejections = 0;
};

inline Framed FrameReplies(std::string_view bytes, bool afterPrompt = false) {
    Framed framed;
    std::string buffer;
    bool dropNextCr = afterPrompt;
    for (char c : bytes) {
        if (c == '\r') {
            if (!dropNextCr) {
                buffer += "\r\n";
            }
            dropNextCr = false;
        } else if (c == '\n') {
        } else {
            buffer += c;
            if (c == '#' || c == '$') {
                framed.blocks.push_back(buffer);
                buffer.clear();
                dropNextCr = true;
            } else if (c == '!') {
                buffer.clear();
                ++framed.rejections;
                dropNextCr = true;
            }
        }
    }
    return framed;
}

}  // namespace zorvex::sim::testing
