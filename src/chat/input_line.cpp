#include "chat/input_line.h"

#include "bot/bot.h"
#include "chat/add_chat.h"
#include "chat/palette.h"
#include "connection/connection.h"
#include "moderation/commands.h"

namespace morva {

void SendUserLine(Bot& bot, const std::string& text, int index) {
    if (!IsConnected(bot, index)) return;
    if (text.empty() || text[0] != '/')
        AddChat(bot, {{ColorOwnName, bot.CurrentName + ": "}, {ColorWhite, text}});
    SendChat(bot, bot.BotConfig.Binary ? text : text + "\r\n", index);
}

bool txtSend_Enter(Bot& bot, std::string& txtSend) {
    if (txtSend.empty()) return false;
    const std::string line = txtSend;
    SendUserLine(bot, line, bot.ActiveSocket);
    if (line[0] == '/') LocalCommand(bot, line, bot.ActiveSocket);
    txtSend.clear();
    return true;
}

}  // namespace morva
