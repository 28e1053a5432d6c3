#include "chat/information_line.h"

#include <initializer_list>

#include "chat/chat.h"
#include "connection/connection.h"
#include "output/add_chat.h"
#include "output/palette.h"
#include "settings/settings.h"

namespace morva {

namespace {

void joinChannel(Chat& chat, const std::string& channel) {
    if (chat.settings.BotConfig.Binary) {
        chat.connection.SendJoinChannel(channel);
    } else {
        chat.connection.SendChat("/join " + channel + "\r\n");
    }
}

bool containsAny(const std::string& text, std::initializer_list<const char*> phrases) {
    for (const char* phrase : phrases)
        if (text.find(phrase) != std::string::npos) return true;
    return false;
}

std::string firstWord(const std::string& text) {
    return text.substr(0, text.find(' '));
}

// The name after " by " in a notice, without the "." or "(reason)." that may follow it:
// "x was banned by carol." and "x has been banned by carol (spam)." both give "carol".
std::string byWhom(const std::string& text) {
    const std::size_t by = text.find(" by ");
    if (by == std::string::npos) return "";
    std::string name = firstWord(text.substr(by + 4));
    name = name.substr(0, name.find('('));
    if (!name.empty() && name.back() == '.') name.pop_back();
    return name;
}

// Both the original service's phrasing and today's community servers' are understood.
void kickNotice(Chat& chat, const std::string& text) {
    if (!containsAny(text, {"was kicked out of the channel by", "has been kicked by"})) return;
    if (firstWord(text) == chat.CurrentName) joinChannel(chat, chat.CurrentChannel);
}

void banNotice(Chat& chat, const std::string& text) {
    if (!containsAny(text, {"was banned by", "has been banned by"})) return;
    if (byWhom(text) == chat.CurrentName && chat.BanCount < 32767) ++chat.BanCount;
    if (firstWord(text) == chat.CurrentName) joinChannel(chat, chat.settings.BotConfig.BackupChannel);
}

void captureOrShow(Chat& chat, const std::string& text) {
    if (chat.capture.isOpen()) {
        chat.capture.take(text);
    } else {
        AddChat(chat.output, {{ColorInfo, "Broadcast: " + text}});
    }
}

}  // namespace

void InformationLine(Chat& chat, const std::string& text) {
    kickNotice(chat, text);
    banNotice(chat, text);
    captureOrShow(chat, text);
}

}  // namespace morva
