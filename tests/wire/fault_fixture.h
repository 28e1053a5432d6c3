#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "fault_server.h"
#include "wire_fixture.h"

namespace morva::testing {

// A bot on one socket against a fault server, and what it must keep whatever the server does.
class FaultWire : public ::testing::Test {
public:
    using Setting = std::tuple<std::string, std::string, std::string>;  // section, key, value

protected:
    // Writes config.bot (the wire settings, one socket, then `extra`) and the three lists, then starts
    // the bot.
    void start(int port, const std::vector<Setting>& extra = {});
    // The bot has logged on over the server's connection n (from 0), its last, and shows itself in the
    // channel.
    bool loggedOnOver(const FaultServer& server, int n, int timeoutMs = 10000) const;
    // The bot said why the connection ended with a line that matches `why`, waited its first back-off,
    // dialled again and logged on over the server's second connection, alone in the channel.
    void expectRetried(const FaultServer& server, const ::testing::Matcher<std::string>& why);
    // config.bot and the list files are as written, byte for byte, and the lists as loaded.
    void expectSettingsKept() const;
    // The index of the last flood talk line in the chat pane, or -1.
    long long lastFloodIndexShown() const;
    // "127.0.0.1:port".
    std::string address() const;

    TempProfile profile;
    std::unique_ptr<WireBot> bot;

private:
    int port_ = 0;
    std::map<std::string, std::string> written_;
    std::vector<std::vector<std::string>> loadedLists_;
    std::vector<std::vector<std::string>> lists() const;
};

}  // namespace morva::testing
