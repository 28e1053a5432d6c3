#pragma once

#include <string>

#include "connection/connection.h"

namespace morva {

// One command line to the server on socket index, ended with the CR LF that SendChat expects.
inline void Say(Bot& bot, const std::string& text, int index) {
    SendChat(bot, text + "\r\n", index);
}

}  // namespace morva
