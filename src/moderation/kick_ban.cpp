#include "moderation/kick_ban.h"

#include <vector>

#include "bot/bot.h"
#include "moderation/command_line.h"
#include "moderation/commands.h"
#include "moderation/say.h"
#include "settings/like_match.h"
#include "settings/name_lists.h"

namespace morva {

namespace {

// The rows of the member list as they stand when the command starts.
std::vector<std::string> memberNames(const Bot& bot) {
    const MemberView& view = bot.ports.lvChannel;
    std::vector<std::string> names;
    for (int row = 1, count = view.count(); row <= count; ++row) names.push_back(view.text(row));
    return names;
}

// "name" or "name reason"; a name holding "*" is a pattern over the member list. Safe users are spared.
void removeFromChannel(Bot& bot, const std::string& target, int index, const std::string& command,
                       std::string_view defaultReason) {
    const std::size_t blank = target.find(' ');
    const std::string name = target.substr(0, blank);
    const std::string reason =
        blank == std::string::npos ? std::string(defaultReason) : target.substr(blank + 1);
    if (name.find('*') == std::string::npos) {
        if (!IsSafe(bot, name)) Say(bot, command + name + " " + reason, index);
        return;
    }
    for (const std::string& member : memberNames(bot)) {
        if (NameMatches(member, name) && !IsSafe(bot, member))
            Say(bot, command + member + " " + reason, index);
    }
}

}  // namespace

void ForEachTarget(Bot& bot, const std::string& list, int index, TargetAction action) {
    for (const std::string& piece : SplitList(list)) action(bot, piece, index);
}

void KickUser(Bot& bot, const std::string& target, int index) {
    removeFromChannel(bot, target, index, "/kick ", KickReason);
}

void BanUser(Bot& bot, const std::string& target, int index) {
    removeFromChannel(bot, target, index, "/ban ", BanReason);
}

}  // namespace morva
