#pragma once

#include <gtest/gtest.h>

#include <QTcpSocket>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bot/bot.h"
#include "platform/memory_member_view.h"
#include "platform/memory_pane.h"
#include "platform/system_clock.h"
#include "qt/qt_socket.h"
#include "qt/qt_timer.h"
#include "support/bot_fixture.h"
#include "support/child_process.h"
#include "support/recording_shell.h"

namespace morva::testing {

// morva-testserver running on a free loopback port at or below 32767.
class TestServerProcess {
public:
    explicit TestServerProcess(std::vector<std::string> extraArgs = {});
    int port() const { return port_; }
    void kill();
    void restart();

private:
    void start();
    std::vector<std::string> args_;
    int port_ = 0;
    std::unique_ptr<ChildProcess> process_;
};

// The Qt application every wire test runs in; made on first use.
void EnsureQtApp();

// Runs the Qt event loop until the condition holds or the time is up; returns the condition.
bool RunUntil(const std::function<bool()>& condition, int timeoutMs = 5000);
// Runs the Qt event loop for a while.
void RunFor(int ms);

// A bot on real sockets and timers, talking to a test server over loopback.
class WireBot {
public:
    explicit WireBot(const TempProfile& profile);
    Bot& operator*() { return bot; }
    Bot* operator->() { return &bot; }
    std::vector<std::string> chatLines() const;
    std::vector<std::string> whisperLines() const;
    bool chatHas(const std::string& line) const;
    // Waits until the chat pane holds that line (without its stamp).
    bool waitForChat(const std::string& line, int timeoutMs = 5000) const;

    QtTimerFactory timers;
    QtSocketFactory sockets;
    SystemClock clock;
    MemoryPane chat;
    MemoryPane whispers;
    MemoryMemberView members;
    RecordingShell shell;
    Bot bot;
};

// The bytes of a file.
std::string ReadFile(const std::filesystem::path& path);

// A config.bot for a WireBot against the test server.
std::string WireConfig(int port, bool binary, const std::string& user = "bot1",
                       const std::string& password = "Secret");

// A scripted user of the text protocol, for the other side of a conversation. Logs on with the
// password "x" and joins the channel, or throws.
class TextPeer {
public:
    TextPeer(int port, const std::string& name, const std::string& channel);
    void say(const std::string& line);
    // Lines received so far, without CR LF.
    std::vector<std::string> lines() const;
    bool waitFor(const std::string& text, int timeoutMs = 5000) const;
    QTcpSocket& socket() { return socket_; }

private:
    QTcpSocket socket_;
    std::string received_;
};

}  // namespace morva::testing
