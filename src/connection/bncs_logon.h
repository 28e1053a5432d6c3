#pragma once

#include <string>

namespace morva {

class Bot;

// Handles one whole binary packet (header included) that arrived on socket index.
void BNCS_Recv(Bot& bot, const std::string& packet, int index);

void SendAuthInfo(Bot& bot, int index);
void SendLogonResponse2(Bot& bot, int index);
void SendJoinChannel(Bot& bot, const std::string& channel, int index);

}  // namespace morva
