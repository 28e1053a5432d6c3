#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "support/child_process.h"

namespace morva::bench {

// morva-testserver on a free loopback port at or below 32767 (config.bot's limit), flooding the first client
// to join a channel with `events` talk events, `delayMs` after the join.
class FloodServer {
public:
    FloodServer(std::int64_t events, int delayMs);
    int port() const { return port_; }
    // The moment the first flood byte went, on the monotonic clock in ns; throws when it does not
    // come in time.
    std::int64_t startNs(std::chrono::milliseconds timeout);
    // Waits until the server has written the whole flood; returns whether it did in time.
    bool waitWritten(std::chrono::milliseconds timeout);

private:
    std::unique_ptr<testing::ChildProcess> process_;
    int port_ = 0;
};

// A config.bot in `dir` that logs on to 127.0.0.1:port at start-up (binary protocol, one socket)
// and joins the channel "Flood Test".
void WriteFloodProfile(const std::filesystem::path& dir, int port);

}  // namespace morva::bench
