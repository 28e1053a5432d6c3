#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "bot/bot.h"
#include "platform/memory_member_view.h"
#include "platform/memory_pane.h"
#include "support/fake_socket.h"
#include "support/recording_shell.h"
#include "support/virtual_clock.h"

namespace morva::testing {

// A profile folder of its own for one test, removed afterwards.
class TempProfile {
public:
    TempProfile();
    ~TempProfile();
    TempProfile(const TempProfile&) = delete;
    TempProfile& operator=(const TempProfile&) = delete;

    const std::filesystem::path& dir() const { return dir_; }
    void write(const std::string& fileName, const std::string& bytes) const;
    std::string read(const std::string& fileName) const;
    bool exists(const std::string& fileName) const { return std::filesystem::exists(dir_ / fileName); }

private:
    std::filesystem::path dir_;
};

// A bot on test doubles: virtual clock, fake sockets, memory panes, a recording shell.
class BotFixture : public ::testing::Test {
protected:
    BotFixture();

    // Socket 0 connected in the given mode with no logon time-out (text mode also past its logon
    // line, so no keep-alive lines), with the logon's bytes and lines cleared away.
    void connect(bool binary);
    // Data from the server on the connected socket 0.
    void receive(const std::string& bytes) { sockets.made[0]->receive(bytes); }
    const std::vector<std::string>& sent() const { return sockets.made[0]->sent; }

    // The chat pane's lines without their time stamps.
    std::vector<std::string> chatLines() const;
    std::string lastChatLine() const;

    TempProfile profile;
    VirtualClock clock;
    FakeSocketFactory sockets;
    MemoryPane chat;
    MemoryPane whispers;
    MemoryMemberView members;
    RecordingShell shell;
    std::unique_ptr<Bot> botPtr;
    Bot& bot;
    // bot's settings.
    BotConfig& config;
};

// A line of a pane without its "[HH:nn:ss.hh] " stamp.
std::string WithoutStamp(const std::string& line);

}  // namespace morva::testing
