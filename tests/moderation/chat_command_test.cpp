#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "moderation/commands.h"
#include "support/moderation_fixture.h"
#include "settings/name_lists.h"

namespace morva {
namespace {

using Lines = std::vector<std::string>;

enum class Need { Anyone, Operator, Master };
enum class Speaker { Master, Access, SafeOnly, Stranger };

struct WordCase {
    const char* message;
    Need need;
    // What the bot sends when the master asks while the bot is operator; "%U" stands for the speaker.
    Lines sent;
};

const WordCase WordCases[] = {
    {"!bancount", Need::Operator, {"/w %U Bot: 3 users has been banned from channel while holding ops.\r\n"}},
    {"!protect on", Need::Anyone, {"/w %U Bot: Channel protection enabled.\r\n"}},
    {"!protect off", Need::Anyone, {"/w %U Bot: Channel protection disabled.\r\n"}},
    {"!protect", Need::Anyone, {"/w %U Bot: Channel protection disable.\r\n"}},
    {"!unban Joe", Need::Anyone, {"/unban Joe\r\n"}},
    {"!join Clan Morva", Need::Anyone, {"/join Clan Morva\r\n"}},
    {"!op jOE", Need::Operator, {"/designate jOE\r\n", "/resign\r\n"}},
    {"!op Nobody", Need::Operator, {"Error: Nobody is not in channel.\r\n"}},
    {"!designate JIM", Need::Operator, {"/designate JIM\r\n", "/w %U Bot: Designated: JIM\r\n"}},
    {"!designate Nobody", Need::Operator, {"Error: Nobody is not in channel.\r\n"}},
    {"!resign", Need::Operator, {"/resign\r\n"}},
    {"!say hello  there", Need::Anyone, {"hello  there\r\n"}},
    {"!say /ban joe", Need::Anyone, {"/ban joe\r\n"}},
    {"!add Newbie", Need::Master, {"/w %U Bot: Newbie added to acceslist.\r\n"}},
    {"!add helper", Need::Master, {"/w %U Bot: helper already in acceslist.\r\n"}},
    {"!remove HELPER", Need::Master, {"/w %U Bot: HELPER removed from acceslist.\r\n"}},
    {"!rem Nobody", Need::Master, {"/w %U Bot: Nobody not found in acceslist.\r\n"}},
    {"!safeadd Newbie", Need::Anyone, {"/w %U Bot: Newbie added to safelist.\r\n"}},
    {"!safeadd friend", Need::Anyone, {"/w %U Bot: friend already in safelist.\r\n"}},
    {"!saferem Friend", Need::Anyone, {"/w %U Bot: Friend removed from safelist.\r\n"}},
    {"!saferemove Nobody", Need::Anyone, {"/w %U Bot: Nobody not found in safelist.\r\n"}},
    {"!settrigger #", Need::Master, {"/w %U Trigger set to: #\r\n"}},
    {"!settrigger", Need::Master, {}},
    {"!kick Joe", Need::Operator, {"/kick Joe  - Morva Kick -\r\n"}},
    {"!KICK joe", Need::Operator, {"/kick joe  - Morva Kick -\r\n"}},
    {"!kick Joe spamming  hard", Need::Operator, {"/kick Joe spamming  hard\r\n"}},
    {"!kick Friend", Need::Operator, {}},
    {"!kick", Need::Operator, {}},
    {"!ban j*", Need::Operator, {"/ban Joe  - Morva Ban -\r\n", "/ban Jim  - Morva Ban -\r\n"}},
    {"!ban Joe, Friend, Jim bye", Need::Operator, {"/ban Joe  - Morva Ban -\r\n", "/ban Jim bye\r\n"}},
    {"!ver", Need::Anyone, {"Morva Chat v1.0 by Quorin [Binary Edition].\r\n"}},
    {"!Version", Need::Anyone, {"Morva Chat v1.0 by Quorin [Binary Edition].\r\n"}},
    {"!find Joe", Need::Anyone, {}},
    {"!nosuchword Joe", Need::Anyone, {}},
    {"! kick Joe", Need::Anyone, {}},
    {"kick Joe", Need::Anyone, {}},
};

void PrintTo(const WordCase& c, std::ostream* os) {
    *os << '"' << c.message << '"';
}

std::string speakerName(Speaker speaker) {
    switch (speaker) {
        case Speaker::Master:
            return "boss";  // the master in other letter case
        case Speaker::Access:
            return "Helper";
        case Speaker::SafeOnly:
            return "Friend";
        case Speaker::Stranger:
            return "Joe";
    }
    return {};
}

bool obeys(Speaker speaker, Need need, bool op) {
    if (speaker == Speaker::SafeOnly || speaker == Speaker::Stranger) return false;
    if (need == Need::Operator) return op;
    if (need == Need::Master) return speaker == Speaker::Master;
    return true;
}

Lines withSpeaker(const Lines& lines, const std::string& speaker) {
    Lines result;
    for (std::string line : lines) {
        if (const auto at = line.find("%U"); at != std::string::npos) line.replace(at, 2, speaker);
        result.push_back(line);
    }
    return result;
}

class ChatWords : public testing::ModerationFixture,
                  public ::testing::WithParamInterface<std::tuple<WordCase, Speaker, bool>> {};

TEST_P(ChatWords, SendExactlyWhatTheSpeakerMayAsk) {
    const auto& [word, speaker, op] = GetParam();
    fillChannel(op);
    bot.chat.BanCount = 3;
    const std::string name = speakerName(speaker);
    CheckTrigger(bot.chat, name, word.message);
    EXPECT_EQ(sent(), obeys(speaker, word.need, op) ? withSpeaker(word.sent, name) : Lines{});
    EXPECT_TRUE(chat.text().empty());
}

std::string caseName(const ::testing::TestParamInfo<std::tuple<WordCase, Speaker, bool>>& info) {
    static const char* const speakers[] = {"Master", "Access", "SafeOnly", "Stranger"};
    const auto& [word, speaker, op] = info.param;
    std::string name;
    for (const char* c = word.message; *c; ++c)
        name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
    return name + "_" + speakers[static_cast<int>(speaker)] + (op ? "_Op" : "_NoOp") + "_" +
           std::to_string(info.index);
}

INSTANTIATE_TEST_SUITE_P(Table, ChatWords,
                         ::testing::Combine(::testing::ValuesIn(WordCases),
                                            ::testing::Values(Speaker::Master, Speaker::Access,
                                                              Speaker::SafeOnly, Speaker::Stranger),
                                            ::testing::Bool()),
                         caseName);

class ChatCommands : public testing::ModerationFixture {
protected:
    ChatCommands() { fillChannel(true); }
};

TEST_F(ChatCommands, WindowWordsFollowTheRightsOfTheirSpeaker) {
    const struct {
        const char* speaker;
        bool obeyed;
        bool masterOnlyObeyed;
    } speakers[] = {
        {"BOSS", true, true}, {"Helper", true, false}, {"Friend", false, false}, {"Joe", false, false}};
    for (const auto& s : speakers) {
        SCOPED_TRACE(s.speaker);
        shell.ends = 0;
        shell.inTray = false;
        shell.trayTip.clear();
        shell.captionText =
            "Morva Chat v1.0 by Quorin [Binary Edition]; Logged in as: MorvaBot in channel Home.";
        CheckTrigger(bot.chat, s.speaker, "!hide");
        EXPECT_EQ(shell.inTray, s.obeyed);
        EXPECT_EQ(shell.trayTip, s.obeyed ? shell.captionText : "");
        CheckTrigger(bot.chat, s.speaker, "!SHOW");
        EXPECT_FALSE(shell.inTray);
        for (const char* end : {"!end", "!crash", "!quit"}) CheckTrigger(bot.chat, s.speaker, end);
        EXPECT_EQ(shell.ends, s.masterOnlyObeyed ? 3 : 0);
    }
    EXPECT_TRUE(sent().empty());
}

TEST_F(ChatCommands, ShowRestoresAWindowThatWasHidden) {
    shell.inTray = true;
    CheckTrigger(bot.chat, "Helper", "!show");
    EXPECT_FALSE(shell.inTray);
}

TEST_F(ChatCommands, TriggerQuestionIsAnsweredToEveryoneWithAccess) {
    config.Trigger = "#";
    CheckTrigger(bot.chat, "Helper", "?TRIGGER");
    CheckTrigger(bot.chat, "Boss", "?trigger");
    CheckTrigger(bot.chat, "Friend", "?trigger");
    CheckTrigger(bot.chat, "Joe", "?trigger");
    CheckTrigger(bot.chat, "Helper", "?trigger now");
    EXPECT_EQ(sent(), (Lines{"/w Helper Trigger: #\r\n", "/w Boss Trigger: #\r\n"}));
}

TEST_F(ChatCommands, TriggerQuestionWorksWhenTheTriggerIsItself) {
    config.Trigger = "?";
    CheckTrigger(bot.chat, "Helper", "?trigger");
    EXPECT_EQ(sent(), (Lines{"/w Helper Trigger: ?\r\n"}));
}

TEST_F(ChatCommands, TriggerComparesByExactCharacter) {
    config.Trigger = "a";
    CheckTrigger(bot.chat, "Boss", "Akick Joe");
    EXPECT_TRUE(sent().empty());
    CheckTrigger(bot.chat, "Boss", "akick Joe");
    EXPECT_EQ(sent(), (Lines{"/kick Joe  - Morva Kick -\r\n"}));
}

TEST_F(ChatCommands, OnlyAOneCharacterTriggerStartsACommandFromChat) {
    for (const char* trigger : {"!!", ""}) {
        SCOPED_TRACE(trigger);
        config.Trigger = trigger;
        CheckTrigger(bot.chat, "Boss", "!!kick Joe");
        CheckTrigger(bot.chat, "Boss", "kick Joe");
        CheckTrigger(bot.chat, "Boss", "");
    }
    EXPECT_TRUE(sent().empty());
}

TEST_F(ChatCommands, ProtectionBanStripsTheWholeTrigger) {
    config.Trigger = "!!";
    ChatCommand(bot.chat, "Boss", "!!ban Joe Go away");
    EXPECT_EQ(sent(), (Lines{"/ban Joe Go away\r\n"}));
}

TEST_F(ChatCommands, ProtectionBanOfAJoiningUserWithoutProtectMessageEndsInABlank) {
    config.Trigger = "!!";
    config.ChannelProtect = true;
    feed("1002 JOIN Intruder 0000 [STAR]");
    bot.settings.SafeNames.push_back("friend*");
    feed("1002 JOIN Friend2 0000 [STAR]");
    EXPECT_EQ(sent(), (Lines{"/ban Intruder \r\n"}));
}

TEST_F(ChatCommands, CommandsAreAnsweredOnTheActiveConnection) {
    reconnectOnSocket1();
    sockets.made[0]->sent.clear();
    sockets.made[1]->receive("1005 TALK Helper 0000 \"!ver\"\r\n");
    EXPECT_EQ(sockets.made[1]->sent, (Lines{"Morva Chat v1.0 by Quorin [Binary Edition].\r\n"}));
    EXPECT_TRUE(sent().empty());
}

TEST_F(ChatCommands, NothingIsSentWhileDisconnected) {
    sockets.made[0]->peerClose();
    // The lost connection emptied the channel; the bot counts as operator again, so only the
    // missing connection holds the commands back.
    fillChannel(true);
    sockets.made[0]->sent.clear();
    CheckTrigger(bot.chat, "Boss", "!kick Joe");
    CheckTrigger(bot.chat, "Boss", "!ver");
    EXPECT_TRUE(sent().empty());
}

class ProtectCommand : public ChatCommands {
protected:
    ProtectCommand() { profile.write("config.bot", "[Profile]\r\nChannelProtect=False\r\n"); }
};

TEST_F(ProtectCommand, SwitchesByTheArgumentsFirstLetters) {
    const struct {
        const char* message;
        bool before;
        bool after;
        const char* file;
        Lines sent;
    } cases[] = {
        {"!protect online",
         false,
         true,
         "[Profile]\r\nChannelProtect=True\r\n",
         {"/w Boss Bot: Channel protection enabled.\r\n"}},
        {"!protect ON",
         false,
         true,
         "[Profile]\r\nChannelProtect=True\r\n",
         {"/w Boss Bot: Channel protection enabled.\r\n"}},
        {"!protect Offline",
         true,
         false,
         "[Profile]\r\nChannelProtect=False\r\n",
         {"/w Boss Bot: Channel protection disabled.\r\n"}},
        {"!protect of", true, true, "[Profile]\r\nChannelProtect=False\r\n", {}},
        {"!protect x", false, false, "[Profile]\r\nChannelProtect=False\r\n", {}},
        {"!protect  on", false, false, "[Profile]\r\nChannelProtect=False\r\n", {}},
        {"!protect",
         true,
         true,
         "[Profile]\r\nChannelProtect=False\r\n",
         {"/w Boss Bot: Channel protection enabled.\r\n"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        profile.write("config.bot", "[Profile]\r\nChannelProtect=False\r\n");
        sockets.made[0]->sent.clear();
        config.ChannelProtect = c.before;
        CheckTrigger(bot.chat, "Boss", c.message);
        EXPECT_EQ(config.ChannelProtect, c.after);
        EXPECT_EQ(profile.read("config.bot"), c.file);
        EXPECT_EQ(sent(), c.sent);
    }
}

class SetTriggerCommand : public ChatCommands {
protected:
    const std::string configText =
        "; MorvaChat settings\r\n"
        "[Profile]\r\n"
        "Username=bot1\r\n"
        "ChannelProtect=False\r\n"
        "\r\n"
        "[Commands]\r\n"
        "; who may command the bot\r\n"
        "Master=Boss\r\n"
        "Trigger = !\r\n"
        "Other=1\r\n"
        "\r\n"
        "[Idle]\r\n"
        "Message=hello\r\n";

    SetTriggerCommand() { profile.write("config.bot", configText); }

    std::string configWithTrigger(const std::string& value) const {
        std::string expected = configText;
        expected.replace(expected.find("Trigger = !"), std::string("Trigger = !").size(), "Trigger=" + value);
        return expected;
    }
};

TEST_F(SetTriggerCommand, RewritesOnlyTheTriggerAndTakesEffectAtOnce) {
    CheckTrigger(bot.chat, "Boss", "!settrigger #");
    EXPECT_EQ(config.Trigger, "#");
    EXPECT_EQ(profile.read("config.bot"), configWithTrigger("#"));
    CheckTrigger(bot.chat, "Boss", "!kick Joe");
    CheckTrigger(bot.chat, "Boss", "#kick Joe");
    EXPECT_EQ(sent(), (Lines{"/w Boss Trigger set to: #\r\n", "/kick Joe  - Morva Kick -\r\n"}));
}

TEST_F(SetTriggerCommand, NeedsTheMasterAndAnArgument) {
    CheckTrigger(bot.chat, "Helper", "!settrigger #");
    CheckTrigger(bot.chat, "Boss", "!settrigger");
    CheckTrigger(bot.chat, "Boss", "!settrigger ");
    EXPECT_EQ(config.Trigger, "!");
    EXPECT_EQ(profile.read("config.bot"), configText);
    EXPECT_TRUE(sent().empty());
}

TEST_F(SetTriggerCommand, KeepsOnlyTheFirstLineSoNoKeyCanBeSlippedIntoTheFile) {
    for (const char* message : {"!settrigger #\r\nMaster=Mallory", "!settrigger #\nMaster=Mallory",
                                "!settrigger #\rMaster=Mallory"}) {
        SCOPED_TRACE(message);
        profile.write("config.bot", configText);
        sockets.made[0]->sent.clear();
        config.Trigger = "!";
        CheckTrigger(bot.chat, "Boss", message);
        EXPECT_EQ(config.Trigger, "#");
        EXPECT_EQ(profile.read("config.bot"), configWithTrigger("#"));
        EXPECT_EQ(sent(), (Lines{"/w Boss Trigger set to: #\r\n"}));
    }
}

TEST_F(SetTriggerCommand, AnArgumentWhoseFirstLineIsEmptyChangesNothing) {
    CheckTrigger(bot.chat, "Boss", "!settrigger \r\nMaster=Mallory");
    EXPECT_EQ(config.Trigger, "!");
    EXPECT_EQ(profile.read("config.bot"), configText);
    EXPECT_TRUE(sent().empty());
}

class ListCommands : public ChatCommands {
protected:
    ListCommands() {
        profile.write("acces.bot", "Helper\r\n");
        profile.write("safelist.bot", "Friend\r\n");
    }
};

TEST_F(ListCommands, AddAndRemoveEditTheListsAndTheirFiles) {
    CheckTrigger(bot.chat, "Helper", "!safeadd j?e*");
    CheckTrigger(bot.chat, "Helper", "!saferemove FRIEND");
    CheckTrigger(bot.chat, "Boss", "!add Newbie");
    CheckTrigger(bot.chat, "Boss", "!rem helper");
    CheckTrigger(bot.chat, "Helper", "!safeadd Jim");  // no longer obeyed
    EXPECT_EQ(bot.settings.AccesNames, (Lines{"Newbie"}));
    EXPECT_EQ(bot.settings.SafeNames, (Lines{"j?e*"}));
    EXPECT_EQ(profile.read("acces.bot"), "Newbie\r\n");
    EXPECT_EQ(profile.read("safelist.bot"), "j?e*\r\n");
    EXPECT_EQ(sent(), (Lines{"/w Helper Bot: j?e* added to safelist.\r\n",
                             "/w Helper Bot: FRIEND removed from safelist.\r\n",
                             "/w Boss Bot: Newbie added to acceslist.\r\n",
                             "/w Boss Bot: helper removed from acceslist.\r\n"}));
}

TEST_F(ListCommands, AnEntryAlreadyThereIsNotAddedTwice) {
    CheckTrigger(bot.chat, "Boss", "!add HELPER");
    CheckTrigger(bot.chat, "Boss", "!safeadd helper");
    CheckTrigger(bot.chat, "Boss", "!safeadd Boss");
    EXPECT_EQ(bot.settings.AccesNames, (Lines{"Helper"}));
    EXPECT_EQ(bot.settings.SafeNames, (Lines{"Friend"}));
    EXPECT_EQ(profile.read("acces.bot"), "Helper\r\n");
    EXPECT_EQ(profile.read("safelist.bot"), "Friend\r\n");
}

TEST_F(ListCommands, RemovingTheMasterAnswersRemovedAndChangesNothing) {
    CheckTrigger(bot.chat, "Boss", "!remove BOSS");
    EXPECT_EQ(sent(), (Lines{"/w Boss Bot: BOSS removed from acceslist.\r\n"}));
    EXPECT_EQ(bot.settings.AccesNames, (Lines{"Helper"}));
    EXPECT_EQ(profile.read("acces.bot"), "Helper\r\n");
    EXPECT_TRUE(IsAcces(bot.settings, "Boss"));
}

TEST_F(ListCommands, SafeRemovalOfANameSafeOnlyThroughAPatternOrAccessChangesNothing) {
    bot.settings.SafeNames = {"j*", "Friend"};
    profile.write("safelist.bot", "j*\r\nFriend\r\n");
    CheckTrigger(bot.chat, "Helper", "!saferem Joe");
    CheckTrigger(bot.chat, "Helper", "!saferem Helper");
    EXPECT_EQ(sent(), (Lines{"/w Helper Bot: Joe removed from safelist.\r\n",
                             "/w Helper Bot: Helper removed from safelist.\r\n"}));
    EXPECT_EQ(bot.settings.SafeNames, (Lines{"j*", "Friend"}));
    EXPECT_EQ(profile.read("safelist.bot"), "j*\r\nFriend\r\n");
    EXPECT_TRUE(IsSafe(bot.settings, "Joe"));
}

TEST_F(ListCommands, APatternEntryIsRemovedByItsOwnText) {
    bot.settings.SafeNames = {"J*"};
    CheckTrigger(bot.chat, "Helper", "!saferem j*");
    EXPECT_TRUE(bot.settings.SafeNames.empty());
    EXPECT_EQ(profile.read("safelist.bot"), "");
}

}  // namespace
}  // namespace morva
