#pragma once

#include <string>

#include "chat/chat.h"
#include "connection/connection.h"

namespace morva {

// One command line to the server, ended with the CR LF that SendChat expects.
inline void Say(Chat& chat, const std::string& text) {
    chat.connection.SendChat(text + "\r\n");
}

}  // namespace morva
