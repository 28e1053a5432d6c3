#include "moderation/input_enter.h"

#include "chat/input_line.h"
#include "moderation/commands.h"

namespace morva {

bool txtSend_Enter(Chat& chat, std::string& txtSend) {
    if (txtSend.empty()) return false;
    const std::string line = txtSend;
    SendUserLine(chat, line);
    if (line[0] == '/') LocalCommand(chat, line);
    txtSend.clear();
    return true;
}

}  // namespace morva
