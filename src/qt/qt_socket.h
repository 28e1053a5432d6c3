#pragma once

#include <QTcpSocket>

#include "platform/socket.h"

namespace morva {

// A Socket on QTcpSocket. Each connection attempt ends in at most one close or error event, and a
// close that the program makes itself raises none.
class QtSocket : public Socket {
public:
    QtSocket();
    ~QtSocket() override;
    void connectTo(const std::string& host, int port) override;
    void close() override;
    void send(const std::string& bytes) override;
    int state() const override;
    void setReading(bool reading) override;

    static constexpr int KeepAliveIdleSeconds = 60;
    static constexpr int KeepAliveIntervalSeconds = 10;
    static constexpr int KeepAliveProbes = 3;
    // At most this many received bytes wait in the socket's buffer; the rest stays with the system
    // until they are read. A flood then passes through in pieces of this size instead of growing
    // one buffer (and its copies) to whatever arrived while the program was busy.
    static constexpr qint64 ReadBufferBytes = 64 * 1024;
    // The connected socket's descriptor, or -1.
    long long descriptor() const { return socket_.socketDescriptor(); }

private:
    void enableKeepAlive();
    void onDisconnected();
    void onError(QAbstractSocket::SocketError error);
    void deliver();

    QTcpSocket socket_;
    bool closingOurselves_ = false;
    bool ended_ = false;  // this attempt has raised its close or error event
    bool failed_ = false;
    bool reading_ = true;
};

class QtSocketFactory : public SocketFactory {
public:
    std::unique_ptr<Socket> makeSocket() override { return std::make_unique<QtSocket>(); }
};

}  // namespace morva
