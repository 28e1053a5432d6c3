#pragma once

#include <QTcpServer>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace morva::testing {

// One thing a fault server does on a connection. The steps of a script run in order; a script that
// has run out leaves its connection open, reading and keeping what the bot sends.
struct FaultStep {
    enum Kind { Send, Drip, Flood, Close, Reset, StopReading, StartReading };
    Kind kind;
    std::string bytes;
    // Flood: the next piece to send; an empty piece ends the flood.
    std::function<std::string()> next;
};
using FaultScript = std::vector<FaultStep>;

FaultStep Send(std::string bytes);
// One byte per write, DripGapMs apart.
FaultStep Drip(std::string bytes);
// Pieces as fast as the socket takes them, never more than FloodHighWater bytes waiting in it.
FaultStep Flood(std::function<std::string()> next);
// The orderly close: what was written goes out first.
FaultStep Close();
// A reset (SO_LINGER 0): what was not sent yet is thrown away.
FaultStep Reset();
// Leaves what the bot sends with the system, so that its buffers fill up; StartReading takes it again.
FaultStep StopReading();
FaultStep StartReading();

// The server's whole binary logon answer: SID_AUTH_INFO, a SID_LOGONRESPONSE2 that lets the bot in,
// then the bot alone in the channel "Mod Test", as operator.
std::string LogonAnswer();
// The same in the text protocol: the name the bot is known by, the channel, the bot in it.
std::string TextLogonAnswer();

// A loopback server whose connections misbehave on cue. Connection n (from 0) runs scripts[n], every
// later one the last script (there is at least one). It runs on the Qt event loop of the test.
class FaultServer {
public:
    explicit FaultServer(std::vector<FaultScript> scripts);
    ~FaultServer();
    int port() const { return listener_.serverPort(); }
    int connections() const { return static_cast<int>(connections_.size()); }
    // What the bot sent on connection n and the server read.
    const std::string& received(int n) const;

    static constexpr int DripGapMs = 1;
    static constexpr std::size_t FloodHighWater = 256 * 1024;

private:
    class Connection;
    void accept();

    QTcpServer listener_;
    std::vector<FaultScript> scripts_;
    std::vector<std::unique_ptr<Connection>> connections_;
};

// A loopback port with nothing listening on it.
int ClosedPort();

}  // namespace morva::testing
