#include "core/data/MdfFieldStream.h"

namespace zorvex {

namespace {
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}
}  // namespace

std::optional<MdfFieldStream::Field> MdfFieldStream::Next() {
    if (AtEnd()) {
        return std::nullopt;
    }
    while (!AtEnd() && IsBlank(bytes_[pos_])) {
        ++pos_;
    }
    Field field;
    if (!AtEnd() && bytes_[pos_] == '"') {
        field.quoted = true;
        const std::size_t start = pos_ + 1;
        const std::size_t close = bytes_.find('"', start);
        const std::size_t end = close == std::string_view::npos ? bytes_.size() : close;
        field.text.assign(bytes_.substr(start, end - start));
        pos_ = end;
        SkipPastDelimiter();
        return field;
    }
    const std::size_t start = pos_;
    while (!AtEnd() && bytes_[pos_] != ',' && !IsLineEnd(bytes_[pos_])) {
        ++pos_;
    }
    std::size_t end = pos_;
    while (end > start && IsBlank(bytes_[end - 1])) {
        --end;
    }
    field.text.assign(bytes_.substr(start, end - start));
    SkipPastDelimiter();
    return field;
}

void MdfFieldStream::SkipPastDelimiter() {
    while (!AtEnd()) {
        const char c = bytes_[pos_++];
        if (c == ',' || c == '\n') {
            return;
        }
        if (c == '\r') {
            if (!AtEnd() && bytes_[pos_] == '\n') {
                ++pos_;
            }
            return;
        }
    }
}

bool MdfFieldStream::OnlyBlankLinesLeft() const {
    for (std::size_t i = pos_; i < bytes_.size(); ++i) {
        if (!IsBlank(bytes_[i]) && !IsLineEnd(bytes_[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace zorvex
