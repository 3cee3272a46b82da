#include "TcpServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace zorvex::sim {

TcpServer::~TcpServer() {
    Close();
}

std::string TcpServer::Listen(int port) {
    Close();
    if (port_ == 0) {
        port_ = port;
    }
    listen_ = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (listen_ < 0) {
        return std::string("socket: ") + std::strerror(errno);
    }
    const int yes = 1;
    ::setsockopt(listen_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port_));
    socklen_t length = sizeof address;
    if (::bind(listen_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        ::listen(listen_, 4) != 0 ||
        ::getsockname(listen_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        std::string error = "TCP port " + std::to_string(port_) + ": " + std::strerror(errno);
        Close();
        return error;
    }
    port_ = ntohs(address.sin_port);
    return {};
}

void TcpServer::Close() {
    DropClient();
    if (listen_ >= 0) {
        ::close(listen_);
        listen_ = -1;
    }
}

bool TcpServer::Accept() {
    const int caller = ::accept4(listen_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (caller < 0) {
        return false;
    }
    if (client_ >= 0) {
        ::close(caller);
        return false;
    }
    const int yes = 1;
    ::setsockopt(caller, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
    client_ = caller;
    return true;
}

void TcpServer::DropClient() {
    if (client_ >= 0) {
        ::close(client_);
        client_ = -1;
    }
}

std::string TcpServer::Url() const {
    return "socket://127.0.0.1:" + std::to_string(port_);
}

}  // namespace zorvex::sim
