#include "moderation_fixture.h"

#include "chat/channel_users.h"
#include "chat/palette.h"

namespace morva::testing {

namespace {

std::string colorName(Rgb color) {
    if (color == ColorStatus) return "status";
    if (color == ColorGrey) return "grey";
    if (color == ColorError) return "error";
    return "other";
}

}  // namespace

ModerationFixture::ModerationFixture() {
    bot.BotConfig.Master = "Boss";
    bot.BotConfig.Trigger = "!";
    bot.AccesNames = {"Helper"};
    bot.SafeNames = {"Friend"};
    bot.CurrentName = "MorvaBot";
    bot.CurrentChannel = "Home";
    connect(false);
}

void ModerationFixture::fillChannel(bool op) {
    AddUser(bot, "MorvaBot", op ? "0002" : "0010", "[CHAT]");
    for (const char* name : {"Joe", "Jim", "Friend", "Helper"}) AddUser(bot, name, "0000", "[STAR]");
}

std::vector<std::string> ModerationFixture::paneLines() const {
    const std::size_t stampLength = std::string("[14:03:27.45] ").size();
    const std::string& text = chat.text();
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        const std::size_t from = start + stampLength;
        const Rgb color = chat.colorAt(static_cast<int>(from));
        for (std::size_t i = from; i < end; ++i) EXPECT_TRUE(chat.colorAt(static_cast<int>(i)) == color);
        lines.push_back(colorName(color) + "|" + text.substr(from, end - from));
    }
    return lines;
}

}  // namespace morva::testing
