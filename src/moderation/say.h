#pragma once

#include <string>

#include "chat/chat.h"
#include "connection/connection.h"

namespace morva {

// One command line to the server, ended with the CR LF that SendChat expects.
// False when there is no connection to send it on.
inline bool Say(Chat& chat, const std::string& text) {
    return chat.connection.SendChat(text + "\r\n");
}

}  // namespace morva
