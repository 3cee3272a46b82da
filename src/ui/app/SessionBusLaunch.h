#pragma once

namespace zorvex {

// Without a session bus announced (DBUS_SESSION_BUS_ADDRESS unset, no $XDG_RUNTIME_DIR/bus),
// libdbus looks for one by forking the whole process to run dbus-launch, the first time
// anything asks; at start-up the menu bar and accessibility both do. Where dbus-launch is not
// installed that can only fail, after the fork. While this object holds, such a machine is
// told plainly that there is no session bus; End() gives the programs the tool starts later
// the environment as it was. Make it before any thread starts, since it sets a variable; End()
// only removes one, which a reader on another thread at worst misses for that moment.
class FutileBusLaunchSkip {
  public:
    // libdbus runs the launcher from its own folder first, then from the PATH.
    explicit FutileBusLaunchSkip(const char* installedLauncher = "/usr/bin/dbus-launch");
    ~FutileBusLaunchSkip() { End(); }
    FutileBusLaunchSkip(const FutileBusLaunchSkip&) = delete;
    FutileBusLaunchSkip& operator=(const FutileBusLaunchSkip&) = delete;

    void End();

  private:
    bool set_ = false;
};

}  // namespace zorvex
