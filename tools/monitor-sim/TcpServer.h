#pragma once

#include <string>

namespace zorvex::sim {

// The controller's line served on a TCP port of the loopback address, raw bytes, as a
// network serial server does: one client at a time; another that calls meanwhile is let in
// and closed at once, as a busy server does.
class TcpServer {
  public:
    TcpServer() = default;
    ~TcpServer();
    TcpServer(const TcpServer&) = delete;
    TcpServer& operator=(const TcpServer&) = delete;

    // Port 0 picks a free one; listening again later keeps the port first bound. Returns an
    // error text, empty on success.
    std::string Listen(int port);
    // Stops listening and drops the client: callers are refused until Listen again.
    void Close();
    bool IsListening() const { return listen_ >= 0; }
    int ListenFd() const { return listen_; }
    int ClientFd() const { return client_; }
    // Takes a waiting caller; true when it became the client.
    bool Accept();
    void DropClient();
    // The device text the tool takes for this server.
    std::string Url() const;

  private:
    int listen_ = -1;
    int client_ = -1;
    int port_ = 0;
};

}  // namespace zorvex::sim
