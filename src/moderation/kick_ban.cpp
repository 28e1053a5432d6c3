#include "moderation/kick_ban.h"

#include <vector>

#include "chat/chat.h"
#include "moderation/command_line.h"
#include "moderation/commands.h"
#include "moderation/say.h"
#include "settings/like_match.h"
#include "settings/name_lists.h"

namespace morva {

namespace {

// The members as they stand when the command starts.
std::vector<std::string> memberNames(const Chat& chat) {
    std::vector<std::string> names;
    for (const Member& member : chat.ChannelUsers) names.push_back(member.name);
    return names;
}

// "name" or "name reason"; a name holding "*" is a pattern over the member list. Safe users are spared.
void removeFromChannel(Chat& chat, const std::string& target, const std::string& command,
                       std::string_view defaultReason) {
    const std::size_t blank = target.find(' ');
    const std::string name = target.substr(0, blank);
    const std::string reason =
        blank == std::string::npos ? std::string(defaultReason) : target.substr(blank + 1);
    if (name.find('*') == std::string::npos) {
        if (!IsSafe(chat.settings, name)) Say(chat, command + name + " " + reason);
        return;
    }
    for (const std::string& member : memberNames(chat)) {
        if (NameMatches(member, name) && !IsSafe(chat.settings, member))
            Say(chat, command + member + " " + reason);
    }
}

}  // namespace

void ForEachTarget(Chat& chat, const std::string& list, TargetAction action) {
    for (const std::string& piece : SplitList(list)) action(chat, piece);
}

void KickUser(Chat& chat, const std::string& target) {
    removeFromChannel(chat, target, "/kick ", KickReason);
}

void BanUser(Chat& chat, const std::string& target) {
    removeFromChannel(chat, target, "/ban ", BanReason);
}

}  // namespace morva
