#include "chat/whisper_windows.h"

#include "bot/bot.h"
#include "chat/input_line.h"
#include "platform/text_case.h"

namespace morva {

int TakeWhisperWindow(Bot& bot) {
    auto& table = bot.WhisperWindows;
    for (std::size_t i = 0; i < table.size(); ++i)
        if (!table[i].bolInUse) return static_cast<int>(i);
    table.emplace_back();
    return static_cast<int>(table.size() - 1);
}

bool HasWhisperWindow(const Bot& bot, const std::string& name) {
    for (const auto& window : bot.WhisperWindows)
        if (window.bolInUse && EqualsNoCase(window.strWhispered, name)) return true;
    return false;
}

int WhisperWindowIndex(const Bot& bot, const std::string& name) {
    const auto& table = bot.WhisperWindows;
    for (std::size_t i = 0; i < table.size(); ++i)
        if (EqualsNoCase(table[i].strWhispered, name)) return static_cast<int>(i);
    return 0;
}

void TrimWhisperWindows(Bot& bot) {
    auto& table = bot.WhisperWindows;
    while (table.size() > 1 && !table.back().bolInUse) table.pop_back();
}

void OpenWhisperWindow(Bot& bot, const std::string& user) {
    const int slot = TakeWhisperWindow(bot);
    WhisperWindow& window = bot.WhisperWindows[static_cast<std::size_t>(slot)];
    window.bolInUse = true;
    window.strWhispered = user;
    bot.ports.shell.whisperWindowOpen(slot, user + ": Whisper window.");
}

void mnuWhisper_Click(Bot& bot) {
    const int row = bot.ports.lvChannel.selectedRow();
    if (row == 0) return;
    const std::string user = bot.ports.lvChannel.text(row);
    if (!HasWhisperWindow(bot, user)) OpenWhisperWindow(bot, user);
    bot.ports.shell.whisperWindowActivate(WhisperWindowIndex(bot, user));
}

void WhisperWindowEnter(Bot& bot, int slot, std::string& txtSend) {
    if (slot < 0 || static_cast<std::size_t>(slot) >= bot.WhisperWindows.size()) return;
    const std::string user = bot.WhisperWindows.at(static_cast<std::size_t>(slot)).strWhispered;
    SendUserLine(bot, "/w " + user + " " + txtSend, bot.ActiveSocket);
    txtSend.clear();
}

void WhisperWindowClosed(Bot& bot, int slot) {
    if (slot < 0 || static_cast<std::size_t>(slot) >= bot.WhisperWindows.size()) return;
    bot.WhisperWindows[static_cast<std::size_t>(slot)].bolInUse = false;
    TrimWhisperWindows(bot);
}

}  // namespace morva
