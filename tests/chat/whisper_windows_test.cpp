#include "chat/whisper_windows.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

#include "chat/channel_users.h"
#include "support/bot_fixture.h"

namespace morva {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class WhisperWindows : public testing::BotFixture {
protected:
    // The table as "user" for a window in use and "(user)" for a free one.
    std::vector<std::string> table() const {
        std::vector<std::string> slots;
        for (const auto& w : bot.WhisperWindows)
            slots.push_back(w.bolInUse ? w.strWhispered : "(" + w.strWhispered + ")");
        return slots;
    }

    void openAll(std::initializer_list<const char*> users) {
        for (const char* user : users) OpenWhisperWindow(bot, user);
    }
};

TEST_F(WhisperWindows, BeforeTheFirstTakeThereIsNoTable) {
    EXPECT_FALSE(HasWhisperWindow(bot, "Bob"));
    EXPECT_EQ(WhisperWindowIndex(bot, "Bob"), 0);
    EXPECT_EQ(TakeWhisperWindow(bot), 0);
    EXPECT_THAT(table(), ElementsAre("()"));
    EXPECT_EQ(TakeWhisperWindow(bot), 0) << "a free slot is taken again until it is opened";
}

TEST_F(WhisperWindows, OpeningMarksTheSlotAndShowsTheWindowWithItsCaption) {
    OpenWhisperWindow(bot, "Bob");
    EXPECT_THAT(table(), ElementsAre("Bob"));
    EXPECT_EQ(shell.whisperCaptions[0], "Bob: Whisper window.");
    EXPECT_THAT(shell.activations, ElementsAre(0));
    EXPECT_TRUE(HasWhisperWindow(bot, "bOB"));
    EXPECT_EQ(WhisperWindowIndex(bot, "BOB"), 0);
}

TEST_F(WhisperWindows, WithEveryWindowInUseTheTableGrowsByExactlyOne) {
    openAll({"Bob", "Jim", "Ann"});
    EXPECT_THAT(table(), ElementsAre("Bob", "Jim", "Ann"));
    EXPECT_EQ(TakeWhisperWindow(bot), 3);
    EXPECT_EQ(bot.WhisperWindows.size(), 4u);
    EXPECT_EQ(WhisperWindowIndex(bot, "ann"), 2);
}

struct TrimCase {
    const char* name;
    std::vector<int> closes;
    std::vector<std::vector<std::string>> tables;  // after each close
    friend void PrintTo(const TrimCase& c, std::ostream* os) { *os << c.name; }
};

class Trimming : public WhisperWindows, public ::testing::WithParamInterface<TrimCase> {};

TEST_P(Trimming, DropsFreeSlotsFromTheEndOnly) {
    const TrimCase& c = GetParam();
    openAll({"Bob", "Jim", "Ann"});
    for (std::size_t i = 0; i < c.closes.size(); ++i) {
        WhisperWindowClosed(bot, c.closes[i]);
        EXPECT_EQ(table(), c.tables[i]) << "after closing slot " << c.closes[i];
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Trimming,
    ::testing::Values(
        TrimCase{"LastSlot", {2}, {{"Bob", "Jim"}}},
        TrimCase{"MiddleThenLast", {1, 2}, {{"Bob", "(Jim)", "Ann"}, {"Bob"}}},
        TrimCase{"FirstToLast", {0, 1, 2}, {{"(Bob)", "Jim", "Ann"}, {"(Bob)", "(Jim)", "Ann"}, {"(Bob)"}}},
        TrimCase{"LastToFirst", {2, 1, 0}, {{"Bob", "Jim"}, {"Bob"}, {"(Bob)"}}},
        TrimCase{"PastTheEnd", {7}, {{"Bob", "Jim", "Ann"}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WhisperWindows, ClosedSlotIsReusedForAnyUserWithTheNewCaption) {
    openAll({"Bob", "Jim"});
    WhisperWindowClosed(bot, 0);
    EXPECT_FALSE(HasWhisperWindow(bot, "Bob"));
    EXPECT_EQ(WhisperWindowIndex(bot, "Bob"), 0) << "a free window still answers to its last user";
    OpenWhisperWindow(bot, "Ann");
    EXPECT_THAT(table(), ElementsAre("Ann", "Jim"));
    EXPECT_EQ(shell.whisperCaptions[0], "Ann: Whisper window.");
    EXPECT_FALSE(HasWhisperWindow(bot, "Bob"));
}

class WhisperMenu : public WhisperWindows {
protected:
    WhisperMenu() {
        AddUser(bot, "Joe", "0010", "[STAR]");
        AddUser(bot, "Bob", "0010", "[STAR]");
    }
};

TEST_F(WhisperMenu, OpensAWindowForTheSelectedMember) {
    members.select(2);
    mnuWhisper_Click(bot);
    EXPECT_THAT(table(), ElementsAre("Bob"));
    EXPECT_EQ(shell.whisperCaptions[0], "Bob: Whisper window.");
    EXPECT_THAT(shell.activations, ElementsAre(0, 0));
}

TEST_F(WhisperMenu, ActivatesTheOpenWindowOfTheSameNameInAnyCase) {
    openAll({"Joe", "bob"});
    shell.activations.clear();
    members.select(2);
    mnuWhisper_Click(bot);
    EXPECT_THAT(table(), ElementsAre("Joe", "bob"));
    EXPECT_EQ(shell.whisperCaptions[1], "bob: Whisper window.");
    EXPECT_THAT(shell.activations, ElementsAre(1));
}

TEST_F(WhisperMenu, DoesNothingWithoutASelection) {
    mnuWhisper_Click(bot);
    EXPECT_THAT(bot.WhisperWindows, IsEmpty());
    EXPECT_THAT(shell.activations, IsEmpty());
}

TEST_F(WhisperWindows, EnterSendsAWhisperToTheWindowsUserWithoutEcho) {
    bot.BotConfig.Binary = false;
    sockets.made[0]->acceptConnect();
    sockets.made[0]->sent.clear();
    chat.clear();
    openAll({"Bob", "Jim"});
    for (const char* text : {"hi there", ""}) {
        std::string typed = text;
        WhisperWindowEnter(bot, 1, typed);
        EXPECT_THAT(typed, IsEmpty());
    }
    EXPECT_THAT(sockets.made[0]->sent, ElementsAre("/w Jim hi there\r\n", "/w Jim \r\n"));
    EXPECT_THAT(chat.text(), IsEmpty());
}

TEST_F(WhisperWindows, EnterWhileDisconnectedSendsNothingAndEmptiesTheLine) {
    OpenWhisperWindow(bot, "Bob");
    std::string typed = "hi";
    WhisperWindowEnter(bot, 0, typed);
    EXPECT_THAT(typed, IsEmpty());
    EXPECT_THAT(sockets.made[0]->sent, IsEmpty());
}

}  // namespace
}  // namespace morva
