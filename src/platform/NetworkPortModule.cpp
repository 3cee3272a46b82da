#include "platform/NetworkPortModule.h"

#include "platform/QtNetworkPort.h"

extern "C" __attribute__((visibility("default"))) zorvex::SerialPort* zorvex_make_network_port(
    const zorvex::SerialPortMap& map) {
    return new zorvex::QtNetworkPort(map);
}
