#include "connection/bncs_logon.h"

#include <algorithm>

#include "bot/bot.h"
#include "census/census.h"
#include "chat/add_chat.h"
#include "chat/event_processor.h"
#include "chat/palette.h"
#include "connection/binary_events.h"
#include "connection/cls_buffer.h"
#include "connection/cls_debuffer.h"
#include "connection/connection.h"
#include "connection/double_hash.h"
#include "platform/text_case.h"

namespace morva {

namespace {

constexpr std::uint8_t SID_JOINCHANNEL = 0x0C;
constexpr std::uint8_t SID_CHATEVENT = 0x0F;
constexpr std::uint8_t SID_LOGONRESPONSE2 = 0x3A;
constexpr std::uint8_t SID_AUTH_INFO = 0x50;
constexpr std::uint8_t SID_AUTH_CHECK = 0x51;

// The DWORD at a packet offset; 0 when the packet is too short.
std::int32_t dwordAt(const std::string& packet, int offset) {
    clsDebuffer reader;
    reader.DebuffPacket(packet);
    reader.Advance(offset);
    return reader.DebuffDWORD();
}

void send(Bot& bot, clsBuffer& buffer, std::uint8_t id, int index) {
    buffer.sBNCSPacket(*bot.sckKol[static_cast<std::size_t>(index)], id);
}

void logonAndJoin(Bot& bot, int index) {
    SendLogonResponse2(bot, index);
    SendJoinChannel(bot, bot.BotConfig.Channel, index);
}

void loggedOn(Bot& bot) {
    AddChat(bot, {{ColorStatus, "Bot: Logged on."}});
    ConnectionLoggedOn(bot);
    bot.CurrentName = bot.BotConfig.Username;
    if (bot.BotConfig.IdleDelay != 0) {
        bot.tmrIdle->start();
    } else {
        bot.tmrIdle->stop();
    }
    StartCensus(bot);
}

void logonResponse(Bot& bot, const std::string& packet) {
    AddChat(bot, {{ColorStatus, "Bot: Recv SID_LOGONRESPONS2."}});
    switch (dwordAt(packet, 4)) {
        case 0:
            loggedOn(bot);
            break;
        case 1:
            AddChat(bot, {{ColorError, "Error: Account does not exist."}});
            break;
        case 2:
            AddChat(bot, {{ColorError, "Error: Invalid password."}});
            break;
        default:
            break;
    }
}

}  // namespace

void BNCS_Recv(Bot& bot, const std::string& packet, int index) {
    clsDebuffer header;
    header.DebuffPacket(packet);
    header.Advance(1);
    switch (header.DebuffBYTE()) {
        case SID_AUTH_INFO:
            bot.tmrLoginTimeout->stop();
            AddChat(bot, {{ColorStatus, "Bot: Recv SID_AUTH_INFO."}});
            bot.ServerToken = static_cast<std::uint32_t>(dwordAt(packet, 8));
            logonAndJoin(bot, index);
            break;
        case SID_AUTH_CHECK:
            AddChat(bot, {{ColorStatus, "Bot: Recv SID_AUTH_INFO."}});
            if (dwordAt(packet, 4) != 0) {
                AddChat(bot, {{ColorError, "Bot: Failed SID_AUTH_INFO."}});
            } else {
                logonAndJoin(bot, index);
            }
            break;
        case SID_LOGONRESPONSE2:
            logonResponse(bot, packet);
            break;
        case SID_CHATEVENT:
            if (auto line = ChatEventToLine(packet)) ProcessEventLine(bot, *line, index);
            break;
        default:
            break;
    }
}

void SendAuthInfo(Bot& bot, int index) {
    AddChat(bot, {{ColorGrey, "Bot: Sending SID_AUTH_INFO..."}});
    std::string product = bot.BotConfig.BinaryClient;
    std::reverse(product.begin(), product.end());
    clsBuffer buffer;
    buffer.iDWORD(0);
    buffer.iNonNTString("68XI");
    buffer.iNonNTString(UpperCase(product));
    for (int field = 0; field < 6; ++field) buffer.iDWORD(0);
    buffer.iNTString("USA");
    buffer.iNTString("United States");
    send(bot, buffer, SID_AUTH_INFO, index);
}

void SendLogonResponse2(Bot& bot, int index) {
    AddChat(bot, {{ColorGrey, "Bot: Sending SID_LOGONRESPONSE2..."}});
    clsBuffer buffer;
    buffer.iDWORD(0);
    buffer.iDWORD(static_cast<std::int32_t>(bot.ServerToken));
    // Servers store the hash of the lower-cased password, as the official clients send it.
    buffer.iNonNTString(DoubleHash(LowerCase(bot.BotConfig.Password), bot.ServerToken));
    buffer.iNTString(bot.BotConfig.Username);
    send(bot, buffer, SID_LOGONRESPONSE2, index);
}

void SendJoinChannel(Bot& bot, const std::string& channel, int index) {
    AddChat(bot, {{ColorGrey, "Bot: Sending SID_JOINCHANNEL..."}});
    clsBuffer buffer;
    buffer.iDWORD(2);
    buffer.iNTString(channel);
    send(bot, buffer, SID_JOINCHANNEL, index);
}

}  // namespace morva
