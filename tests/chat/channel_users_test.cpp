#include "chat/channel_users.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "chat/palette.h"
#include "support/bot_fixture.h"

namespace morva {
namespace {

using Records = std::vector<std::string>;

class ChannelUsers : public testing::BotFixture {
protected:
    ChannelUsers() {
        bot.CurrentName = "MorvaBot";
        bot.CurrentChannel = "Foo";
    }

    std::vector<std::string> rowTexts() const {
        std::vector<std::string> texts;
        for (int row = 1; row <= members.count(); ++row) texts.push_back(members.text(row));
        return texts;
    }
};

TEST(GetIcon, ProductGivesTheIconAndFlagsOverrideIt) {
    const struct {
        const char* flags;
        const char* product;
        int icon;
    } cases[] = {
        {"0010", "[CHAT]", 2},  {"0010", "[DRTL]", 3},  {"0010", "[DSHR]", 21}, {"0010", "[D2XP]", 13},
        {"0010", "[STAR]", 6},  {"0010", "[SEXP]", 9},  {"0010", "[SSHR]", 7},  {"0010", "[W2BN]", 10},
        {"0010", "[D2DV]", 5},  {"0010", "[JSTR]", 11}, {"0010", "[BRX]", 14},  {"0010", "[WAR3]", 15},
        {"0010", "[W3XP]", 19}, {"0010", "[UKWN]", 20}, {"0010", "[ABCD]", 12}, {"0010", "[star]", 12},
        {"0010", "", 12},       {"0000", "[STAR]", 6},  {"0020", "[STAR]", 14}, {"0030", "[W3XP]", 14},
        {"0002", "[STAR]", 1},  {"0012", "[BRX]", 1},   {"0022", "[ABCD]", 1},  {"0001", "[CHAT]", 16},
        {"2", "[STAR]", 6},     {"00002", "[STAR]", 6}, {"0008", "[WAR3]", 15}, {"", "[D2DV]", 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.flags) + " " + c.product);
        EXPECT_EQ(GetIcon(c.flags, c.product), c.icon);
    }
}

struct StyleCase {
    const char* name;
    const char* flags;
    const char* product;
    int icon;
    std::optional<Rgb> color;
    bool bold;
};

class RowStyle : public ChannelUsers, public ::testing::WithParamInterface<StyleCase> {};

TEST_P(RowStyle, FollowsTheIconAndTheOwnName) {
    const StyleCase& c = GetParam();
    AddUser(bot, "Other", "0000", "[CHAT]");
    AddUser(bot, c.name, c.flags, c.product);
    const auto& row = members.row(2);
    EXPECT_EQ(row.text, c.name);
    EXPECT_EQ(row.icon, c.icon);
    EXPECT_EQ(row.toolTip, std::string(c.name) + " " + c.flags + " " + c.product);
    EXPECT_EQ(row.color, c.color);
    EXPECT_EQ(row.bold, c.bold);
    EXPECT_FALSE(members.row(1).color.has_value());
}

INSTANTIATE_TEST_SUITE_P(Table, RowStyle,
                         ::testing::Values(StyleCase{"Bob", "0010", "[W3XP]", 19, std::nullopt, false},
                                           StyleCase{"Bob", "0022", "[STAR]", 1, ColorOperator, true},
                                           StyleCase{"Bob", "0010", "[BRX]", 14, ColorError, false},
                                           StyleCase{"Bob", "0030", "[STAR]", 14, ColorError, false},
                                           StyleCase{"Bob", "0001", "[WAR3]", 16, ColorPaleCyan, false},
                                           StyleCase{"MorvaBot", "0010", "[CHAT]", 2, ColorOwnName, false},
                                           StyleCase{"MorvaBot", "0002", "[CHAT]", 1, ColorOperator, true},
                                           StyleCase{"MorvaBot", "0020", "[CHAT]", 14, ColorError, false},
                                           StyleCase{"morvabot", "0010", "[CHAT]", 2, std::nullopt, false}));

TEST_F(ChannelUsers, AddUserAppendsRecordAndRowAndCountsThem) {
    AddUser(bot, "Bob", "0010", "[STAR]");
    AddUser(bot, "Ann", "0002", "[CHAT]");
    EXPECT_EQ(bot.ChannelUsers, (Records{"Bob 0010 [STAR]", "Ann 0002 [CHAT]"}));
    EXPECT_EQ(rowTexts(), (std::vector<std::string>{"Bob", "Ann"}));
    EXPECT_EQ(shell.channelLabel, "Foo [2]");
}

TEST_F(ChannelUsers, LabelFollowsEnteringJoiningAndLeaving) {
    bot.CurrentChannel = "Clan Foo";
    ClearChannel(bot);
    EXPECT_EQ(shell.channelLabel, "Clan Foo [0]");
    AddUser(bot, "Bob", "0010", "[STAR]");
    AddUser(bot, "Ann", "0000", "[CHAT]");
    EXPECT_EQ(shell.channelLabel, "Clan Foo [2]");
    RemoveUser(bot, "Bob");
    EXPECT_EQ(shell.channelLabel, "Clan Foo [1]");
}

TEST_F(ChannelUsers, ClearChannelEmptiesRecordsAndRows) {
    AddUser(bot, "Bob", "0010", "[STAR]");
    AddUser(bot, "Ann", "0000", "[CHAT]");
    ClearChannel(bot);
    EXPECT_TRUE(bot.ChannelUsers.empty());
    EXPECT_EQ(members.count(), 0);
    EXPECT_EQ(shell.channelLabel, "Foo [0]");
}

TEST_F(ChannelUsers, AddingANamePresentAlreadyGivesASecondRowStyledOnItsOwn) {
    AddUser(bot, "Bob", "0010", "[STAR]");
    AddUser(bot, "bob", "0002", "[CHAT]");
    EXPECT_EQ(bot.ChannelUsers, (Records{"Bob 0010 [STAR]", "bob 0002 [CHAT]"}));
    ASSERT_EQ(members.count(), 2);
    EXPECT_EQ(members.row(1).toolTip, "Bob 0010 [STAR]");
    EXPECT_FALSE(members.row(1).bold);
    EXPECT_FALSE(members.row(1).color.has_value());
    EXPECT_EQ(members.row(2).toolTip, "bob 0002 [CHAT]");
    EXPECT_TRUE(members.row(2).bold);
    EXPECT_EQ(members.row(2).color, ColorOperator);
    EXPECT_EQ(shell.channelLabel, "Foo [2]");
}

TEST_F(ChannelUsers, UpdateUserKeepsTheRowInPlace) {
    AddUser(bot, "A", "0010", "[STAR]");
    AddUser(bot, "B", "0000", "[W3XP]");
    AddUser(bot, "C", "0000", "[CHAT]");

    UpdateUser(bot, "A", "0002");
    EXPECT_EQ(rowTexts(), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(bot.ChannelUsers, (Records{"B 0000 [W3XP]", "C 0000 [CHAT]", "A 0002 [STAR]"}));
    EXPECT_EQ(members.row(1).icon, 1);
    EXPECT_EQ(members.row(1).toolTip, "A 0002 [STAR]");
    EXPECT_EQ(members.row(1).color, ColorOperator);
    EXPECT_TRUE(members.row(1).bold);

    UpdateUser(bot, "B", "0020");
    EXPECT_EQ(rowTexts(), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(bot.ChannelUsers, (Records{"C 0000 [CHAT]", "A 0002 [STAR]", "B 0020 [W3XP]"}));
    EXPECT_EQ(members.row(1).toolTip, "A 0002 [STAR]");
    EXPECT_EQ(members.row(2).icon, 14);
    EXPECT_EQ(members.row(2).toolTip, "B 0020 [W3XP]");
    EXPECT_EQ(members.row(2).color, ColorError);
    EXPECT_EQ(members.row(3).toolTip, "C 0000 [CHAT]");
}

TEST_F(ChannelUsers, UpdateUserDropsTheOldStyleAndLeavesTheLabel) {
    AddUser(bot, "Bob", "0002", "[CHAT]");
    bot.CurrentChannel = "Elsewhere";
    UpdateUser(bot, "Bob", "0010");
    EXPECT_EQ(members.row(1).icon, 2);
    EXPECT_FALSE(members.row(1).color.has_value());
    EXPECT_FALSE(members.row(1).bold);
    EXPECT_EQ(shell.channelLabel, "Foo [1]");
}

TEST_F(ChannelUsers, UpdateUserOfAnAbsentNameChangesNothing) {
    AddUser(bot, "Bob", "0010", "[STAR]");
    UpdateUser(bot, "Ann", "0002");
    EXPECT_EQ(bot.ChannelUsers, (Records{"Bob 0010 [STAR]"}));
    EXPECT_EQ(rowTexts(), (std::vector<std::string>{"Bob"}));
    EXPECT_EQ(members.row(1).icon, 6);
}

TEST_F(ChannelUsers, UpdateUserOfARecordWithoutProductKeepsAnEmptyProduct) {
    bot.ChannelUsers = {"Bob"};
    members.append("Bob", 12);
    UpdateUser(bot, "Bob", "0001");
    EXPECT_EQ(bot.ChannelUsers, (Records{"Bob 0001 "}));
    EXPECT_EQ(members.row(1).icon, 16);
    EXPECT_EQ(members.row(1).toolTip, "Bob 0001 ");
}

TEST_F(ChannelUsers, RemoveUserMatchesRecordsExactly) {
    AddUser(bot, "Bob", "0010", "[STAR]");
    AddUser(bot, "Ann", "0000", "[CHAT]");
    shell.channelLabel = "untouched";
    RemoveUser(bot, "bob");
    RemoveUser(bot, "Bo");
    RemoveUser(bot, "Carl");
    EXPECT_EQ(bot.ChannelUsers, (Records{"Bob 0010 [STAR]", "Ann 0000 [CHAT]"}));
    EXPECT_EQ(rowTexts(), (std::vector<std::string>{"Bob", "Ann"}));
    EXPECT_EQ(shell.channelLabel, "untouched");
}

TEST_F(ChannelUsers, RemoveUserTakesOneOfTwoDuplicates) {
    AddUser(bot, "Bob", "0010", "[STAR]");
    AddUser(bot, "Ann", "0000", "[CHAT]");
    AddUser(bot, "Bob", "0002", "[W3XP]");
    RemoveUser(bot, "Bob");
    EXPECT_EQ(bot.ChannelUsers, (Records{"Ann 0000 [CHAT]", "Bob 0002 [W3XP]"}));
    EXPECT_EQ(rowTexts(), (std::vector<std::string>{"Ann", "Bob"}));
    EXPECT_EQ(shell.channelLabel, "Foo [2]");
}

TEST_F(ChannelUsers, RemoveUserAfterTheRowsWereClearedDropsTheRecordOnly) {
    AddUser(bot, "Bob", "0010", "[STAR]");
    members.clear();
    RemoveUser(bot, "Bob");
    EXPECT_TRUE(bot.ChannelUsers.empty());
    EXPECT_EQ(shell.channelLabel, "Foo [0]");
}

TEST_F(ChannelUsers, GetFlagsReadsTheFirstMatchingRecord) {
    bot.ChannelUsers = {"Ann 0012 [CHAT]",
                        "ann 0002 [CHAT]",
                        "Bob 0002 [STAR]",
                        "Bob 0010 [STAR]",
                        "Odd 12ab [CHAT]",
                        "Word abc [CHAT]",
                        "Lone",
                        "Big 99999 [CHAT]",
                        "Neg -0006 [CHAT]"};
    const struct {
        const char* name;
        int flags;
    } cases[] = {{"Ann", 12}, {"ann", 2},  {"Bob", 2},     {"Carl", 0}, {"Odd", 12},
                 {"Word", 0}, {"Lone", 0}, {"Big", 32767}, {"Neg", -6}, {"", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(GetFlags(bot, c.name), c.flags);
    }
}

TEST_F(ChannelUsers, IsBotOpNeedsTheOwnRecordWithOperatorFlags) {
    const struct {
        Records records;
        bool op;
    } cases[] = {
        {{"MorvaBot 0002 [CHAT]"}, true},
        {{"morvabot 0012 [STAR]"}, true},
        {{"Other 0000 [CHAT]", "MORVABOT 0022 [W3XP]"}, true},
        {{"MorvaBot 0010 [CHAT]"}, false},
        {{"MorvaBot 0001 [CHAT]"}, false},
        {{"MorvaBot 2 [CHAT]"}, false},
        {{"MorvaBot 00002 [CHAT]"}, false},
        {{"MorvaBot2 0002 [CHAT]"}, false},
        {{"Other 0002 [CHAT]"}, false},
        {{"MorvaBot 0010 [CHAT]", "MorvaBot 0002 [CHAT]"}, true},
        {{"MorvaBot", "", " 0002"}, false},
        {{}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.records));
        bot.ChannelUsers = c.records;
        EXPECT_EQ(IsBotOp(bot), c.op);
    }
}

}  // namespace
}  // namespace morva
