#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "chat/whisper_windows.h"
#include "connection/send_queue.h"
#include "platform/clock.h"
#include "platform/member_view.h"
#include "platform/pane.h"
#include "platform/shell.h"
#include "platform/socket.h"
#include "platform/timer.h"
#include "settings/bot_config.h"

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

// The one context of a running bot: every program-wide record lives here, and every core
// operation takes it. Nothing is global, so a test can run as many bots as it likes.
class Bot {
public:
    Bot(Ports ports, std::filesystem::path profileDir);
    Bot(const Bot&) = delete;
    Bot& operator=(const Bot&) = delete;

    Ports ports;
    // Folder of config.bot, the list files and the census files.
    const std::filesystem::path ProfileDir;

    morva::BotConfig BotConfig;

    const std::string TitleText = "Morva Chat v1.0 by Quorin [Binary Edition]";
    const std::string VersionText = "v1.1 by Quorin [Binary Edition]";
    const std::string SeparatorLine = std::string(39, '-');
    std::string CurrentName;
    std::string CurrentChannel;
    std::int16_t IdleCounter = 0;
    // Bans the bot carried out since the last user joined.
    std::int16_t BanCount = 0;
    // The next census channel to visit.
    std::int16_t CensusIndex = 0;

    // The name lists: access list, safe list (names and patterns) and chat filter patterns.
    std::vector<std::string> AccesNames;
    std::vector<std::string> SafeNames;
    std::vector<std::string> FilterPatterns;

    // The members of the current channel: "name flags [PRODUCT]" each, beside the visible list.
    std::vector<std::string> ChannelUsers;

    // Timers of the program, all stopped at start.
    std::unique_ptr<Timer> tmrLoginTimeout;
    std::unique_ptr<Timer> tmrLogin;
    std::unique_ptr<Timer> tmrIdle;
    std::unique_ptr<Timer> tmrGetInfo;
    std::unique_ptr<Timer> tmrWhoChannel;
    std::unique_ptr<Timer> tmrResize;

    // The whisper windows by slot; empty until the first window is taken.
    std::vector<WhisperWindow> WhisperWindows;

    // The connections: socket i and its re-dial timer tmrKol[i]; the race winner is ActiveSocket.
    std::vector<std::unique_ptr<Socket>> sckKol;
    std::vector<std::unique_ptr<Timer>> tmrKol;
    std::int16_t ActiveSocket = 0;
    // Binary-protocol bytes that do not form a whole packet yet.
    std::string RecvBuffer;
    // Text-protocol bytes after the last complete line.
    std::string ChatDataRest;
    // After an overlong line was dropped, its rest up to the next line end is dropped too.
    bool ChatDataSkipping = false;
    // From the last SID_AUTH_INFO reply, for the next SID_LOGONRESPONSE2.
    std::uint32_t ServerToken = 0;
    // Chat lines held back by the flood limit; tmrFlood sends them when the limit allows.
    SendQueueState SendQueue;
    std::unique_ptr<Timer> tmrFlood;
    // The wait before the next race's first dial, and whether the current race has logged on.
    int ReconnectBackoffMs = 0;
    bool LoggedOnSinceRace = false;
    std::unique_ptr<Timer> tmrBackoff;

    std::string LoggedInCaption() const {
        return TitleText + "; Logged in as: " + CurrentName + " in channel " + CurrentChannel + ".";
    }

    // Paths are built at each use, so nothing about the files is cached.
    std::filesystem::path ProfilePath(const std::string& fileName) const { return ProfileDir / fileName; }
};

}  // namespace morva
