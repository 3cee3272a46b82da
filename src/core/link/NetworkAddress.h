#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zorvex {

// A serial line reached through a network serial server: raw TCP (bytes as they are) or
// telnet with the COM-PORT option of RFC 2217.
enum class NetworkProtocol { RawTcp, Rfc2217 };

struct NetworkAddress {
    NetworkProtocol protocol = NetworkProtocol::RawTcp;
    std::string host;  // a name or address; an IPv6 address without its brackets
    std::uint16_t port = 0;
    std::string HostPort() const;  // "HOST:PORT", IPv6 in brackets, as the technician wrote it
};

struct NetworkAddressParse {
    std::optional<NetworkAddress> address;
    std::string error;  // why the text is no network port, for the technician
};

// Device text with "://" names a network port ("socket://HOST:PORT" or
// "rfc2217://HOST:PORT") and is never opened as a path.
bool IsNetworkDevice(std::string_view device);
NetworkAddressParse ParseNetworkAddress(std::string_view device);

}  // namespace zorvex
