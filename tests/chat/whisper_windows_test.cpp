#include "chat/whisper_windows.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

#include "chat/channel_users.h"
#include "support/bot_fixture.h"

namespace morva::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class WhisperWindows : public BotFixture {
protected:
    // The table as "user" for a window in use and "(user)" for a free one.
    std::vector<std::string> table() const {
        std::vector<std::string> slots;
        for (const auto& w : bot.chat.WhisperWindows)
            slots.push_back(w.bolInUse ? w.strWhispered : "(" + w.strWhispered + ")");
        return slots;
    }

    void openAll(std::initializer_list<const char*> users) {
        for (const char* user : users) OpenWhisperWindow(bot.chat, user);
    }
};

TEST_F(WhisperWindows, BeforeTheFirstTakeThereIsNoTable) {
    EXPECT_FALSE(HasWhisperWindow(bot.chat, "Bob"));
    EXPECT_EQ(WhisperWindowIndex(bot.chat, "Bob"), 0);
    EXPECT_EQ(TakeWhisperWindow(bot.chat), 0);
    EXPECT_THAT(table(), ElementsAre("()"));
    EXPECT_EQ(TakeWhisperWindow(bot.chat), 0) << "a free slot is taken again until it is opened";
}

TEST_F(WhisperWindows, OpeningMarksTheSlotAndShowsTheWindowWithItsCaption) {
    OpenWhisperWindow(bot.chat, "Bob");
    EXPECT_THAT(table(), ElementsAre("Bob"));
    EXPECT_EQ(shell.whisperCaptions[0], "Bob: Whisper window.");
    EXPECT_THAT(shell.activations, ElementsAre(0));
    EXPECT_TRUE(HasWhisperWindow(bot.chat, "bOB"));
    EXPECT_EQ(WhisperWindowIndex(bot.chat, "BOB"), 0);
}

TEST_F(WhisperWindows, WithEveryWindowInUseTheTableGrowsByExactlyOne) {
    openAll({"Bob", "Jim", "Ann"});
    EXPECT_THAT(table(), ElementsAre("Bob", "Jim", "Ann"));
    EXPECT_EQ(TakeWhisperWindow(bot.chat), 3);
    EXPECT_EQ(bot.chat.WhisperWindows.size(), 4u);
    EXPECT_EQ(WhisperWindowIndex(bot.chat, "ann"), 2);
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
        WhisperWindowClosed(bot.chat, c.closes[i]);
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
    WhisperWindowClosed(bot.chat, 0);
    EXPECT_FALSE(HasWhisperWindow(bot.chat, "Bob"));
    EXPECT_EQ(WhisperWindowIndex(bot.chat, "Bob"), 0) << "a free window still answers to its last user";
    OpenWhisperWindow(bot.chat, "Ann");
    EXPECT_THAT(table(), ElementsAre("Ann", "Jim"));
    EXPECT_EQ(shell.whisperCaptions[0], "Ann: Whisper window.");
    EXPECT_FALSE(HasWhisperWindow(bot.chat, "Bob"));
}

class WhisperMenu : public WhisperWindows {
protected:
    WhisperMenu() {
        AddUser(bot.chat, "Joe", "0010", "[STAR]");
        AddUser(bot.chat, "Bob", "0010", "[STAR]");
    }
};

TEST_F(WhisperMenu, OpensAWindowForTheSelectedMember) {
    members.select(2);
    mnuWhisper_Click(bot.chat);
    EXPECT_THAT(table(), ElementsAre("Bob"));
    EXPECT_EQ(shell.whisperCaptions[0], "Bob: Whisper window.");
    EXPECT_THAT(shell.activations, ElementsAre(0, 0));
}

TEST_F(WhisperMenu, ActivatesTheOpenWindowOfTheSameNameInAnyCase) {
    openAll({"Joe", "bob"});
    shell.activations.clear();
    members.select(2);
    mnuWhisper_Click(bot.chat);
    EXPECT_THAT(table(), ElementsAre("Joe", "bob"));
    EXPECT_EQ(shell.whisperCaptions[1], "bob: Whisper window.");
    EXPECT_THAT(shell.activations, ElementsAre(1));
}

TEST_F(WhisperMenu, DoesNothingWithoutASelection) {
    mnuWhisper_Click(bot.chat);
    EXPECT_THAT(bot.chat.WhisperWindows, IsEmpty());
    EXPECT_THAT(shell.activations, IsEmpty());
}

TEST_F(WhisperWindows, EnterSendsAWhisperToTheWindowsUserWithoutEcho) {
    connect(false);
    openAll({"Bob", "Jim"});
    for (const char* text : {"hi there", ""}) {
        std::string typed = text;
        WhisperWindowEnter(bot.chat, 1, typed);
        EXPECT_THAT(typed, IsEmpty());
    }
    EXPECT_THAT(sent(), ElementsAre("/w Jim hi there\r\n", "/w Jim \r\n"));
    EXPECT_THAT(chat.text(), IsEmpty());
}

TEST_F(WhisperWindows, EnterInASlotOutsideTheTableSendsNothing) {
    connect(false);
    OpenWhisperWindow(bot.chat, "Bob");
    for (const int slot : {-1, 1, 40}) {
        std::string typed = "hi";
        WhisperWindowEnter(bot.chat, slot, typed);
    }
    EXPECT_THAT(sent(), IsEmpty());
}

TEST_F(WhisperWindows, EnterWhileDisconnectedKeepsTheLineAndSaysSoInTheWindow) {
    OpenWhisperWindow(bot.chat, "Bob");
    std::string typed = "hi";
    WhisperWindowEnter(bot.chat, 0, typed);
    EXPECT_EQ(typed, "hi");
    EXPECT_THAT(sent(), IsEmpty());
    EXPECT_EQ(WithoutStamp(static_cast<MemoryPane&>(shell.whisperWindowPane(0)).lines().back()),
              "Bot: Not connected; the line was not sent.");
}

}  // namespace
}  // namespace morva::testing
