#include "chat/event_processor.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "census/census.h"
#include "chat/channel_users.h"
#include "connection/connection.h"
#include "output/palette.h"
#include "output/program_texts.h"
#include "support/bot_fixture.h"
#include "support/packets.h"

namespace morva::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// One pane line as its coloured runs, without the time stamp.
using ColoredLine = std::vector<std::pair<Rgb, std::string>>;

std::vector<ColoredLine> coloredLines(const MemoryPane& pane) {
    std::vector<ColoredLine> lines;
    for (const PaneLine& line : pane.paneLines()) {
        ColoredLine colored;
        for (const Run& run : line.runs) {
            if (run.text.empty()) continue;
            if (colored.empty() || !(colored.back().first == run.color)) colored.emplace_back(run.color, "");
            colored.back().second += run.text;
        }
        lines.push_back(colored);
    }
    return lines;
}

std::string joinChannelPacket(const std::string& channel) {
    return Packet('\x0C', Dword(2) + channel + std::string(1, '\0'));
}

// The bot MorvaBot in channel Home, with master Boss and trigger "!", logged on in text mode.
class EventProcessor : public BotFixture {
protected:
    EventProcessor() {
        bot.chat.CurrentName = "MorvaBot";
        bot.chat.CurrentChannel = "Home";
        config.Master = "Boss";
        config.Trigger = "!";
        config.BackupChannel = "Backup";
        config.ProtectMessage = "Protected";
        connect(false);
    }

    // One event line from the server.
    void feed(const std::string& line) { receive(line + "\r\n"); }

    std::vector<std::string> rowNames() const {
        std::vector<std::string> names;
        for (const MemberRow& row : members.rows()) names.push_back(row.name);
        return names;
    }

    std::vector<std::string> records() const {
        std::vector<std::string> texts;
        for (const Member& m : bot.chat.ChannelUsers)
            texts.push_back(m.name + " " + m.flags + " " + m.product);
        return texts;
    }
};

TEST_F(EventProcessor, UserInChannelIsListedWithoutALine) {
    feed("1001 USER Joe 0010 [STAR] 32");
    EXPECT_THAT(records(), ElementsAre("Joe 0010 [STAR]"));
    EXPECT_EQ(bot.chat.ChannelUsers[0].ping, 32);
    EXPECT_THAT(rowNames(), ElementsAre("Joe"));
    EXPECT_THAT(chat.text(), IsEmpty());
}

class JoinNotice : public EventProcessor, public ::testing::WithParamInterface<bool> {};

TEST_P(JoinNotice, JoinListsTheUserAndTellsOnlyWhenNotificationsAreOn) {
    config.JoinNotifications = GetParam();
    // Names are never filtered, only talk and emote texts.
    bot.settings.FilterPatterns = {"*"};
    feed("1002 JOIN Joe 0010 [STAR] 32");
    EXPECT_THAT(records(), ElementsAre("Joe 0010 [STAR]"));
    EXPECT_THAT(rowNames(), ElementsAre("Joe"));
    if (GetParam()) {
        EXPECT_THAT(coloredLines(chat),
                    ElementsAre(ColoredLine{{ColorJoin, "Joe joined channel using [STAR]."}}));
    } else {
        EXPECT_THAT(chat.text(), IsEmpty());
    }
}

