#include "support/moderation_fixture.h"

#include "chat/channel_users.h"
#include "output/palette.h"

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
    config.Master = "Boss";
    config.Trigger = "!";
    bot.settings.AccesNames = {"Helper"};
    bot.settings.SafeNames = {"Friend"};
    bot.chat.CurrentName = "MorvaBot";
    bot.chat.CurrentChannel = "Home";
    connect(false);
}

void ModerationFixture::fillChannel(bool op) {
    AddUser(bot.chat, "MorvaBot", op ? "0002" : "0010", "[CHAT]");
    for (const char* name : {"Joe", "Jim", "Friend", "Helper"}) AddUser(bot.chat, name, "0000", "[STAR]");
}

void ModerationFixture::reconnectOnSocket1() {
    config.Socks = 2;
    bot.connection.Bot_LoadSockets();
    bot.connection.Bot_Connect();
    sockets.made[1]->acceptConnect();
    sockets.made[1]->sent.clear();
    chat.clear();
}

std::vector<std::string> ModerationFixture::coloredLines() const {
    std::vector<std::string> lines;
    for (const PaneLine& line : chat.paneLines()) {
        std::string text;
        for (const morva::Run& run : line.runs) {
            EXPECT_TRUE(run.color == line.runs.front().color) << run.text;
            text += run.text;
        }
        lines.push_back((line.runs.empty() ? "" : colorName(line.runs.front().color)) + "|" + text);
    }
    return lines;
}

}  // namespace morva::testing
