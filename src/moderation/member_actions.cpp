#include "moderation/member_actions.h"

#include <string>

#include "chat/channel_users.h"
#include "chat/chat.h"
#include "chat/input_line.h"
#include "moderation/commands.h"
#include "moderation/kick_ban.h"
#include "moderation/say.h"
#include "output/add_chat.h"
#include "settings/settings.h"

namespace morva {

namespace {

// The operator's own choice: no safe list and no patterns here.
void sendOnSelected(Chat& chat, const std::string& command, std::string_view reason) {
    if (!IsBotOp(chat)) return;
    if (const auto name = SelectedMember(chat)) Say(chat, command + *name + std::string(reason));
}

void localOnSelected(Chat& chat, const std::string& command) {
    if (const auto name = SelectedMember(chat)) LocalCommand(chat, command + *name);
}

}  // namespace

void mnuDesignate_Click(Chat& chat) {
    sendOnSelected(chat, "/designate ", "");
}

void mnuKick_Click(Chat& chat) {
    sendOnSelected(chat, "/kick ", KickReason);
}

void mnuBan_Click(Chat& chat) {
    sendOnSelected(chat, "/ban ", BanReason);
}

void mnuAdd_Click(Chat& chat) {
    localOnSelected(chat, "/add ");
}

void mnuRem_Click(Chat& chat) {
    localOnSelected(chat, "/remove ");
}

void mnuSafeadd_Click(Chat& chat) {
    localOnSelected(chat, "/safeadd ");
}

void mnuRemSafelist_Click(Chat& chat) {
    localOnSelected(chat, "/saferem ");
}

void mnuClearChat_Click(Chat& chat) {
    chat.output.rtbChat.clear();
}

void mnuClearWhispers_Click(Chat& chat) {
    chat.output.rtbWhispers.clear();
}

void mnuChannel_Click(Chat& chat, int entry) {
    const auto& channels = chat.settings.BotConfig.FavChannels;
    if (entry < 0 || static_cast<std::size_t>(entry) >= channels.size()) return;
    SendUserLine(chat, "/join " + channels[static_cast<std::size_t>(entry)]);
}

}  // namespace morva
