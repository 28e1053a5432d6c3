#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>

#include "census/census.h"
#include "chat/chat.h"
#include "connection/connection.h"
#include "connection/connection_listener.h"
#include "output/add_chat.h"
#include "output/chat_log.h"
#include "platform/clock.h"
#include "platform/member_view.h"
#include "platform/pane.h"
#include "platform/shell.h"
#include "platform/socket.h"
#include "platform/timer.h"
#include "scripts/scripts.h"
#include "settings/settings.h"

namespace morva {

// The outside world as the core sees it.
struct Ports {
    TimerFactory& timers;
    SocketFactory& sockets;
    const Clock& clock;
    Pane& rtbChat;
    Pane& rtbWhispers;
    MemberView& lvChannel;
    Shell& shell;
};

// The main window's own timers: the idle message and the geometry save.
struct WindowTimers {
    explicit WindowTimers(TimerFactory& timers);
    std::unique_ptr<Timer> tmrIdle;
    std::unique_ptr<Timer> tmrResize;
    // Minutes since the last idle message.
    std::int16_t IdleCounter = 0;
};

// The one context of a running bot: it holds every subsystem, lowest first, and joins them where a
// lower one reports to a higher one. Nothing is global, so a test can run as many bots as it likes.
class Bot : private ConnectionListener, private ChatHooks {
public:
    Bot(Ports ports, std::filesystem::path profileDir);
    Bot(const Bot&) = delete;
    Bot& operator=(const Bot&) = delete;

    Ports ports;
    Output output;
    ChatLog chatLog;
    Settings settings;
    Connection connection;
    Chat chat;
    Census census;
    Scripts scripts;
    WindowTimers window;

private:
    // ConnectionListener
    void textLogonSent() override;
    void binaryLoggedOn() override;
    void chatEvent(const ChatEvent& event) override;
    void sessionEnded(SessionEnd why) override;
    // ChatHooks
    void CheckTrigger(std::string_view speaker, std::string_view text) override;
    void ProtectChannel(const std::string& name) override;
    void TextLoggedOn() override;
    bool OtherCommand(const std::string& speaker, const std::string& word,
                      const std::string& argument) override;
    bool InputTaken(const std::string& line) override;

    void startIdle();
};

}  // namespace morva
