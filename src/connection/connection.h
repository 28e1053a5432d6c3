#pragma once

#include <string>

namespace morva {

class Bot;

// Makes connection i = the next index: socket sckKol[i] and its timer tmrKol[i], wired to their handlers.
void AddConnection(Bot& bot);
// Makes the connections 1 .. Socks - 1 (connection 0 always exists).
void Bot_LoadSockets(Bot& bot);

// Starts a connection race at once: every socket re-dials on its own timer, Delay + i × Stagger ms
// apart. (A race after a lost connection may first wait a back-off.)
void Bot_Connect(Bot& bot);
void tmrBackoff_Timer(Bot& bot);
// The logon succeeded: the next lost connection reconnects at once.
void ConnectionLoggedOn(Bot& bot);
// Closes the first connected socket without a new race.
void Bot_Disconnect(Bot& bot);

// Sends one chat line on socket index through the flood queue; in binary mode CR LF pairs are
// removed and it goes out as SID_CHATCOMMAND. Nothing is sent while the socket is not connected.
void SendChat(Bot& bot, const std::string& text, int index);
// The same at once, past the queue: the text logon and its keep-alive lines, and the queue itself.
void SendChatNow(Bot& bot, const std::string& text, int index);
bool IsConnected(const Bot& bot, int index);

void tmrKol_Timer(Bot& bot, int index);
void sckKol_Connect(Bot& bot, int index);
void sckKol_DataArrival(Bot& bot, int index, const std::string& bytes);
void sckKol_Close(Bot& bot, int index);
void sckKol_Error(Bot& bot, int index);
void tmrLoginTimeout_Timer(Bot& bot);
void tmrLogin_Timer(Bot& bot);

// " 1A 05" for the bytes 0x1A 0x05.
std::string StrToHex(const std::string& bytes);

}  // namespace morva
