#include "core/link/NetworkAddress.h"

#include <algorithm>
#include <cctype>

namespace zorvex {

namespace {
constexpr std::string_view kSeparator = "://";
constexpr const char* kHowToWrite =
    " Write socket://HOST:PORT for raw TCP or rfc2217://HOST:PORT for RFC 2217.";

std::string Lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

bool IsHostChar(char c, bool bracketed) {
    const auto u = static_cast<unsigned char>(c);
    if (bracketed) {
        return std::isxdigit(u) || c == ':' || c == '.';
    }
    return std::isalnum(u) || c == '-' || c == '.' || c == '_';
}
}  // namespace

std::string NetworkAddress::HostPort() const {
    const bool ipv6 = host.find(':') != std::string::npos;
    return (ipv6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

bool IsNetworkDevice(std::string_view device) {
    return device.find(kSeparator) != std::string_view::npos;
}

NetworkAddressParse ParseNetworkAddress(std::string_view device) {
    const std::string quoted = "The network port \"" + std::string(device) + "\" ";
    auto fail = [&](const std::string& problem) {
        return NetworkAddressParse{std::nullopt, quoted + problem + kHowToWrite};
    };
    const std::size_t separator = device.find(kSeparator);
    if (separator == std::string_view::npos) {
        return fail("is no URL.");
    }
    NetworkAddress address;
    const std::string scheme = Lower(device.substr(0, separator));
    if (scheme == "socket") {
        address.protocol = NetworkProtocol::RawTcp;
    } else if (scheme == "rfc2217") {
        address.protocol = NetworkProtocol::Rfc2217;
    } else {
        return fail("is of a kind the tool does not know (\"" + scheme + "://\").");
    }
    std::string_view rest = device.substr(separator + kSeparator.size());
    // An IPv6 address comes in brackets, since its colons would hide the port's.
    const bool bracketed = rest.starts_with('[');
    std::size_t colon;
    if (bracketed) {
        const std::size_t close = rest.find(']');
        if (close == std::string_view::npos) {
            return fail("has no closing \"]\" after its IPv6 address.");
        }
        address.host = std::string(rest.substr(1, close - 1));
        colon = close + 1 < rest.size() && rest[close + 1] == ':' ? close + 1 : std::string::npos;
    } else {
        colon = rest.rfind(':');
        address.host = std::string(rest.substr(0, std::min(colon, rest.size())));
    }
    if (address.host.empty()) {
        return fail("has no host: the serial server's name or address.");
    }
    if (!std::all_of(address.host.begin(), address.host.end(),
                     [&](char c) { return IsHostChar(c, bracketed); })) {
        return fail("has \"" + address.host + "\", which is no host name or address.");
    }
    const std::string_view portText =
        colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
    if (portText.empty()) {
        return fail("has no port number after the host.");
    }
    if (!std::all_of(portText.begin(), portText.end(),
                     [](char c) { return std::isdigit(static_cast<unsigned char>(c)); })) {
        return fail("has \"" + std::string(portText) + "\" where the port number belongs.");
    }
    const std::string digits(portText.substr(0, std::min<std::size_t>(portText.size(), 6)));
    const long number = portText.size() > 6 ? 0 : std::stol(digits);
    if (number < 1 || number > 65535) {
        return fail("has the port number " + std::string(portText) +
                    ", which must be from 1 to 65535.");
    }
    address.port = static_cast<std::uint16_t>(number);
    return {address, {}};
}

}  // namespace zorvex
