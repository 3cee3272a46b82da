#include "Pty.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace zorvex::sim {

namespace {
std::string SystemError(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}
}  // namespace

Pty::~Pty() {
    RemoveLink();
    Close();
}

std::string Pty::Open() {
    Close();
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0) {
        return SystemError("posix_openpt");
    }
    if (grantpt(master_) != 0 || unlockpt(master_) != 0) {
        std::string error = SystemError("grantpt/unlockpt");
        Close();
        return error;
    }
    char name[PATH_MAX];
    if (ptsname_r(master_, name, sizeof name) != 0) {
        std::string error = SystemError("ptsname");
        Close();
        return error;
    }
    devicePath_ = name;
    slave_ = ::open(name, O_RDWR | O_NOCTTY);
    if (slave_ < 0) {
        std::string error = SystemError("open pseudo-terminal");
        Close();
        return error;
    }
    termios tio{};
    if (tcgetattr(slave_, &tio) == 0) {
        cfmakeraw(&tio);
        cfsetispeed(&tio, B9600);
        cfsetospeed(&tio, B9600);
        tio.c_cflag |= CLOCAL | CREAD;
        tcsetattr(slave_, TCSANOW, &tio);
    }
    int flags = fcntl(master_, F_GETFL);
    fcntl(master_, F_SETFL, flags | O_NONBLOCK);
    fcntl(master_, F_SETFD, FD_CLOEXEC);
    fcntl(slave_, F_SETFD, FD_CLOEXEC);
    return {};
}

void Pty::Close() {
    if (slave_ >= 0) {
        ::close(slave_);
        slave_ = -1;
    }
    if (master_ >= 0) {
        ::close(master_);
        master_ = -1;
    }
}

std::string Pty::MakeLink(const std::string& linkPath) {
    struct stat st {};
    if (lstat(linkPath.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) {
            return linkPath + " exists and is not a symlink; left alone";
        }
        ::unlink(linkPath.c_str());
    }
    if (::symlink(devicePath_.c_str(), linkPath.c_str()) != 0) {
        return SystemError(("symlink " + linkPath).c_str());
    }
    linkPath_ = linkPath;
    return {};
}

void Pty::RemoveLink() {
    if (linkPath_.empty()) {
        return;
    }
    // Only our own link: it must still point at our device.
    char target[PATH_MAX];
    ssize_t n = ::readlink(linkPath_.c_str(), target, sizeof target - 1);
    if (n > 0) {
        target[n] = '\0';
        if (devicePath_ == target) {
            ::unlink(linkPath_.c_str());
        }
    }
    linkPath_.clear();
}

}  // namespace zorvex::sim
