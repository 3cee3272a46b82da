#include "core/protocol/ReplyReaders.h"

namespace zorvex {

std::string_view SkipLeadingBlanks(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() &&
           (text[i] == '\r' || text[i] == ' ' || text[i] == '\n' || text[i] == '\t')) {
        ++i;
    }
    return text.substr(i);
}

}  // namespace zorvex
