#pragma once

namespace zorvex {

class SerialPort;
class SerialPortMap;

// The one entry of the network serial server module (zorvex-network.so): a new port on the
// map's "socket://" and "rfc2217://" devices, owned by the caller. The module carries Qt
// Network and the libraries it pulls in, which the tool thus loads only when a network device
// is first opened.
using MakeNetworkPortFunction = SerialPort* (*)(const SerialPortMap& map);
inline constexpr const char* kMakeNetworkPortSymbol = "zorvex_make_network_port";

}  // namespace zorvex
