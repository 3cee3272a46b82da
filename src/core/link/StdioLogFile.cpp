#include "core/link/StdioLogFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace zorvex {

namespace {

std::string SystemError(int error) {
    return error != 0 ? std::string(std::strerror(error)) : std::string("unknown error");
}

class StdioLogFile : public LogFile {
  public:
    explicit StdioLogFile(std::FILE* stream) : stream_(stream) {}
    ~StdioLogFile() override { Close(); }

    bool Write(std::string_view bytes) override {
        if (stream_ == nullptr) {
            return Fail(EBADF);
        }
        errno = 0;
        if (std::fwrite(bytes.data(), 1, bytes.size(), stream_) != bytes.size()) {
            return Fail(errno);
        }
        return true;
    }

    bool Flush() override {
        if (stream_ == nullptr) {
            return Fail(EBADF);
        }
        errno = 0;
        if (std::fflush(stream_) != 0) {
            return Fail(errno);
        }
        return true;
    }

    bool Close() override {
        if (stream_ == nullptr) {
            return true;
        }
        errno = 0;
        const bool flushed = std::fflush(stream_) == 0;
        const int flushError = errno;
        errno = 0;
        const bool closed = std::fclose(stream_) == 0;
        const int closeError = errno;
        stream_ = nullptr;
        if (!flushed) {
            return Fail(flushError);
        }
        if (!closed) {
            return Fail(closeError);
        }
        return true;
    }

    std::string LastError() const override { return lastError_; }

  private:
    bool Fail(int error) {
        lastError_ = SystemError(error);
        return false;
    }

    std::FILE* stream_;
    std::string lastError_;
};

}  // namespace

LogFileCreation StdioLogFileCreator::Create(const std::string& path) {
    errno = 0;
    std::FILE* stream = std::fopen(path.c_str(), "wb");
    if (stream == nullptr) {
        return {nullptr, SystemError(errno)};
    }
    return {std::make_unique<StdioLogFile>(stream), {}};
}

}  // namespace zorvex
