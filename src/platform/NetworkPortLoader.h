#pragma once

#include <QLibrary>
#include <QStringList>
#include <memory>
#include <string>

#include "core/support/SerialPort.h"

namespace zorvex {

class SerialPortMap;

// Loads the network serial server module the first time a network device is opened: from
// beside the program (a build tree), else from the installed module folder. Once loaded, the
// module stays for the life of the process.
class NetworkPortLoader {
  public:
    // Beside the program, then the installed module folder.
    static QStringList InstalledPlaces();
    // The module files to try, in order; the first that exists is the one loaded.
    explicit NetworkPortLoader(QStringList places = InstalledPlaces());

    // A new port on the map's devices, or nullptr with the reason, in words for the
    // connection window, in `why`.
    std::unique_ptr<SerialPort> MakePort(const SerialPortMap& map, std::string& why);

  private:
    bool Load(std::string& why);

    QStringList places_;
    QLibrary module_;
};

}  // namespace zorvex
