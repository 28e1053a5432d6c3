#include "chat/whisper_windows.h"

#include "chat/chat.h"
#include "chat/input_line.h"
#include "connection/connection.h"
#include "platform/shell.h"
#include "platform/text_case.h"

namespace morva {

int TakeWhisperWindow(Chat& chat) {
    auto& table = chat.WhisperWindows;
    for (std::size_t i = 0; i < table.size(); ++i)
        if (!table[i].bolInUse) return static_cast<int>(i);
    table.emplace_back();
    return static_cast<int>(table.size() - 1);
}

bool HasWhisperWindow(const Chat& chat, const std::string& name) {
    for (const auto& window : chat.WhisperWindows)
        if (window.bolInUse && EqualsNoCase(window.strWhispered, name)) return true;
    return false;
}

int WhisperWindowIndex(const Chat& chat, const std::string& name) {
    const auto& table = chat.WhisperWindows;
    for (std::size_t i = 0; i < table.size(); ++i)
        if (EqualsNoCase(table[i].strWhispered, name)) return static_cast<int>(i);
    return 0;
}

void TrimWhisperWindows(Chat& chat) {
    auto& table = chat.WhisperWindows;
    while (table.size() > 1 && !table.back().bolInUse) table.pop_back();
}

void OpenWhisperWindow(Chat& chat, const std::string& user) {
    const int slot = TakeWhisperWindow(chat);
    WhisperWindow& window = chat.WhisperWindows[static_cast<std::size_t>(slot)];
    window.bolInUse = true;
    window.strWhispered = user;
    chat.shell.whisperWindowOpen(slot, user + ": Whisper window.");
}

void mnuWhisper_Click(Chat& chat) {
    const auto user = SelectedMember(chat);
    if (!user) return;
    if (!HasWhisperWindow(chat, *user)) OpenWhisperWindow(chat, *user);
    chat.shell.whisperWindowActivate(WhisperWindowIndex(chat, *user));
}

void WhisperWindowEnter(Chat& chat, int slot, std::string& txtSend) {
    if (slot < 0 || static_cast<std::size_t>(slot) >= chat.WhisperWindows.size()) return;
    if (!chat.connection.IsConnected()) return TellNotSent(chat, chat.shell.whisperWindowPane(slot));
    const std::string user = chat.WhisperWindows.at(static_cast<std::size_t>(slot)).strWhispered;
    SendUserLine(chat, "/w " + user + " " + txtSend);
    txtSend.clear();
}

void WhisperWindowClosed(Chat& chat, int slot) {
    if (slot < 0 || static_cast<std::size_t>(slot) >= chat.WhisperWindows.size()) return;
    chat.WhisperWindows[static_cast<std::size_t>(slot)].bolInUse = false;
    TrimWhisperWindows(chat);
}

}  // namespace morva
