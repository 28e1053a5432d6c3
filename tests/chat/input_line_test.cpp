#include "chat/input_line.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "chat/palette.h"
#include "connection/connection.h"
#include "support/bot_fixture.h"

namespace morva {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Runs = std::vector<std::pair<Rgb, std::string>>;

class InputLine : public testing::BotFixture {
protected:
    InputLine() { bot.CurrentName = "MorvaBot"; }

    // The echo of a typed line: stamp, own name, the text in white.
    static Runs echo(const std::string& text) {
        return {
            {ColorTimeStamp, "[14:03:27.45] "}, {ColorOwnName, "MorvaBot: "}, {ColorWhite, text + "\r\n"}};
    }
};

TEST_F(InputLine, EnterOnAnEmptyLineIsLeftToTheBox) {
    connect(false);
    std::string typed;
    EXPECT_FALSE(txtSend_Enter(bot, typed));
    EXPECT_THAT(sent(), IsEmpty());
    EXPECT_THAT(chat.text(), IsEmpty());
}

TEST_F(InputLine, TextModeSendsTheLineWithCrLfAndEchoesIt) {
    connect(false);
    std::string typed = "hello";
    EXPECT_TRUE(txtSend_Enter(bot, typed));
    EXPECT_THAT(typed, IsEmpty());
    EXPECT_THAT(sent(), ElementsAre("hello\r\n"));
    EXPECT_EQ(chat.runs(), echo("hello"));
}

TEST_F(InputLine, BinaryModeSendsOneChatCommandPacket) {
    connect(true);
    std::string typed = "hello";
    EXPECT_TRUE(txtSend_Enter(bot, typed));
    EXPECT_THAT(sent(), ElementsAre(std::string("\xFF\x0E\x0A\x00hello\x00", 10)));
    EXPECT_EQ(chat.runs(), echo("hello"));
}

TEST_F(InputLine, SlashLineGoesToTheServerAndTheLocalCommandsWithoutEcho) {
    for (const bool binary : {false, true}) {
        SCOPED_TRACE(binary);
        connect(binary);
        bot.AccesNames.clear();
        std::string typed = "/add Joe";
        EXPECT_TRUE(txtSend_Enter(bot, typed));
        EXPECT_THAT(typed, IsEmpty());
        EXPECT_THAT(sent(),
                    ElementsAre(binary ? std::string("\xFF\x0E\x0D\x00/add Joe\x00", 13) : "/add Joe\r\n"));
        EXPECT_THAT(bot.AccesNames, ElementsAre("Joe")) << "the local command ran";
        for (const auto& line : chatLines()) EXPECT_EQ(line.find("MorvaBot: "), std::string::npos) << line;
    }
}

TEST_F(InputLine, WhileDisconnectedLinesAreLostButSlashLinesStillRunLocally) {
    std::string typed = "hello";
    EXPECT_TRUE(txtSend_Enter(bot, typed));
    EXPECT_THAT(typed, IsEmpty());
    EXPECT_THAT(chat.text(), IsEmpty());

    typed = "/add Joe";
    EXPECT_TRUE(txtSend_Enter(bot, typed));
    EXPECT_THAT(typed, IsEmpty());
    EXPECT_THAT(bot.AccesNames, ElementsAre("Joe"));
    EXPECT_THAT(sent(), IsEmpty());
}

TEST_F(InputLine, GoesOutOnTheSocketThatWonTheRace) {
    bot.BotConfig.Socks = 3;
    Bot_LoadSockets(bot);
    bot.BotConfig.Binary = false;
    sockets.made[1]->acceptConnect();
    sockets.made[1]->sent.clear();
    std::string typed = "hello";
    txtSend_Enter(bot, typed);
    EXPECT_THAT(sockets.made[1]->sent, ElementsAre("hello\r\n"));
    EXPECT_THAT(sockets.made[0]->sent, IsEmpty());
}

TEST_F(InputLine, SendUserLineOnASocketThatIsNotConnectedDoesNothing) {
    connect(false);
    for (const int index : {1, -1, 40}) SendUserLine(bot, "hello", index);
    EXPECT_THAT(sent(), IsEmpty());
    EXPECT_THAT(chat.text(), IsEmpty());
}

}  // namespace
}  // namespace morva
