#pragma once

namespace zorvex {

class SerialPort;
class SerialPortMap;

// The one entry of the network serial server module (zorvex-network.so): a new port on the
// map's "socket://" and "rfc2217://" devices, owned by the caller. The module carries Qt
// Network and the libraries it pulls in, which the tool thus loads only when a network device
// is first opened.
//
// The entry's name carries the tool's version, so a module of another version, whose classes
// may be laid out otherwise, is refused instead of called.
using MakeNetworkPortFunction = SerialPort* (*)(const SerialPortMap& map);

#define ZORVEX_NETWORK_ENTRY_NAME(major, minor, patch) \
    zorvex_make_network_port_##major##_##minor##_##patch
#define ZORVEX_NETWORK_ENTRY_OF(major, minor, patch) ZORVEX_NETWORK_ENTRY_NAME(major, minor, patch)
#define ZORVEX_NETWORK_ENTRY \
    ZORVEX_NETWORK_ENTRY_OF(ZORVEX_VERSION_MAJOR, ZORVEX_VERSION_MINOR, ZORVEX_VERSION_PATCH)
#define ZORVEX_NETWORK_TEXT_OF(name) #name
#define ZORVEX_NETWORK_TEXT(name) ZORVEX_NETWORK_TEXT_OF(name)

inline constexpr const char* kMakeNetworkPortSymbol = ZORVEX_NETWORK_TEXT(ZORVEX_NETWORK_ENTRY);

}  // namespace zorvex
