#include "chat/input_line.h"

#include "chat/chat.h"
#include "connection/connection.h"
#include "output/add_chat.h"
#include "output/palette.h"
#include "settings/settings.h"

namespace morva {

void SendUserLine(Chat& chat, const std::string& text, std::function<void()> onSent) {
    if (!chat.connection.IsConnected()) return;
    if (text.empty() || text[0] != '/')
        AddChat(chat.output, {{ColorOwnName, chat.CurrentName + ": "}, {ColorWhite, text}});
    chat.connection.SendChat(chat.settings.BotConfig.Binary ? text : text + "\r\n", std::move(onSent));
}

void TellNotSent(Chat& chat, Pane& pane) {
    AddChat(chat.output, pane, {{ColorError, "Bot: Not connected; the line was not sent."}});
}

}  // namespace morva
