#pragma once

#include <string>

namespace zorvex::sim {

// The controller's end of a pseudo-terminal. The other end, the device the tool opens, is
// put in raw mode (no echo, no line editing by the tty layer) and kept open here too, so the
// controller's end never sees a hang-up while the tool has the port closed.
class Pty {
  public:
    Pty() = default;
    ~Pty();
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;

    // Returns an error text, empty on success.
    std::string Open();
    void Close();
    bool IsOpen() const { return master_ >= 0; }
    int MasterFd() const { return master_; }
    const std::string& DevicePath() const { return devicePath_; }

    // A symlink at linkPath to the device; an existing symlink there is replaced, anything
    // else is left alone and reported.
    std::string MakeLink(const std::string& linkPath);
    void RemoveLink();

  private:
    int master_ = -1;
    int slave_ = -1;
    std::string devicePath_;
    std::string linkPath_;
};

}  // namespace zorvex::sim
