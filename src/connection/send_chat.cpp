// Sending chat lines: the checks every line passes, then the flood queue or the socket.
#include <string>

#include "bot/bot.h"
#include "chat/add_chat.h"
#include "chat/palette.h"
#include "connection/cls_buffer.h"
#include "connection/connection.h"
#include "connection/send_queue.h"

namespace morva {

bool IsConnected(const Bot& bot, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < bot.sckKol.size() &&
           bot.sckKol[static_cast<std::size_t>(index)]->state() == Socket::Connected;
}

namespace {
// The chat text of a line: binary mode sends it without CR LF pairs.
std::string chatText(const Bot& bot, std::string text) {
    if (bot.BotConfig.Binary)
        for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 2);
    return text;
}
}  // namespace

void SendChat(Bot& bot, const std::string& text, int index) {
    if (!IsConnected(bot, index)) return;
    const std::string line = chatText(bot, text);
    if (bot.BotConfig.Binary && line.size() + 1 > clsBuffer::MaxBodyLength) {
        AddChat(bot, {{ColorError, "Bot: A chat line of " + std::to_string(line.size()) +
                                       " bytes is too long for one packet; it was not sent."}});
        return;
    }
    QueueChat(bot, line, index);
}

void SendChatNow(Bot& bot, const std::string& text, int index) {
    if (!IsConnected(bot, index)) return;
    Socket& socket = *bot.sckKol[static_cast<std::size_t>(index)];
    if (!bot.BotConfig.Binary) {
        socket.send(text);
        return;
    }
    clsBuffer buffer;
    buffer.iNTString(chatText(bot, text));
    buffer.sBNCSPacket(socket, 0x0E);
}

}  // namespace morva
