#include "chat/input_line.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "connection/connection.h"
#include "moderation/input_enter.h"
#include "output/palette.h"
#include "support/bot_fixture.h"

namespace morva::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ColorRuns = std::vector<std::pair<Rgb, std::string>>;

class InputLine : public BotFixture {
protected:
    InputLine() { bot.chat.CurrentName = "MorvaBot"; }

    bool enter(std::string& typed) { return txtSend_Enter(bot.chat, typed); }

    // The echo of a typed line: stamp, own name, the text in white.
    static ColorRuns echo(const std::string& text) {
        return {
            {ColorTimeStamp, "[14:03:27.45] "}, {ColorOwnName, "MorvaBot: "}, {ColorWhite, text + "\r\n"}};
    }
};

TEST_F(InputLine, EnterOnAnEmptyLineIsLeftToTheBox) {
    connect(false);
    std::string typed;
    EXPECT_FALSE(enter(typed));
    EXPECT_THAT(sent(), IsEmpty());
    EXPECT_THAT(chat.text(), IsEmpty());
}

TEST_F(InputLine, TextModeSendsTheLineWithCrLfAndEchoesIt) {
    connect(false);
    std::string typed = "hello";
    EXPECT_TRUE(enter(typed));
    EXPECT_THAT(typed, IsEmpty());
    EXPECT_THAT(sent(), ElementsAre("hello\r\n"));
    EXPECT_EQ(chat.runs(), echo("hello"));
}

TEST_F(InputLine, BinaryModeSendsOneChatCommandPacket) {
    connect(true);
    std::string typed = "hello";
    EXPECT_TRUE(enter(typed));
    EXPECT_THAT(sent(), ElementsAre(std::string("\xFF\x0E\x0A\x00hello\x00", 10)));
    EXPECT_EQ(chat.runs(), echo("hello"));
}

TEST_F(InputLine, SlashLineGoesToTheServerAndTheLocalCommandsWithoutEcho) {
    for (const bool binary : {false, true}) {
        SCOPED_TRACE(binary);
        connect(binary);
        bot.settings.AccesNames.clear();
        std::string typed = "/add Joe";
        EXPECT_TRUE(enter(typed));
        EXPECT_THAT(typed, IsEmpty());
        EXPECT_THAT(sent(),
                    ElementsAre(binary ? std::string("\xFF\x0E\x0D\x00/add Joe\x00", 13) : "/add Joe\r\n"));
        EXPECT_THAT(bot.settings.AccesNames, ElementsAre("Joe")) << "the local command ran";
        for (const auto& line : chatLines()) EXPECT_EQ(line.find("MorvaBot: "), std::string::npos) << line;
    }
}

TEST_F(InputLine, WhileDisconnectedLinesStayWithALineSayingSoButListWordsStillRun) {
    for (const char* line : {"hello", "/w Bob hi", "/find Bob", "/kick Bob"}) {
        chat.clear();
        std::string typed = line;
        EXPECT_TRUE(enter(typed));
        EXPECT_EQ(typed, line) << "kept for when the bot is connected again";
        EXPECT_THAT(chatLines(), ElementsAre("Bot: Not connected; the line was not sent."));
    }

    chat.clear();
    std::string typed = "/add Joe";
    EXPECT_TRUE(enter(typed));
    EXPECT_THAT(typed, IsEmpty());
    EXPECT_THAT(bot.settings.AccesNames, ElementsAre("Joe"));
    EXPECT_THAT(chatLines(), ElementsAre("Bot: Joe added to acceslist."));
    EXPECT_THAT(sent(), IsEmpty());
}

TEST_F(InputLine, GoesOutOnTheSocketThatWonTheRace) {
    config.Socks = 3;
    config.Binary = false;
    bot.connection.Bot_LoadSockets();
    bot.connection.Bot_Connect();
    sockets.made[1]->acceptConnect();
    sockets.made[1]->sent.clear();
    std::string typed = "hello";
    enter(typed);
    EXPECT_THAT(sockets.made[1]->sent, ElementsAre("hello\r\n"));
    EXPECT_THAT(sockets.made[0]->sent, IsEmpty());
}

// Without a connection that is up, a line is neither sent nor echoed.
TEST_F(InputLine, SendUserLineWithoutAConnectionDoesNothing) {
    const std::pair<const char*, std::function<void()>> states[] = {
        {"never connected", [] {}},
        {"racing", [this] { bot.connection.Bot_Connect(); }},
        {"disconnected",
         [this] {
             connect(false);
             bot.connection.Bot_Disconnect();
         }},
        {"lost",
         [this] {
             connect(false);
             sockets.made[0]->peerClose();
         }},
    };
    for (const auto& [name, reach] : states) {
        SCOPED_TRACE(name);
        reach();
        sockets.made[0]->sent.clear();
        chat.clear();
        SendUserLine(bot.chat, "hello");
        EXPECT_THAT(sent(), IsEmpty());
        EXPECT_THAT(chat.text(), IsEmpty());
    }
}

}  // namespace
}  // namespace morva::testing
