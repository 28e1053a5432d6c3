#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/socket.h"

namespace morva::testing {

// A socket a test drives by hand: it records what the program does with it and lets the test
// raise the connect, data, close and error events.
class FakeSocket : public Socket {
public:
    void connectTo(const std::string& host, int port) override;
    void close() override;
    void send(const std::string& bytes) override;
    int state() const override { return state_; }
    void setReading(bool on) override { reading = on; }

    // What the program did.
    std::vector<std::string> sent;
    // Runs after each send is recorded, as a server that answers at once would.
    std::function<void(const std::string& bytes)> onSend;
    std::vector<std::string> dials;  // "host:port" per connect
    int closes = 0;
    bool reading = true;

    // What the test makes happen.
    void acceptConnect();
    void receive(const std::string& bytes);
    void peerClose();
    void fail(int code = 10061, const std::string& description = "Connection refused");

    std::string allSent() const;

private:
    int state_ = Closed;
};

class FakeSocketFactory : public SocketFactory {
public:
    std::unique_ptr<Socket> makeSocket() override;
    // Every socket made, in order; the factory's user owns them.
    std::vector<FakeSocket*> made;
};

}  // namespace morva::testing
