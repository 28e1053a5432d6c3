#pragma once

#include <QTcpSocket>

#include <cstdint>
#include <deque>
#include <string>

#include "chat_event.h"

namespace testserver {

class Server;

// One connection: picks the protocol from its first byte, logs the user on and turns the user's
// packets or lines into server actions.
class Client {
public:
    Client(Server& server, QTcpSocket* socket);
    // A member without a connection (the demo's scripted members): whatever is sent to it is dropped.
    explicit Client(Server& server);
    ~Client();

    bool hasConnection() const { return socket_ != nullptr; }
    QTcpSocket* connection() const { return socket_; }
    // Whether the client speaks the binary protocol (else the text protocol, or none yet).
    bool isBinary() const { return mode_ == Mode::Binary; }

    void send(const ChatEvent& event);
    void close();

    std::string name;
    std::string product = "TAHC";  // as on the wire, reversed
    std::uint32_t flags = 0x10;
    std::string channel;
    bool loggedOn = false;
    // The flood quota: chat lines let through lately (time, cost), and every line tried lately.
    std::deque<std::pair<long long, int>> admitted;
    std::deque<long long> tried;

private:
    enum class Mode { Unknown, Binary, Text };

    void readAvailable();
    void binaryPackets();
    void binaryPacket(std::uint8_t id, const std::string& body);
    void logonResponse(const std::string& body);
    void textLines();
    void textLine(const std::string& line);
    void sendPacket(std::uint8_t id, const std::string& body);
    void sendRaw(const std::string& bytes);

    Server& server_;
    QTcpSocket* socket_;
    Mode mode_ = Mode::Unknown;
    std::string buffer_;
    std::uint32_t serverToken_ = 0;
    int textLogonStep_ = 0;  // 0: account line next, 1: password line next, 2: logged on
};

}  // namespace testserver
