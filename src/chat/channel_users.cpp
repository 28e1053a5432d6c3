#include "chat/channel_users.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "chat/chat.h"
#include "output/palette.h"
#include "platform/member_view.h"
#include "platform/shell.h"

namespace morva {

namespace {

constexpr std::int16_t OperatorIcon = 1;
constexpr std::int16_t SquelchedIcon = 14;
constexpr std::int16_t FlagOneIcon = 16;
constexpr std::int16_t OtherProductIcon = 12;

struct ProductIcon {
    std::string_view product;
    std::int16_t icon;
};

constexpr std::array<ProductIcon, 14> ProductIcons{{{"[CHAT]", 2},
                                                    {"[DRTL]", 3},
                                                    {"[DSHR]", 21},
                                                    {"[D2XP]", 13},
                                                    {"[STAR]", 6},
                                                    {"[SEXP]", 9},
                                                    {"[SSHR]", 7},
                                                    {"[W2BN]", 10},
                                                    {"[D2DV]", 5},
                                                    {"[JSTR]", 11},
                                                    {"[BRX]", 14},
                                                    {"[WAR3]", 15},
                                                    {"[W3XP]", 19},
                                                    {"[UKWN]", 20}}};

bool isOperatorFlags(std::string_view flags) {
    return flags == "0002" || flags == "0012" || flags == "0022";
}

// Only the leading digits count, so a malformed text reads as what it starts with (0 if nothing).
// A value past 16 bits stays at the limit rather than wrap onto one that means something.
std::int16_t leadingNumber(const std::string& word) {
    const bool negative = word.starts_with('-');
    long value = 0;
    for (std::size_t i = negative ? 1 : 0; i < word.size() && word[i] >= '0' && word[i] <= '9'; ++i)
        value = std::min(value * 10 + (word[i] - '0'), 32768L);
    return static_cast<std::int16_t>(std::clamp(negative ? -value : value, -32768L, 32767L));
}

// The row of a member: colour and weight by its icon, the bot's own name in its own colour.
MemberRow rowOf(const Chat& chat, const Member& member) {
    MemberRow row{
        member.name, member.icon, member.name + " " + member.flags + " " + member.product, {}, false};
    if (member.icon == OperatorIcon) {
        row.color = ColorOperator;
        row.bold = true;
    } else if (member.icon == SquelchedIcon) {
        row.color = ColorError;
    } else if (member.icon == FlagOneIcon) {
        row.color = ColorPaleCyan;
    } else if (member.name == chat.CurrentName) {
        row.color = ColorOwnName;
    }
    return row;
}

void showCount(Chat& chat) {
    chat.shell.setChannelLabel(chat.CurrentChannel + " [" + std::to_string(chat.ChannelUsers.size()) + "]");
}

}  // namespace

std::int16_t GetIcon(const std::string& flags, const std::string& product) {
    if (flags == "0020" || flags == "0030") return SquelchedIcon;
    if (isOperatorFlags(flags)) return OperatorIcon;
    if (flags == "0001") return FlagOneIcon;
    const auto known = std::ranges::find(ProductIcons, std::string_view(product), &ProductIcon::product);
    return known == ProductIcons.end() ? OtherProductIcon : known->icon;
}

void AddUser(Chat& chat, const std::string& name, const std::string& flags, const std::string& product,
             std::int32_t ping) {
    const Member& member =
        chat.ChannelUsers.push_back(Member{name, flags, product, ping, GetIcon(flags, product)});
    chat.lvChannel.insertRow(static_cast<int>(chat.ChannelUsers.size()), rowOf(chat, member));
    showCount(chat);
}

void RemoveUser(Chat& chat, const std::string& name) {
    const auto position = chat.ChannelUsers.eraseFirst(name);
    if (!position) return;
    chat.lvChannel.removeRow(static_cast<int>(*position) + 1);
    showCount(chat);
}

void UpdateUser(Chat& chat, const std::string& name, const std::string& flags) {
    const int position = FindMember(chat, name);
    if (position < 0) return;
    Member& member = chat.ChannelUsers[static_cast<std::size_t>(position)];
    member.flags = flags;
    member.icon = GetIcon(flags, member.product);
    chat.lvChannel.restyleRow(position + 1, rowOf(chat, member));
}

void ClearChannel(Chat& chat) {
    ForgetMembers(chat);
    showCount(chat);
}

void ForgetMembers(Chat& chat) {
    chat.ChannelUsers.clear();
    chat.lvChannel.clear();
}

int FindMember(const Chat& chat, const std::string& name) {
    const auto position = chat.ChannelUsers.findNoCase(name);
    return position ? static_cast<int>(*position) : -1;
}

std::optional<std::string> SelectedMember(const Chat& chat) {
    const int row = chat.lvChannel.selectedRow();
    if (row < 1 || static_cast<std::size_t>(row) > chat.ChannelUsers.size()) return std::nullopt;
    return chat.ChannelUsers[static_cast<std::size_t>(row - 1)].name;
}

std::int16_t GetFlags(const Chat& chat, const std::string& name) {
    const Member* member = chat.ChannelUsers.findExact(name);
    return member ? leadingNumber(member->flags) : 0;
}

bool IsBotOp(const Chat& chat) {
    return std::ranges::any_of(chat.ChannelUsers.allNoCase(chat.CurrentName),
                               [](const Member* member) { return isOperatorFlags(member->flags); });
}

}  // namespace morva
