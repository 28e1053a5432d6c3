#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "chat/channel_users.h"
#include "moderation/commands.h"
#include "moderation/input_enter.h"
#include "support/moderation_fixture.h"
#include "settings/name_lists.h"

namespace morva {
namespace {

using Lines = std::vector<std::string>;

struct LocalCase {
    const char* text;
    bool needsOperator;
    // What happens while the bot is operator: chat pane lines ("colour|text") and lines sent.
    Lines pane;
    Lines sent;
};

const LocalCase LocalCases[] = {
    {"/bancount", true, {"status|Bot: 3 users banned from channel while holding op."}, {}},
    {"/find Joe", false, {"grey|Finding Joe..."}, {"/f a Joe\r\n", "/f r Joe\r\n"}},
    {"/add Newbie", false, {"status|Bot: Newbie added to acceslist."}, {}},
    {"/add HELPER", false, {"status|Bot: HELPER already in acceslist."}, {}},
    {"/protect on", false, {"status|Bot: Channel protection enabled."}, {}},
    {"/protect OFF", false, {"status|Bot: Channel protection disabled."}, {}},
    {"/protect", false, {"status|Bot: Channel protection disabled."}, {}},
    {"/protect x", false, {}, {}},
    {"/remove helper", false, {"status|Bot: helper removed from acceslist."}, {}},
    {"/rem Nobody", false, {"status|Bot: Nobody not found in acceslist."}, {}},
    {"/safeadd Newbie", false, {"status|Bot: Newbie added to safelist."}, {}},
    {"/safeadd friend", false, {"status|Bot: friend already in safelist."}, {}},
    {"/saferem Friend", false, {"status|Bot: Friend removed from safelist."}, {}},
    {"/saferemove Nobody", false, {"status|Bot: Nobody not found in safelist."}, {}},
    {"/settrigger #", false, {"status|Trigger set to: #"}, {}},
    {"/settrigger", false, {}, {}},
    {"/op jOE", true, {}, {"/designate jOE\r\n", "/resign\r\n"}},
    {"/op Nobody", true, {"error|Error: Nobody is not in channel."}, {}},
    {"/kick Joe", true, {}, {}},
    {"/kick Joe, Friend, Jim bye", true, {}, {"/kick Joe  - Morva Kick -\r\n", "/kick Jim bye\r\n"}},
    {"/KICK j*", true, {}, {"/kick Joe  - Morva Kick -\r\n", "/kick Jim  - Morva Kick -\r\n"}},
    {"/ban j* bye", true, {}, {"/ban Joe bye\r\n", "/ban Jim bye\r\n"}},
    {"/ban Joe", true, {}, {}},
    {"/designate Joe", false, {}, {}},
    {"/say hi", false, {}, {}},
    {"/ver", false, {}, {}},
    {"/unban Joe", false, {}, {}},
    {"/join Lobby", false, {}, {}},
    {"/resign", false, {}, {}},
    {"/ find Joe", false, {}, {}},
    {"/", false, {}, {}},
    {"", false, {}, {}},
};

void PrintTo(const LocalCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class LocalWords : public testing::ModerationFixture,
                   public ::testing::WithParamInterface<std::tuple<LocalCase, bool>> {};

TEST_P(LocalWords, PrintAndSendWhatTheTableSays) {
    const auto& [c, op] = GetParam();
    fillChannel(op);
    bot.chat.BanCount = 3;
    LocalCommand(bot.chat, c.text);
    const bool runs = op || !c.needsOperator;
    EXPECT_EQ(coloredLines(), runs ? c.pane : Lines{});
    EXPECT_EQ(sent(), runs ? c.sent : Lines{});
}

std::string caseName(const ::testing::TestParamInfo<std::tuple<LocalCase, bool>>& info) {
    const auto& [c, op] = info.param;
    std::string name;
    for (const char* p = c.text; *p; ++p) name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    return name + (op ? "_Op_" : "_NoOp_") + std::to_string(info.index);
}

INSTANTIATE_TEST_SUITE_P(Table, LocalWords,
                         ::testing::Combine(::testing::ValuesIn(LocalCases), ::testing::Bool()), caseName);

class LocalCommands : public testing::ModerationFixture {
protected:
    LocalCommands() { fillChannel(true); }
};

TEST_F(LocalCommands, FindOpensTheCaptureWindowForTheServersAnswer) {
    ASSERT_FALSE(bot.chat.capture.isOpen());
    LocalCommand(bot.chat, "/find Joe");
    EXPECT_TRUE(bot.chat.capture.isOpen());
}

TEST_F(LocalCommands, FindSendsNothingWhileDisconnectedButStillPrints) {
    sockets.made[0]->peerClose();
    sockets.made[0]->sent.clear();
    chat.clear();
    LocalCommand(bot.chat, "/find Joe");
    EXPECT_EQ(chatLines(), (Lines{"Finding Joe..."}));
    EXPECT_TRUE(sent().empty());
}

TEST_F(LocalCommands, ProtectPrintsThenSwitchesAndWrites) {
    profile.write("config.bot", "[Profile]\r\nChannelProtect=False\r\n");
    LocalCommand(bot.chat, "/protect online");
    EXPECT_TRUE(config.ChannelProtect);
    EXPECT_EQ(profile.read("config.bot"), "[Profile]\r\nChannelProtect=True\r\n");
    LocalCommand(bot.chat, "/protect");
    LocalCommand(bot.chat, "/protect x");
    EXPECT_TRUE(config.ChannelProtect);
    EXPECT_EQ(coloredLines(),
              (Lines{"status|Bot: Channel protection enabled.", "status|Bot: Channel protection enabled."}));
}

TEST_F(LocalCommands, SetTriggerKeepsOnlyTheFirstLine) {
    profile.write("config.bot", "[Commands]\r\nTrigger=!\r\nMaster=Boss\r\n");
    LocalCommand(bot.chat, "/settrigger .\nMaster=Mallory");
    EXPECT_EQ(config.Trigger, ".");
    EXPECT_EQ(profile.read("config.bot"), "[Commands]\r\nTrigger=.\r\nMaster=Boss\r\n");
    EXPECT_EQ(chatLines(), (Lines{"Trigger set to: ."}));
}

TEST_F(LocalCommands, ListWordsWriteTheirFiles) {
    LocalCommand(bot.chat, "/add Newbie");
    LocalCommand(bot.chat, "/safeadd *bot");
    EXPECT_EQ(profile.read("acces.bot"), "Helper\r\nNewbie\r\n");
    EXPECT_EQ(profile.read("safelist.bot"), "Friend\r\n*bot\r\n");
}

TEST_F(LocalCommands, AListWhoseFileCouldNotBeSavedOrReadIsNotReportedChanged) {
    std::filesystem::remove(profile.dir() / "acces.bot");
    std::filesystem::create_directory(profile.dir() / "acces.bot");
    LocalCommand(bot.chat, "/add Alice");
    EXPECT_FALSE(IsAcces(bot.settings, "Alice"));
    const std::string path = (profile.dir() / "acces.bot").string();
    EXPECT_EQ(coloredLines(), (Lines{"error|Bot: Error in WriteAccesList(): " + path + ": Is a directory.",
                                     "status|Bot: Alice not added: acces.bot could not be written."}));

    chat.clear();
    Acceslist(bot.settings);
    std::filesystem::remove(profile.dir() / "acces.bot");
    chat.clear();
    LocalCommand(bot.chat, "/add Alice");
    EXPECT_EQ(coloredLines(), Lines{"status|Bot: Alice not added: acces.bot could not be read."});
    EXPECT_FALSE(profile.exists("acces.bot"));
}

TEST_F(LocalCommands, TypedKickOfANameGoesToTheServerOnly) {
    std::string typed = "/kick joe";
    txtSend_Enter(bot.chat, typed);
    EXPECT_EQ(sent(), (Lines{"/kick joe\r\n"}));
    EXPECT_TRUE(chat.text().empty());
}

TEST_F(LocalCommands, TypedKickOfAPatternGoesToTheServerAndKicksEveryUnsafeMatch) {
    AddUser(bot.chat, "jack", "0000", "[STAR]");
    bot.settings.SafeNames.push_back("Jack");
    std::string typed = "/kick j*";
    txtSend_Enter(bot.chat, typed);
    EXPECT_EQ(sent(),
              (Lines{"/kick j*\r\n", "/kick Joe  - Morva Kick -\r\n", "/kick Jim  - Morva Kick -\r\n"}));
}

class LocalCommandsWithoutOp : public testing::ModerationFixture {
protected:
    LocalCommandsWithoutOp() { fillChannel(false); }
};

TEST_F(LocalCommandsWithoutOp, TypedKickOfAPatternOnlyReachesTheServer) {
    std::string typed = "/kick j*";
    txtSend_Enter(bot.chat, typed);
    EXPECT_EQ(sent(), (Lines{"/kick j*\r\n"}));
}

TEST_F(LocalCommandsWithoutOp, WindowAndProgramWordsAreNotLocal) {
    for (const char* text : {"/show", "/hide", "/end", "/crash", "/quit"}) LocalCommand(bot.chat, text);
    EXPECT_EQ(shell.ends, 0);
    EXPECT_FALSE(shell.inTray);
}

}  // namespace
}  // namespace morva
