#pragma once

#include <QTcpSocket>
#include <QTimer>

#include <cstdint>
#include <string>

namespace testserver {

class Client;
class Server;

// --flood: a while after a connected client joins its first channel, a few members join it and
// talk as fast as the client's socket takes the bytes. The server says on standard output when the
// first byte goes (with the system's monotonic clock, for a reader that times the client) and when
// the last has been written.
class Flood {
public:
    Flood(Server& server, Client& client, std::int64_t events, int delayMs);
    ~Flood();
    Flood(const Flood&) = delete;
    Flood& operator=(const Flood&) = delete;

    bool floods(const Client& client) const { return &client_ == &client; }

private:
    void start();
    void pump();

    Server& server_;
    Client& client_;
    std::int64_t events_;
    QTimer delay_;
    QMetaObject::Connection written_;
    std::string bytes_;
    std::size_t sent_ = 0;
    bool reportedEnd_ = false;
};

}  // namespace testserver
