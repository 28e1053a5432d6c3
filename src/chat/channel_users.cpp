#include "chat/channel_users.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "bot/bot.h"
#include "chat/palette.h"
#include "platform/text_case.h"

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

bool isOperatorFlags(const std::string& flags) {
    return flags == "0002" || flags == "0012" || flags == "0022";
}

// Word index (from 0) of a record split at single blanks; empty when the record has fewer words.
std::string wordOf(const std::string& record, int index) {
    std::size_t start = 0;
    for (int i = 0; i < index; ++i) {
        const std::size_t blank = record.find(' ', start);
        if (blank == std::string::npos) return {};
        start = blank + 1;
    }
    return record.substr(start, record.find(' ', start) - start);
}

std::string recordOf(const std::string& name, const std::string& flags, const std::string& product) {
    return name + " " + flags + " " + product;
}

// Records are matched by their exact name, as the server spells it.
template <typename Records>
auto findRecord(Records& records, const std::string& name) {
    return std::ranges::find_if(records,
                                [&](const std::string& record) { return wordOf(record, 0) == name; });
}

// Only the leading digits count, so a malformed word reads as what it starts with (0 if nothing).
// A value past 16 bits stays at the limit rather than wrap onto one that means something.
std::int16_t leadingNumber(const std::string& word) {
    const bool negative = word.starts_with('-');
    long value = 0;
    for (std::size_t i = negative ? 1 : 0; i < word.size() && word[i] >= '0' && word[i] <= '9'; ++i)
        value = std::min(value * 10 + (word[i] - '0'), 32768L);
    return static_cast<std::int16_t>(std::clamp(negative ? -value : value, -32768L, 32767L));
}

void styleRow(Bot& bot, int row, const std::string& name, std::int16_t icon) {
    MemberView& view = bot.ports.lvChannel;
    if (icon == OperatorIcon) {
        view.setColor(row, ColorOperator);
        view.setBold(row, true);
    } else if (icon == SquelchedIcon) {
        view.setColor(row, ColorError);
    } else if (icon == FlagOneIcon) {
        view.setColor(row, ColorPaleCyan);
    } else if (name == bot.CurrentName) {
        view.setColor(row, ColorOwnName);
    }
}

void showCount(Bot& bot) {
    bot.ports.shell.setChannelLabel(bot.CurrentChannel + " [" + std::to_string(bot.ports.lvChannel.count()) +
                                    "]");
}

}  // namespace

std::int16_t GetIcon(const std::string& flags, const std::string& product) {
    if (flags == "0020" || flags == "0030") return SquelchedIcon;
    if (isOperatorFlags(flags)) return OperatorIcon;
    if (flags == "0001") return FlagOneIcon;
    const auto known = std::ranges::find(ProductIcons, std::string_view(product), &ProductIcon::product);
    return known == ProductIcons.end() ? OtherProductIcon : known->icon;
}

void AddUser(Bot& bot, const std::string& name, const std::string& flags, const std::string& product) {
    const std::string record = recordOf(name, flags, product);
    const std::int16_t icon = GetIcon(flags, product);
    MemberView& view = bot.ports.lvChannel;
    bot.ChannelUsers.push_back(record);
    view.append(name, icon);
    // The new row is the last one; a search by name would find an earlier row of the same name.
    const int row = view.count();
    view.setToolTip(row, record);
    showCount(bot);
    styleRow(bot, row, name, icon);
}

void RemoveUser(Bot& bot, const std::string& name) {
    const auto record = findRecord(bot.ChannelUsers, name);
    if (record == bot.ChannelUsers.end()) return;
    bot.ChannelUsers.erase(record);
    // After a lost connection the rows are gone while the records stay.
    if (const int row = bot.ports.lvChannel.find(name)) bot.ports.lvChannel.removeAt(row);
    showCount(bot);
}

void UpdateUser(Bot& bot, const std::string& name, const std::string& flags) {
    MemberView& view = bot.ports.lvChannel;
    const int row = view.find(name);
    if (row == 0) return;
    std::string product;
    if (const auto old = findRecord(bot.ChannelUsers, name); old != bot.ChannelUsers.end()) {
        product = wordOf(*old, 2);
        bot.ChannelUsers.erase(old);
    }
    const std::string record = recordOf(name, flags, product);
    const std::int16_t icon = GetIcon(flags, product);
    bot.ChannelUsers.push_back(record);
    view.removeAt(row);
    view.insertAt(row, name, icon);
    view.setToolTip(row, record);
    styleRow(bot, row, name, icon);
}

void ClearChannel(Bot& bot) {
    bot.ChannelUsers.clear();
    bot.ports.lvChannel.clear();
    showCount(bot);
}

std::int16_t GetFlags(const Bot& bot, const std::string& name) {
    const auto record = findRecord(bot.ChannelUsers, name);
    return record == bot.ChannelUsers.end() ? 0 : leadingNumber(wordOf(*record, 1));
}

bool IsBotOp(const Bot& bot) {
    return std::ranges::any_of(bot.ChannelUsers, [&](const std::string& record) {
        return EqualsNoCase(wordOf(record, 0), bot.CurrentName) && isOperatorFlags(wordOf(record, 1));
    });
}

}  // namespace morva