TEST_P(JoinNotice, LeaveUnlistsTheUserAndTellsOnlyWhenNotificationsAreOn) {
    config.LeaveNotifications = GetParam();
    feed("1001 USER Joe 0010 [STAR] 32");
    feed("1001 USER Jim 0010 [STAR] 32");
    feed("1003 LEAVE Joe");
    EXPECT_THAT(records(), ElementsAre("Jim 0010 [STAR]"));
    EXPECT_THAT(rowNames(), ElementsAre("Jim"));
    if (GetParam()) {
        EXPECT_THAT(coloredLines(chat), ElementsAre(ColoredLine{{ColorLeave, "Joe left channel."}}));
    } else {
        EXPECT_THAT(chat.text(), IsEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(NotificationsOnAndOff, JoinNotice, ::testing::Bool());

struct ProtectCase {
    const char* name;
    bool botIsOp;
    bool protect;
    const char* joiner;
    std::vector<std::string> sent;
    friend void PrintTo(const ProtectCase& c, std::ostream* os) { *os << c.name; }
};

class ChannelProtection : public EventProcessor, public ::testing::WithParamInterface<ProtectCase> {};

TEST_P(ChannelProtection, BansAJoinerOnlyWhileTheBotHoldsOpsAndSparesSafeUsers) {
    const ProtectCase& c = GetParam();
    config.ChannelProtect = c.protect;
    bot.settings.SafeNames = {"Friend"};
    AddUser(bot.chat, "MorvaBot", c.botIsOp ? "0002" : "0010", "[CHAT]");
    feed(std::string("1002 JOIN ") + c.joiner + " 0010 [STAR] 32");
    EXPECT_EQ(sent(), c.sent);
    EXPECT_EQ(records().back(), std::string(c.joiner) + " 0010 [STAR]")
        << "banned or not, the joiner is listed";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChannelProtection,
    ::testing::Values(ProtectCase{"OpAndProtect", true, true, "Joe", {"/ban Joe Protected\r\n"}},
                      ProtectCase{"NotOp", false, true, "Joe", {}},
                      ProtectCase{"ProtectOff", true, false, "Joe", {}},
                      ProtectCase{"SafeJoiner", true, true, "Friend", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EventProcessor, BanCountCountsTheBotsBansUntilTheNextJoin) {
    feed(R"(1018 INFO "Joe was banned by MorvaBot (spam).")");
    feed(R"(1018 INFO "Jim was banned by MorvaBot (spam).")");
    feed(R"(1018 INFO "Ann was banned by Op (spam).")");
    feed(R"(1018 INFO "Sue was banned by morvabot (spam).")");
    EXPECT_EQ(bot.chat.BanCount, 2);
    feed("1002 JOIN Joe 0010 [STAR] 32");
    EXPECT_EQ(bot.chat.BanCount, 0);
}

TEST_F(EventProcessor, BanCountStopsAtItsLimit) {
    bot.chat.BanCount = 32767;
    feed(R"(1018 INFO "Joe was banned by MorvaBot (spam).")");
    EXPECT_EQ(bot.chat.BanCount, 32767);
}

struct SpeakerCase {
    const char* storedFlags;  // nullptr: the speaker is not in the member list
    Rgb color;
    friend void PrintTo(const SpeakerCase& c, std::ostream* os) {
        *os << (c.storedFlags ? c.storedFlags : "not listed");
    }
};

class SpeakerColor : public EventProcessor, public ::testing::WithParamInterface<SpeakerCase> {};

TEST_P(SpeakerColor, ComesFromTheFlagsInTheMemberListNotFromTheLine) {
    const SpeakerCase& c = GetParam();
    if (c.storedFlags) AddUser(bot.chat, "Joe", c.storedFlags, "[STAR]");
    feed(R"(1005 TALK Joe 0001 "hi")");
    const ColoredLine expected = c.color == ColorWhite ? ColoredLine{{ColorWhite, "Joe: hi"}}
                                                       : ColoredLine{{c.color, "Joe: "}, {ColorWhite, "hi"}};
    EXPECT_THAT(coloredLines(chat), ElementsAre(expected));
}

INSTANTIATE_TEST_SUITE_P(
    Flags, SpeakerColor,
    ::testing::Values(SpeakerCase{"0002", ColorWhite}, SpeakerCase{"0012", ColorWhite},
                      SpeakerCase{"0022", ColorWhite}, SpeakerCase{"0001", ColorPaleCyan},
                      SpeakerCase{"0000", ColorUserName}, SpeakerCase{"0010", ColorUserName},
                      SpeakerCase{"0020", ColorUserName}, SpeakerCase{"0003", ColorUserName},
                      SpeakerCase{nullptr, ColorUserName}));

TEST_F(EventProcessor, SpeakerWithTheNameInAnotherCaseIsNotTheListedMember) {
    AddUser(bot.chat, "Joe", "0002", "[STAR]");
    feed(R"(1005 TALK joe 0002 "hi")");
    EXPECT_THAT(coloredLines(chat), ElementsAre(ColoredLine{{ColorUserName, "joe: "}, {ColorWhite, "hi"}}));
}

TEST_F(EventProcessor, TalkTextKeepsItsInnerQuotes) {
    feed(R"(1005 TALK Joe 0000 "say "hi" now")");
    EXPECT_THAT(chatLines(), ElementsAre(R"(Joe: say "hi" now)"));
}

TEST_F(EventProcessor, FilterHidesMatchingTalkAndAnInvalidPatternHidesNothing) {
    const struct {
        std::vector<std::string> patterns;
        const char* text;
        bool shown;
    } cases[] = {
        {{"*hello*"}, "Well, HELLO there", false},
        {{"#*"}, "1st", false},
        {{"*hello*"}, "bye", true},
        {{"[*"}, "[x", true},
        {{"[*", "b*"}, "bye", false},
        {{}, "bye", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        chat.clear();
        bot.settings.FilterPatterns = c.patterns;
        feed(std::string("1005 TALK Joe 0000 \"") + c.text + "\"");
        EXPECT_EQ(chatLines().size(), c.shown ? 1u : 0u);
    }
}

TEST_F(EventProcessor, FilteredTalkStillReachesTheTriggerCommands) {
    bot.settings.FilterPatterns = {"!say*"};
    feed(R"(1005 TALK Boss 0000 "!say hello")");
    EXPECT_THAT(chat.text(), IsEmpty());
    EXPECT_THAT(sent(), ElementsAre("hello\r\n"));
}

TEST_F(EventProcessor, TalkFromAnUnknownUserIsShownButCommandsNothing) {
    feed(R"(1005 TALK Joe 0000 "!say hello")");
    EXPECT_THAT(chatLines(), ElementsAre("Joe: !say hello"));
    EXPECT_THAT(sent(), IsEmpty());
}

TEST_F(EventProcessor, ChannelEventStartsAnEmptyListAndSetsTheCaption) {
    feed("1001 USER Joe 0010 [STAR] 32");
    feed(R"(1007 CHANNEL "Op Test")");
    EXPECT_EQ(bot.chat.CurrentChannel, "Op Test");
    EXPECT_THAT(bot.chat.ChannelUsers, IsEmpty());
    EXPECT_EQ(members.count(), 0);
    EXPECT_EQ(shell.channelLabel, "Op Test [0]");
    EXPECT_THAT(coloredLines(chat),
                ElementsAre(ColoredLine{{ColorChannel, "Joined channel: "}, {ColorWhite, "Op Test"}}));
    EXPECT_EQ(shell.captionText, std::string(TitleText) + "; Logged in as: MorvaBot in channel Op Test.");
}

TEST_F(EventProcessor, FlagsUpdateChangesTheListedFlagsSilently) {
    feed("1001 USER Joe 0010 [STAR] 32");
    feed("1009 USER Joe 0002");
    EXPECT_EQ(GetFlags(bot.chat, "Joe"), 2);
    EXPECT_EQ(members.row(1).icon, 1);
    EXPECT_THAT(chat.text(), IsEmpty());
}

TEST_F(EventProcessor, ErrorEventsShowTheirMessage) {
    const struct {
        const char* line;
        const char* message;
    } cases[] = {
        {"1013 CHANNELFULL", "Error: Channel is full."},
        {"1014 CHANNELDOESNOTEXIST", "Error: Channel does not exist."},
        {"1015 CHANNELRESTRICTED", "Error: Channel restricted."},
        {R"(1019 Error "That user is not logged on.")", "Error: That user is not logged on."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        chat.clear();
        feed(c.line);
        EXPECT_THAT(coloredLines(chat), ElementsAre(ColoredLine{{ColorError, c.message}}));
    }
}

TEST_F(EventProcessor, EmoteIsShownWhenEnabledAndNotFilteredAndCommandsNothing) {
    const struct {
        bool enabled;
        std::vector<std::string> patterns;
        bool shown;
    } cases[] = {
        {false, {}, false},   {true, {}, true},       {true, {"!SAY*"}, false},
        {true, {"[*"}, true}, {false, {"[*"}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.enabled << " " << c.patterns.size());
        chat.clear();
        config.EmotesEnabled = c.enabled;
        bot.settings.FilterPatterns = c.patterns;
        feed(R"(1023 EMOTE Boss 0000 "!say hi")");
        if (c.shown) {
            EXPECT_THAT(coloredLines(chat), ElementsAre(ColoredLine{{ColorEmote, "*Boss !say hi"}}));
        } else {
            EXPECT_THAT(chat.text(), IsEmpty());
        }
    }
    EXPECT_THAT(sent(), IsEmpty());
}

TEST_F(EventProcessor, LogonLineStopsTheLogonTimersAndTakesTheName) {
    config.LoginTimeout = 10000;
    bot.connection.Bot_Connect();
    sockets.made[0]->acceptConnect();
    chat.clear();
    ASSERT_TRUE(bot.connection.loginTickTimer().isRunning());
    ASSERT_TRUE(bot.connection.loginTimeoutTimer().isRunning());
    feed("2010 NAME MorvaBot#2");
    EXPECT_FALSE(bot.connection.loginTickTimer().isRunning());
    EXPECT_FALSE(bot.connection.loginTimeoutTimer().isRunning());
    EXPECT_EQ(bot.connection.state(), Connection::State::LoggedOn);
    EXPECT_EQ(bot.chat.CurrentName, "MorvaBot#2");
    EXPECT_THAT(coloredLines(chat),
                ElementsAre(ColoredLine{{ColorStatus, "Bot: Logged on as: "}, {ColorOwnName, "MorvaBot#2"}}));
    EXPECT_FALSE(bot.census.timer().isRunning()) << "no census channels";
}

TEST_F(EventProcessor, LogonLineStartsTheCensusWhenChannelsAreListed) {
    profile.write("config.bot", "[Channels Log]\r\nChannel1=lobby\r\nChannel2=op x\r\nChannel3=unused\r\n");
    config.Channels = 2;
    bot.census.CensusIndex = 5;
    feed("2010 NAME MorvaBot");
    EXPECT_THAT(bot.census.ChannelLogList, ElementsAre("lobby", "op x"));
    EXPECT_EQ(bot.census.CensusIndex, 0);
    EXPECT_TRUE(bot.census.timer().isRunning());
}

struct RejoinCase {
    const char* name;
    bool binary;
    const char* notice;
    std::vector<std::string> sent;
    friend void PrintTo(const RejoinCase& c, std::ostream* os) { *os << c.name; }
};

class Rejoin : public EventProcessor, public ::testing::WithParamInterface<RejoinCase> {};

TEST_P(Rejoin, KickedBotRejoinsItsChannelAndBannedBotGoesToTheBackupChannel) {
    const RejoinCase& c = GetParam();
    if (c.binary) {
        connect(true);
        receive(ChatEventPacket(0x12, 0, 0, "", c.notice));
    } else {
        feed(std::string("1018 INFO \"") + c.notice + "\"");
    }
    EXPECT_EQ(sent(), c.sent);
    EXPECT_EQ(lastChatLine(), std::string("Broadcast: ") + c.notice) << "the notice is shown too";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Rejoin,
    ::testing::Values(
        RejoinCase{
            "KickedText", false, "MorvaBot was kicked out of the channel by Op (go).", {"/join Home\r\n"}},
        RejoinCase{"KickedBinary",
                   true,
                   "MorvaBot was kicked out of the channel by Op (go).",
                   {joinChannelPacket("Home")}},
        RejoinCase{"OtherKicked", false, "Joe was kicked out of the channel by MorvaBot (go).", {}},
        RejoinCase{"KickedInOtherCase", false, "morvabot was kicked out of the channel by Op.", {}},
        RejoinCase{"BannedText", false, "MorvaBot was banned by Op (go).", {"/join Backup\r\n"}},
        RejoinCase{"BannedBinary", true, "MorvaBot was banned by Op (go).", {joinChannelPacket("Backup")}},
        RejoinCase{"OtherBanned", true, "Joe was banned by MorvaBot (go).", {}},
        RejoinCase{"PlainInformation", false, "MorvaBot is using Starcraft in channel Home.", {}}),
    [](const auto& info) { return std::string(info.param.name); });

// A census visit to "lobby" whose "/who" has just gone out: its capture window is open.
class CensusCapture : public EventProcessor {
protected:
    CensusCapture() {
        profile.write("config.bot", "[Channels Log]\r\nChannel1=lobby\r\nChannel2=op x\r\n");
        config.Channels = 2;
        feed("2010 NAME MorvaBot");
        clock.advance(Census::StepMs);
        EXPECT_THAT(sent(), ElementsAre("/who lobby\r\n"));
        EXPECT_TRUE(bot.chat.capture.isOpen());
        sockets.made[0]->sent.clear();
        chat.clear();
    }
};

TEST_F(CensusCapture, InformationIsCollectedForTheVisitedChannelInsteadOfShown) {
    feed(R"(1018 INFO "Users in channel lobby:")");
    feed(R"(1018 INFO "bob, alice")");
    feed(R"(1018 INFO "[Carol]")");
    EXPECT_THAT(bot.census.ChannelLogList, ElementsAre("lobby\r\nbob, alice\r\n[Carol]", "op x"));
    EXPECT_THAT(chat.text(), IsEmpty());

    clock.advance(Census::CaptureMs);
    ASSERT_FALSE(bot.chat.capture.isOpen()) << "the window closes by itself";
    feed(R"(1018 INFO "later")");
    EXPECT_THAT(coloredLines(chat), ElementsAre(ColoredLine{{ColorInfo, "Broadcast: later"}}));
    EXPECT_THAT(bot.census.ChannelLogList, ElementsAre("lobby\r\nbob, alice\r\n[Carol]", "op x"));
}

TEST_F(CensusCapture, KickNoticeDuringAVisitStillRejoinsAndIsCollected) {
    feed(R"(1018 INFO "MorvaBot was kicked out of the channel by Op.")");
    EXPECT_THAT(sent(), ElementsAre("/join Home\r\n"));
    EXPECT_THAT(bot.census.ChannelLogList,
                ElementsAre("lobby\r\nMorvaBot was kicked out of the channel by Op.", "op x"));
    EXPECT_THAT(chat.text(), IsEmpty());
}

TEST_F(CensusCapture, AWindowWithoutASinkNeitherShowsNorStoresTheLine) {
    // The "find" command opens the window for the server's friend notices, outside any census visit.
    bot.chat.capture.open();
    feed(R"(1018 INFO "Added Joe to your friends list.")");
    EXPECT_THAT(bot.census.ChannelLogList, ElementsAre("lobby", "op x"));
    EXPECT_THAT(chat.text(), IsEmpty());
}

// Lines that change nothing at all: out of range, unknown in range, or not an event number.
TEST_F(EventProcessor, IgnoredLinesChangeNothing) {
    bot.chat.BanCount = 5;
    const std::string lines[] = {
        "999 JOIN Joe 0010 [STAR] 32",
        "0999 JOIN Joe 0010 [STAR] 32",
        "3001 JOIN Joe 0010 [STAR] 32",
        "2000 JOIN Joe 0010 [STAR] 32",
        "1006 BROADCAST " + std::string("\xFF\x0F\x20\x00\x06\x00\x00\x00", 8),
        "1011 JOIN Joe 0010 [STAR] 32",
        "10021 JOIN Joe 0010 [STAR] 32",
        " 1002 JOIN Joe 0010 [STAR] 32",
        "JOIN Joe 0010 [STAR] 32",
        "",
        "\n",
    };
    for (const auto& line : lines) feed(line);
    EXPECT_THAT(chat.text(), IsEmpty());
    EXPECT_THAT(whispers.text(), IsEmpty());
    EXPECT_THAT(bot.chat.ChannelUsers, IsEmpty());
    EXPECT_EQ(bot.chat.BanCount, 5);
    EXPECT_EQ(bot.chat.CurrentName, "MorvaBot");
    EXPECT_THAT(sent(), IsEmpty());
}

// Each step that lacks its field is skipped; the rest of the event still runs.
TEST_F(EventProcessor, LinesWithMissingFieldsDoWhatTheirFieldsAllow) {
    config.JoinNotifications = true;
    config.LeaveNotifications = true;
    config.EmotesEnabled = true;
    config.ChannelProtect = true;
    AddUser(bot.chat, "MorvaBot", "0002", "[CHAT]");
    const struct {
        const char* line;
        std::vector<std::string> shown;
    } cases[] = {
        {"1001 USER Joe 0010", {}},
        {"1001 USER", {}},
        {"1002 JOIN", {}},
        {"1003 LEAVE", {}},
        {"1004 WHISPER", {}},
        {R"(1004 WHISPER "hi")", {}},
        {"1005 TALK", {}},
        {R"(1005 TALK "hi")", {}},
        {"1005", {}},
        {"1009 USER Joe", {}},
        {"1010 WHISPER", {}},
        {"1023 EMOTE", {}},
        {"1007 CHANNEL", {"Joined channel: "}},
        {"1018 INFO", {"Broadcast: "}},
        {"1019 Error", {"Error: "}},
        {"2010 NAME", {"Bot: Logged on as: MorvaBot"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        chat.clear();
        feed(c.line);
        EXPECT_EQ(chatLines(), c.shown);
    }
    EXPECT_THAT(bot.chat.ChannelUsers, IsEmpty()) << "1007 emptied the list; nothing was added";
    EXPECT_EQ(bot.chat.CurrentName, "MorvaBot");
    EXPECT_THAT(sent(), IsEmpty());
    EXPECT_THAT(whispers.text(), IsEmpty());
}

TEST_F(EventProcessor, JoinWithOnlyANameStillResetsBanCountAndMeetsProtection) {
    config.JoinNotifications = true;
    config.ChannelProtect = true;
    AddUser(bot.chat, "MorvaBot", "0002", "[CHAT]");
    bot.chat.BanCount = 3;
    feed("1002 JOIN Joe");
    EXPECT_EQ(bot.chat.BanCount, 0);
    EXPECT_THAT(records(), ElementsAre("MorvaBot 0002 [CHAT]"));
    EXPECT_THAT(chat.text(), IsEmpty());
    EXPECT_THAT(sent(), ElementsAre("/ban Joe Protected\r\n"));
}

TEST_F(EventProcessor, LeadingLineFeedOfALineIsDropped) {
    receive("1001 USER Ann 0010 [CHAT] 0\r\n\n1002 JOIN Joe 0010 [STAR] 32\r\n");
    EXPECT_THAT(records(), ElementsAre("Ann 0010 [CHAT]", "Joe 0010 [STAR]"));
}

// Whisper routing: every combination of whisper windows and the whispers pane, for a received
// whisper, a sent whisper and the echo of a message to all friends.
struct RouteCase {
    const char* name;
    const char* line;
    bool window;
    bool frame;
    std::vector<ColoredLine> whispersPane;
    std::vector<ColoredLine> chatPane;
    std::vector<ColoredLine> windowPane;
    std::vector<int> activations;
    friend void PrintTo(const RouteCase& c, std::ostream* os) { *os << c.name; }
};

const ColoredLine FromBob = {
    {ColorWhisperFrom, "Whisper from: "}, {ColorUserName, "Bob: "}, {ColorWhite, "hi"}};
const ColoredLine ToBob = {{ColorWhisperTo, "Whisper to: "}, {ColorOwnName, "Bob: "}, {ColorWhite, "hi"}};
const ColoredLine ToFriends = {
    {ColorWhisperTo, "Whisper to: "}, {ColorOwnName, "your friends: "}, {ColorWhite, "hi"}};
const ColoredLine BobInWindow = {{ColorUserName, "Bob: "}, {ColorWhite, "hi"}};
const ColoredLine BotInWindow = {{ColorOwnName, "MorvaBot: "}, {ColorWhite, "hi"}};

constexpr const char* Received = R"(1004 WHISPER Bob 0010 "hi")";
constexpr const char* Sent = R"(1010 WHISPER Bob 0010 "hi")";
constexpr const char* ToAllFriends = R"(1010 WHISPER your friends 0010 "hi")";

class WhisperRoute : public EventProcessor, public ::testing::WithParamInterface<RouteCase> {};

TEST_P(WhisperRoute, GoesWhereTheSettingsSay) {
    const RouteCase& c = GetParam();
    config.WhisperWindow = c.window;
    config.WhisperFrame = c.frame;
    feed(c.line);
    EXPECT_EQ(coloredLines(whispers), c.whispersPane);
    EXPECT_EQ(coloredLines(chat), c.chatPane);
    EXPECT_EQ(coloredLines(shell.whisperPanes[0]), c.windowPane);
    EXPECT_EQ(shell.activations, c.activations);
    if (c.windowPane.empty()) {
        EXPECT_THAT(bot.chat.WhisperWindows, IsEmpty());
    } else {
        EXPECT_EQ(shell.whisperCaptions[0], "Bob: Whisper window.");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Settings, WhisperRoute,
    ::testing::Values(
        RouteCase{"ReceivedToBothPanes", Received, false, false, {FromBob}, {FromBob}, {}, {}},
        RouteCase{"ReceivedToWhispersPane", Received, false, true, {FromBob}, {}, {}, {}},
        RouteCase{"ReceivedToWindow", Received, true, false, {FromBob}, {}, {BobInWindow}, {0}},
        RouteCase{"ReceivedToWindowAndPane", Received, true, true, {FromBob}, {}, {BobInWindow}, {0}},
        RouteCase{"SentToBothPanes", Sent, false, false, {ToBob}, {ToBob}, {}, {}},
        RouteCase{"SentToWhispersPane", Sent, false, true, {ToBob}, {}, {}, {}},
        RouteCase{"SentToWindow", Sent, true, false, {ToBob}, {}, {BotInWindow}, {0, 0}},
        RouteCase{"SentToWindowAndPane", Sent, true, true, {ToBob}, {}, {BotInWindow}, {0, 0}},
        RouteCase{"FriendsToChat", ToAllFriends, false, false, {}, {ToFriends}, {}, {}},
        RouteCase{"FriendsToWhispersPane", ToAllFriends, false, true, {ToFriends}, {}, {}, {}},
        RouteCase{"FriendsNeverToAWindow", ToAllFriends, true, false, {}, {ToFriends}, {}, {}},
        RouteCase{"FriendsWithWindowsToPane", ToAllFriends, true, true, {ToFriends}, {}, {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EventProcessor, WhispersOfOneUserShareOneWindowWhateverTheCase) {
    config.WhisperWindow = true;
    feed(R"(1004 WHISPER Bob 0010 "one")");
    feed(R"(1004 WHISPER Ann 0010 "two")");
    feed(R"(1004 WHISPER BOB 0010 "three")");
    feed(R"(1010 WHISPER bob 0010 "four")");
    ASSERT_EQ(bot.chat.WhisperWindows.size(), 2u);
    EXPECT_EQ(shell.whisperPanes[0].lines().size(), 3u);
    EXPECT_EQ(WithoutStamp(shell.whisperPanes[0].lines()[1]), "BOB: three");
    EXPECT_EQ(WithoutStamp(shell.whisperPanes[0].lines()[2]), "MorvaBot: four");
    EXPECT_EQ(shell.whisperPanes[1].lines().size(), 1u);
    // Opening activates; of the later lines only the sent whisper activates its window.
    EXPECT_THAT(shell.activations, ElementsAre(0, 1, 0));
}

TEST_F(EventProcessor, ReceivedWhisperReachesTheTriggerCommands) {
    for (const bool window : {false, true}) {
        config.WhisperWindow = window;
        feed(R"(1004 WHISPER Boss 0010 "!say hello")");
    }
    EXPECT_THAT(sent(), ElementsAre("hello\r\n", "hello\r\n"));
}

// Text-protocol data as it arrives on the socket.
using ChatData = EventProcessor;

TEST_F(ChatData, HandlesEveryLineOfAChunkInOrder) {
    receive("1002 JOIN Ann 0010 [STAR] 0\r\n1002 JOIN Bob 0010 [CHAT] 0\r\n1003 LEAVE Ann\r\n");
    EXPECT_THAT(records(), ElementsAre("Bob 0010 [CHAT]"));
}

TEST_F(ChatData, LineCutAcrossChunksArrivesWhole) {
    receive("1005 TALK Joe 0000 \"hel");
    EXPECT_THAT(chat.text(), IsEmpty());
    receive("lo\"\r\n1005 TALK Jim 0000 \"a\"\r");
    EXPECT_THAT(chatLines(), ElementsAre("Joe: hello"));
    receive("\n");
    EXPECT_THAT(chatLines(), ElementsAre("Joe: hello", "Jim: a"));
}

TEST_F(ChatData, NewConnectionForgetsTheUnfinishedLineOfTheOldOne) {
    receive("1005 TALK Joe 0000 \"from the old connection");
    sockets.made[0]->peerClose();
    clock.advance(Connection::FirstBackoffMs);
    sockets.made[0]->acceptConnect();
    chat.clear();
    receive("1005 TALK Jim 0000 \"new\"\r\n");
    EXPECT_THAT(chatLines(), ElementsAre("Jim: new"));
}

TEST_F(ChatData, LongCompleteLineIsHandled) {
    const std::string text(70000, 'a');
    receive("1005 TALK Joe 0000 \"" + text + "\"\r\n");
    EXPECT_THAT(chatLines(), ElementsAre("Joe: " + text));
}

TEST_F(ChatData, UnfinishedPiecePastTheLimitIsDroppedWithOneErrorLine) {
    receive(std::string(64 * 1024, 'x'));
    EXPECT_THAT(chat.text(), IsEmpty()) << "exactly the limit still waits";
    receive("y");
    ASSERT_EQ(chat.lines().size(), 1u);
    const auto dropped = coloredLines(chat);
    ASSERT_EQ(dropped[0].size(), 1u);
    EXPECT_EQ(dropped[0][0].first, ColorError);
    chat.clear();
    receive("the rest of the long line");
    receive(" still\r");
    receive("\n1005 TALK Joe 0000 \"hi\"\r\n");
    EXPECT_THAT(chatLines(), ElementsAre("Joe: hi"))
        << "the dropped line's rest goes too, up to its line end";
}

}  // namespace
}  // namespace morva::testing
