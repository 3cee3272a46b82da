#include "platform/NetworkPortModule.h"

#include "platform/QtNetworkPort.h"

extern "C" __attribute__((visibility("default"))) zorvex::SerialPort* ZORVEX_NETWORK_ENTRY(
    const zorvex::SerialPortMap& map) {
    return new zorvex::QtNetworkPort(map);
}
