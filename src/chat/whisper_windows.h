#pragma once

#include <string>

namespace morva {

class Chat;

// One slot of the whisper-window table.
struct WhisperWindow {
    bool bolInUse = false;
    std::string strWhispered;
};

// A slot whose window is free, growing the table by one when every window is in use.
int TakeWhisperWindow(Chat& chat);
bool HasWhisperWindow(const Chat& chat, const std::string& name);
// The slot of the user's window (in use or not); 0 when none matches.
int WhisperWindowIndex(const Chat& chat, const std::string& name);
// Drops free slots from the end of the table, never below one slot.
void TrimWhisperWindows(Chat& chat);

// Opens a window for user: takes a slot, marks it in use for the user, shows and activates it.
void OpenWhisperWindow(Chat& chat, const std::string& user);
// The member list popup's "Whisper Window" entry, on the selected member.
void mnuWhisper_Click(Chat& chat);
// Enter in a whisper window's input line: sends "/w user text" and empties the line.
void WhisperWindowEnter(Chat& chat, int slot, std::string& txtSend);
// The operator closed the window of a slot.
void WhisperWindowClosed(Chat& chat, int slot);

}  // namespace morva
