#include "connection/connection.h"

#include <algorithm>
#include <cstdio>

#include "bot/bot.h"
#include "chat/add_chat.h"
#include "chat/event_processor.h"
#include "chat/palette.h"
#include "connection/bncs_logon.h"
#include "connection/send_queue.h"

namespace morva {

namespace {

constexpr int MaxTimerInterval = 32767;
constexpr int MaxPacketLength = 32767;
constexpr int HeaderLength = 4;
constexpr int FirstBackoffMs = 1000;
constexpr int MaxBackoffMs = 60000;

// The race intervals, kept within what a 16-bit interval can hold.
void setRaceIntervals(Bot& bot) {
    bool clamped = false;
    for (std::size_t i = 0; i < bot.tmrKol.size(); ++i) {
        const long wanted = bot.BotConfig.Delay + static_cast<long>(i) * bot.BotConfig.Stagger;
        const long interval = std::clamp<long>(wanted, 0, MaxTimerInterval);
        clamped = clamped || interval != wanted;
        bot.tmrKol[i]->setInterval(static_cast<int>(interval));
        bot.tmrKol[i]->start();
    }
    if (clamped) {
        AddChat(bot, {{ColorError,
                       "Bot: \"Delay\" + socket number x \"Stagger\" falls outside 0 to 32767 ms; the "
                       "connection timers are kept within that range."}});
    }
}

// A race waits its back-off before the first dial; without one it starts at once.
void startRace(Bot& bot) {
    AddChat(bot, {{ColorGrey, "Bot: Connecting to: "},
                  {ColorWhite, bot.BotConfig.Server + ":" + std::to_string(bot.BotConfig.Port) + "."}});
    bot.tmrLogin->stop();
    bot.LoggedOnSinceRace = false;
    if (bot.ReconnectBackoffMs == 0) {
        bot.tmrBackoff->stop();
        setRaceIntervals(bot);
        return;
    }
    AddChat(bot,
            {{ColorGrey, "Bot: Next attempt in " + std::to_string(bot.ReconnectBackoffMs / 1000) + " s."}});
    for (auto& timer : bot.tmrKol) timer->stop();
    bot.tmrBackoff->setInterval(bot.ReconnectBackoffMs);
    bot.tmrBackoff->start();
}

// A new race after a loss: at once after a logged-on connection, else after a back-off that
// doubles with every race that ends without a logon, so a server that is down is not hammered.
void reconnect(Bot& bot) {
    if (bot.LoggedOnSinceRace) {
        bot.ReconnectBackoffMs = 0;
    } else {
        bot.ReconnectBackoffMs =
            bot.ReconnectBackoffMs == 0 ? FirstBackoffMs : std::min(2 * bot.ReconnectBackoffMs, MaxBackoffMs);
    }
    startRace(bot);
}

// What a lost connection does, whoever lost it.
void connectionLost(Bot& bot) {
    bot.ports.shell.setCaption(bot.TitleText + "; Disconnected.");
    for (Timer* timer : {bot.tmrLogin.get(), bot.tmrIdle.get(), bot.tmrGetInfo.get(),
                         bot.tmrLoginTimeout.get(), bot.tmrWhoChannel.get()})
        timer->stop();
    bot.ports.lvChannel.clear();
    DropQueuedChat(bot);
    reconnect(bot);
}

void connectBinary(Bot& bot, int index) {
    AddChat(bot, {{ColorStatus, "Bot: (" + std::to_string(index) + ") Connected!"}});
    bot.sckKol[index]->send(std::string(1, '\x01'));
    SendAuthInfo(bot, index);
}

void connectText(Bot& bot, int index) {
    const BotConfig& c = bot.BotConfig;
    AddChat(bot, {{ColorStatus, "Bot: (" + std::to_string(index) + ") Connected!"}});
    AddChat(bot, {{ColorGrey, "Bot: Sending username and password."}});
    AddChat(bot, {{ColorGrey, "Bot: Joining channel: " + c.Channel + "."}});
    SendChatNow(bot, "\x03\x04" + c.Username + "\r\n" + c.Password + "\r\n/join " + c.Channel + "\r\n",
                index);
    bot.tmrLogin->start();
    if (c.IdleDelay != 0) {
        bot.tmrIdle->start();
    } else {
        bot.tmrIdle->stop();
    }
    bot.ports.shell.setCaption(bot.LoggedInCaption());
}

// The 16-bit length field at offsets 2 and 3, as a signed number.
int packetLength(const std::string& buffer) {
    const int raw = static_cast<unsigned char>(buffer[2]) | static_cast<unsigned char>(buffer[3]) << 8;
    return raw >= 0x8000 ? raw - 0x10000 : raw;
}

// Cuts whole packets off RecvBuffer. Returns false when the stream is broken.
bool cutPackets(Bot& bot, int index) {
    while (bot.RecvBuffer.size() >= HeaderLength + 1) {
        const int length = packetLength(bot.RecvBuffer);
        if (length < HeaderLength || length > MaxPacketLength) {
            AddChat(bot, {{ColorError, "Bot: The server sent a packet length of " + std::to_string(length) +
                                           "; the connection is broken and is made anew."}});
            return false;
        }
        if (bot.RecvBuffer.size() < static_cast<std::size_t>(length)) return true;
        const std::string packet = bot.RecvBuffer.substr(0, static_cast<std::size_t>(length));
        bot.RecvBuffer.erase(0, static_cast<std::size_t>(length));
        BNCS_Recv(bot, packet, index);
    }
    return true;
}

}  // namespace

void AddConnection(Bot& bot) {
    const int index = static_cast<int>(bot.sckKol.size());
    auto socket = bot.ports.sockets.makeSocket();
    socket->setEvents(Socket::Events{
        [&bot, index] { sckKol_Connect(bot, index); },
        [&bot, index](const std::string& bytes) { sckKol_DataArrival(bot, index, bytes); },
        [&bot, index] { sckKol_Close(bot, index); },
        [&bot, index](int, const std::string&) { sckKol_Error(bot, index); },
    });
    auto timer = bot.ports.timers.makeTimer();
    timer->setOnTick([&bot, index] { tmrKol_Timer(bot, index); });
    bot.sckKol.push_back(std::move(socket));
    bot.tmrKol.push_back(std::move(timer));
}

void Bot_LoadSockets(Bot& bot) {
    while (static_cast<int>(bot.sckKol.size()) < bot.BotConfig.Socks) AddConnection(bot);
    AddChat(bot, {{ColorGrey, "Bot: Using "},
                  {ColorWhite, std::to_string(bot.BotConfig.Socks)},
                  {ColorGrey, " socket(s) for connection."}});
}

void Bot_Connect(Bot& bot) {
    bot.ReconnectBackoffMs = 0;
    startRace(bot);
}

void tmrBackoff_Timer(Bot& bot) {
    bot.tmrBackoff->stop();
    setRaceIntervals(bot);
}

void ConnectionLoggedOn(Bot& bot) {
    bot.LoggedOnSinceRace = true;
    bot.ReconnectBackoffMs = 0;
}

void Bot_Disconnect(Bot& bot) {
    for (auto& socket : bot.sckKol) {
        if (socket->state() == Socket::Connected) {
            socket->close();
            break;
        }
    }
    bot.ports.lvChannel.clear();
    DropQueuedChat(bot);
    AddChat(bot, {{ColorRed, "Disconnected from the server."}});
}

void tmrKol_Timer(Bot& bot, int index) {
    Socket& socket = *bot.sckKol[static_cast<std::size_t>(index)];
    socket.close();
    socket.connectTo(bot.BotConfig.Server, bot.BotConfig.Port);
}

void sckKol_Connect(Bot& bot, int index) {
    bot.ActiveSocket = static_cast<std::int16_t>(index);
    // A new stream starts here: nothing of an earlier connection may be read as part of it.
    bot.RecvBuffer.clear();
    bot.ChatDataRest.clear();
    bot.ChatDataSkipping = false;
    bot.tmrLoginTimeout->start();
    if (bot.BotConfig.Binary) {
        connectBinary(bot, index);
    } else {
        connectText(bot, index);
    }
    for (std::size_t i = 0; i < bot.sckKol.size(); ++i) {
        bot.tmrKol[i]->stop();
        if (static_cast<int>(i) != index) bot.sckKol[i]->close();
    }
}

void sckKol_DataArrival(Bot& bot, int index, const std::string& bytes) {
    if (!bot.BotConfig.Binary) {
        ProcessChatData(bot, bytes, index);
        return;
    }
    bot.RecvBuffer += bytes;
    if (cutPackets(bot, index)) return;
    bot.RecvBuffer.clear();
    bot.sckKol[static_cast<std::size_t>(index)]->close();
    connectionLost(bot);
}

void sckKol_Close(Bot& bot, int) {
    connectionLost(bot);
}

void sckKol_Error(Bot& bot, int) {
    connectionLost(bot);
}

void tmrLoginTimeout_Timer(Bot& bot) {
    bot.tmrLoginTimeout->stop();
    reconnect(bot);
}

void tmrLogin_Timer(Bot& bot) {
    SendChatNow(bot, "\r\n", bot.ActiveSocket);
}

std::string StrToHex(const std::string& bytes) {
    std::string hex;
    for (const char byte : bytes) {
        char two[4];
        std::snprintf(two, sizeof two, " %02X", static_cast<unsigned char>(byte));
        hex += two;
    }
    return hex;
}

}  // namespace morva
