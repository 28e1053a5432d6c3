#include "moderation/member_actions.h"

#include <optional>
#include <string>

#include "bot/bot.h"
#include "chat/channel_users.h"
#include "chat/input_line.h"
#include "moderation/commands.h"
#include "moderation/kick_ban.h"
#include "moderation/say.h"

namespace morva {

namespace {

std::optional<std::string> selectedName(const Bot& bot) {
    const MemberView& view = bot.ports.lvChannel;
    const int row = view.selectedRow();
    if (row == 0) return std::nullopt;
    return view.text(row);
}

// The operator's own choice: no safe list and no patterns here.
void sendOnSelected(Bot& bot, const std::string& command, std::string_view reason) {
    if (!IsBotOp(bot)) return;
    if (const auto name = selectedName(bot))
        Say(bot, command + *name + std::string(reason), bot.ActiveSocket);
}

void localOnSelected(Bot& bot, const std::string& command) {
    if (const auto name = selectedName(bot)) LocalCommand(bot, command + *name, bot.ActiveSocket);
}

}  // namespace

void mnuDesignate_Click(Bot& bot) {
    sendOnSelected(bot, "/designate ", "");
}

void mnuKick_Click(Bot& bot) {
    sendOnSelected(bot, "/kick ", KickReason);
}

void mnuBan_Click(Bot& bot) {
    sendOnSelected(bot, "/ban ", BanReason);
}

void mnuAdd_Click(Bot& bot) {
    localOnSelected(bot, "/add ");
}

void mnuRem_Click(Bot& bot) {
    localOnSelected(bot, "/remove ");
}

void mnuSafeadd_Click(Bot& bot) {
    localOnSelected(bot, "/safeadd ");
}

void mnuRemSafelist_Click(Bot& bot) {
    localOnSelected(bot, "/saferem ");
}

void mnuClearChat_Click(Bot& bot) {
    bot.ports.rtbChat.clear();
}

void mnuClearWhispers_Click(Bot& bot) {
    bot.ports.rtbWhispers.clear();
}

void mnuChannel_Click(Bot& bot, int entry) {
    const auto& channels = bot.BotConfig.FavChannels;
    if (entry < 0 || static_cast<std::size_t>(entry) >= channels.size()) return;
    SendUserLine(bot, "/join " + channels[static_cast<std::size_t>(entry)], bot.ActiveSocket);
}

}  // namespace morva
