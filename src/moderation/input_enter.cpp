#include "moderation/input_enter.h"

#include "chat/chat.h"
#include "chat/input_line.h"
#include "connection/connection.h"
#include "moderation/commands.h"
#include "output/add_chat.h"

namespace morva {

bool txtSend_Enter(Chat& chat, std::string& txtSend) {
    if (txtSend.empty()) return false;
    if (chat.hooks().InputTaken(txtSend)) {
        txtSend.clear();
        return true;
    }
    const std::string line = txtSend;
    if (!chat.connection.IsConnected() && !RunsWithoutServer(line)) {
        TellNotSent(chat, chat.output.rtbChat);
        return true;
    }
    SendUserLine(chat, line);
    if (line[0] == '/') LocalCommand(chat, line);
    txtSend.clear();
    return true;
}

}  // namespace morva
