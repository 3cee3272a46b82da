#pragma once

#include <QLibrary>
#include <memory>
#include <string>

#include "core/support/SerialPort.h"

namespace zorvex {

class SerialPortMap;

// Loads the network serial server module the first time a network device is opened: from
// beside the program (a build tree), else from the installed module folder. The module stays
// loaded for the life of the loader, so its owner keeps the loader longer than the ports.
class NetworkPortLoader {
  public:
    // A new port on the map's devices, or nullptr with the reason, in words for the
    // connection window, in `why`.
    std::unique_ptr<SerialPort> MakePort(const SerialPortMap& map, std::string& why);

  private:
    bool Load(std::string& why);

    QLibrary module_;
};

}  // namespace zorvex
