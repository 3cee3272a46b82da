#include "CommandFramer.h"

namespace zorvex::sim {

std::vector<std::string> CommandFramer::Feed(std::string_view bytes) {
    std::vector<std::string> lines;
    for (char c : bytes) {
        switch (c) {
            case '\r':
                lines.push_back(line_);
                line_.clear();
                break;
            case '\n':
            case '\0':
                break;
            case '\b':
            case 0x7F:
                if (!line_.empty()) {
                    line_.pop_back();
                }
                break;
            default:
                if (line_.size() < kMaxLine) {
                    line_ += c;
                }
                break;
        }
    }
    return lines;
}

}  // namespace zorvex::sim
