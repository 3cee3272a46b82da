#include "CommandLog.h"

namespace zorvex::sim {

CommandLog::~CommandLog() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

bool CommandLog::Open(const std::string& path) {
    file_ = std::fopen(path.c_str(), "w");
    return file_ != nullptr;
}

std::string CommandLog::Printable(std::string_view text) {
    std::string out;
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\x%02X", c);
            out += buffer;
        }
    }
    return out;
}

void CommandLog::Record(double seconds, std::string_view kind, std::string_view text) {
    if (file_ == nullptr) {
        return;
    }
    std::fprintf(file_, "%.6f %.*s %s\n", seconds, static_cast<int>(kind.size()), kind.data(),
                 Printable(text).c_str());
    std::fflush(file_);
}

}  // namespace zorvex::sim
