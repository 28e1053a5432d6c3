#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "chat/channel_users.h"
#include "chat/info_capture.h"
#include "chat/whisper_windows.h"

namespace morva {

class Connection;
class MemberView;
class Output;
class Settings;
class Shell;
class TimerFactory;

// What the layers above the chat do with what it hears.
class ChatHooks {
public:
    virtual ~ChatHooks() = default;
    // A talk line or a received whisper, for the trigger commands.
    virtual void CheckTrigger(std::string_view speaker, std::string_view text) = 0;
    // Channel protection bans a joining user, as if the master had asked for it.
    virtual void ProtectChannel(const std::string& name) = 0;
    // The text protocol's logon line arrived.
    virtual void TextLoggedOn() = 0;
    // A trigger command that the bot's own commands do not know, from a speaker who may command the bot;
    // true when something above took it.
    virtual bool OtherCommand(const std::string& speaker, const std::string& word,
                              const std::string& argument) = 0;
    // A line the operator typed; true when something above took it and it goes no further.
    virtual bool InputTaken(const std::string& line) = 0;
};

// The chat subsystem: the channel the bot is in with its members, the names of the logon, the
// whisper windows and the capture of information lines, over the settings, the connection and the
// outside world's panes, member list and shell.
class Chat {
public:
    Chat(Output& output, Settings& settings, Connection& connection, Shell& shell, MemberView& lvChannel,
         TimerFactory& timers);
    Chat(const Chat&) = delete;
    Chat& operator=(const Chat&) = delete;

    void setHooks(ChatHooks& hooks) { hooks_ = &hooks; }
    ChatHooks& hooks() { return *hooks_; }

    Output& output;
    Settings& settings;
    Connection& connection;
    Shell& shell;
    MemberView& lvChannel;

    // The name the bot is logged on as and the channel it is in.
    std::string CurrentName;
    std::string CurrentChannel;
    // The members of CurrentChannel, in the order the member list shows them.
    ChannelMembers ChannelUsers;
    // Bans the bot carried out since the last user joined.
    std::int16_t BanCount = 0;
    // The whisper windows by slot; empty until the first window is taken.
    std::vector<WhisperWindow> WhisperWindows;
    InfoCapture capture;

    std::string LoggedInCaption() const;

private:
    ChatHooks* hooks_ = nullptr;
};

}  // namespace morva
