#include "chat/channel_users.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "output/palette.h"
#include "support/bot_fixture.h"

namespace morva::testing {
namespace {

using Records = std::vector<std::string>;

// A member as "name flags product".
struct Entry {
    const char* name;
    const char* flags;
    const char* product;
};

class ChannelUsers : public BotFixture {
protected:
    ChannelUsers() {
        bot.chat.CurrentName = "MorvaBot";
        bot.chat.CurrentChannel = "Foo";
    }

    void add(const std::string& name, const std::string& flags, const std::string& product) {
        AddUser(bot.chat, name, flags, product);
    }

    void fill(const std::vector<Entry>& entries) {
        ClearChannel(bot.chat);
        for (const Entry& e : entries) add(e.name, e.flags, e.product);
    }

    Records records() const {
        Records texts;
        for (const Member& m : bot.chat.ChannelUsers)
            texts.push_back(m.name + " " + m.flags + " " + m.product);
        return texts;
    }

    Records rowNames() const {
        Records names;
        for (const MemberRow& row : members.rows()) names.push_back(row.name);
        return names;
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
    add("Other", "0000", "[CHAT]");
    add(c.name, c.flags, c.product);
    const MemberRow& row = members.row(2);
    EXPECT_EQ(row.name, c.name);
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
    AddUser(bot.chat, "Bob", "0010", "[STAR]", 156);
    add("Ann", "0002", "[CHAT]");
    EXPECT_EQ(records(), (Records{"Bob 0010 [STAR]", "Ann 0002 [CHAT]"}));
    EXPECT_EQ(bot.chat.ChannelUsers[0].ping, 156);
    EXPECT_EQ(bot.chat.ChannelUsers[0].icon, 6);
    EXPECT_EQ(bot.chat.ChannelUsers[1].ping, 0);
    EXPECT_EQ(bot.chat.ChannelUsers[1].icon, 1);
    EXPECT_EQ(rowNames(), (Records{"Bob", "Ann"}));
    EXPECT_EQ(shell.channelLabel, "Foo [2]");
}

TEST_F(ChannelUsers, LabelFollowsEnteringJoiningAndLeaving) {
    bot.chat.CurrentChannel = "Clan Foo";
    ClearChannel(bot.chat);
    EXPECT_EQ(shell.channelLabel, "Clan Foo [0]");
    add("Bob", "0010", "[STAR]");
    add("Ann", "0000", "[CHAT]");
    EXPECT_EQ(shell.channelLabel, "Clan Foo [2]");
    RemoveUser(bot.chat, "Bob");
    EXPECT_EQ(shell.channelLabel, "Clan Foo [1]");
}

TEST_F(ChannelUsers, ClearChannelEmptiesRecordsAndRows) {
    add("Bob", "0010", "[STAR]");
    add("Ann", "0000", "[CHAT]");
    ClearChannel(bot.chat);
    EXPECT_TRUE(bot.chat.ChannelUsers.empty());
    EXPECT_EQ(members.count(), 0);
    EXPECT_EQ(shell.channelLabel, "Foo [0]");
}

// The connection ended: the list empties, the label keeps the last count until the next channel,
// and a later leave of a former member finds nothing to remove.
TEST_F(ChannelUsers, ForgetMembersEmptiesRecordsAndRowsButLeavesTheLabel) {
    add("Bob", "0010", "[STAR]");
    add("Ann", "0000", "[CHAT]");
    ForgetMembers(bot.chat);
    EXPECT_TRUE(bot.chat.ChannelUsers.empty());
    EXPECT_EQ(members.count(), 0);
    EXPECT_EQ(shell.channelLabel, "Foo [2]");
    RemoveUser(bot.chat, "Bob");
    EXPECT_TRUE(bot.chat.ChannelUsers.empty());
    EXPECT_EQ(members.count(), 0);
    EXPECT_EQ(shell.channelLabel, "Foo [2]");
}

TEST_F(ChannelUsers, AddingANamePresentAlreadyGivesASecondRowStyledOnItsOwn) {
    add("Bob", "0010", "[STAR]");
    add("bob", "0002", "[CHAT]");
    EXPECT_EQ(records(), (Records{"Bob 0010 [STAR]", "bob 0002 [CHAT]"}));
    ASSERT_EQ(members.count(), 2);
    EXPECT_EQ(members.row(1).toolTip, "Bob 0010 [STAR]");
    EXPECT_FALSE(members.row(1).bold);
    EXPECT_FALSE(members.row(1).color.has_value());
    EXPECT_EQ(members.row(2).toolTip, "bob 0002 [CHAT]");
    EXPECT_TRUE(members.row(2).bold);
    EXPECT_EQ(members.row(2).color, ColorOperator);
    EXPECT_EQ(shell.channelLabel, "Foo [2]");
}

// Record and row stay where they were; the record keeps its name, product and ping.
TEST_F(ChannelUsers, UpdateUserKeepsTheMemberInPlace) {
    add("A", "0010", "[STAR]");
    AddUser(bot.chat, "B", "0000", "[W3XP]", 77);
    add("C", "0000", "[CHAT]");

    UpdateUser(bot.chat, "A", "0002");
    EXPECT_EQ(records(), (Records{"A 0002 [STAR]", "B 0000 [W3XP]", "C 0000 [CHAT]"}));
    EXPECT_EQ(rowNames(), (Records{"A", "B", "C"}));
    EXPECT_EQ(members.row(1).icon, 1);
    EXPECT_EQ(members.row(1).toolTip, "A 0002 [STAR]");
    EXPECT_EQ(members.row(1).color, ColorOperator);
    EXPECT_TRUE(members.row(1).bold);

    UpdateUser(bot.chat, "B", "0020");
    EXPECT_EQ(records(), (Records{"A 0002 [STAR]", "B 0020 [W3XP]", "C 0000 [CHAT]"}));
    EXPECT_EQ(bot.chat.ChannelUsers[1].ping, 77);
    EXPECT_EQ(bot.chat.ChannelUsers[1].icon, 14);
    EXPECT_EQ(members.row(1).toolTip, "A 0002 [STAR]");
    EXPECT_EQ(members.row(2).icon, 14);
    EXPECT_EQ(members.row(2).toolTip, "B 0020 [W3XP]");
    EXPECT_EQ(members.row(2).color, ColorError);
    EXPECT_EQ(members.row(3).toolTip, "C 0000 [CHAT]");
}

TEST_F(ChannelUsers, UpdateUserFindsTheFirstMemberOfTheNameInAnyCaseAndKeepsItsSpelling) {
    add("Joe", "0010", "[STAR]");
    add("Bob", "0010", "[STAR]");
    add("BOB", "0010", "[CHAT]");
    UpdateUser(bot.chat, "bob", "0002");
    EXPECT_EQ(records(), (Records{"Joe 0010 [STAR]", "Bob 0002 [STAR]", "BOB 0010 [CHAT]"}));
    EXPECT_EQ(members.row(2).name, "Bob");
    EXPECT_EQ(members.row(2).toolTip, "Bob 0002 [STAR]");
    EXPECT_EQ(members.row(3).toolTip, "BOB 0010 [CHAT]");
}

TEST_F(ChannelUsers, UpdateUserDropsTheOldStyleAndLeavesTheLabel) {
    add("Bob", "0002", "[CHAT]");
    bot.chat.CurrentChannel = "Elsewhere";
    UpdateUser(bot.chat, "Bob", "0010");
    EXPECT_EQ(members.row(1).icon, 2);
    EXPECT_FALSE(members.row(1).color.has_value());
    EXPECT_FALSE(members.row(1).bold);
    EXPECT_EQ(shell.channelLabel, "Foo [1]");
}

TEST_F(ChannelUsers, UpdateUserOfAnAbsentNameChangesNothing) {
    add("Bob", "0010", "[STAR]");
    UpdateUser(bot.chat, "Ann", "0002");
    EXPECT_EQ(records(), (Records{"Bob 0010 [STAR]"}));
    EXPECT_EQ(rowNames(), (Records{"Bob"}));
    EXPECT_EQ(members.row(1).icon, 6);
}

TEST_F(ChannelUsers, UpdateUserOfAMemberWithoutProductKeepsAnEmptyProduct) {
    add("Bob", "0010", "");
    UpdateUser(bot.chat, "Bob", "0001");
    EXPECT_EQ(records(), (Records{"Bob 0001 "}));
    EXPECT_EQ(members.row(1).icon, 16);
    EXPECT_EQ(members.row(1).toolTip, "Bob 0001 ");
}

TEST_F(ChannelUsers, RemoveUserMatchesRecordsExactly) {
    add("Bob", "0010", "[STAR]");
    add("Ann", "0000", "[CHAT]");
    shell.channelLabel = "untouched";
    RemoveUser(bot.chat, "bob");
    RemoveUser(bot.chat, "Bo");
    RemoveUser(bot.chat, "Carl");
    EXPECT_EQ(records(), (Records{"Bob 0010 [STAR]", "Ann 0000 [CHAT]"}));
    EXPECT_EQ(rowNames(), (Records{"Bob", "Ann"}));
    EXPECT_EQ(shell.channelLabel, "untouched");
}

TEST_F(ChannelUsers, RemoveUserTakesTheFirstOfTwoDuplicatesWithItsRow) {
    add("Bob", "0010", "[STAR]");
    add("Ann", "0000", "[CHAT]");
    add("Bob", "0002", "[W3XP]");
    RemoveUser(bot.chat, "Bob");
    EXPECT_EQ(records(), (Records{"Ann 0000 [CHAT]", "Bob 0002 [W3XP]"}));
    EXPECT_EQ(rowNames(), (Records{"Ann", "Bob"}));
    EXPECT_EQ(members.row(2).toolTip, "Bob 0002 [W3XP]");
    EXPECT_EQ(shell.channelLabel, "Foo [2]");
}

// Most of the channel leaves, so the model's holes are swept out and its name index built anew:
// the lookups by name, in any case and exact, still find the first remaining member of the name.
TEST_F(ChannelUsers, LookupsStayRightAfterMostOfTheChannelLeft) {
    for (int i = 0; i < 10; ++i) add("Filler" + std::to_string(i), "0000", "[CHAT]");
    add("Bob", "0010", "[STAR]");
    add("bob", "0002", "[CHAT]");
    add("Bob", "0020", "[W3XP]");
    add("Ann", "0000", "[CHAT]");
    for (int i = 9; i >= 0; i -= 2) RemoveUser(bot.chat, "Filler" + std::to_string(i));
    for (int i = 0; i < 10; i += 2) RemoveUser(bot.chat, "Filler" + std::to_string(i));
    RemoveUser(bot.chat, "Bob");
    EXPECT_EQ(records(), (Records{"bob 0002 [CHAT]", "Bob 0020 [W3XP]", "Ann 0000 [CHAT]"}));
    EXPECT_EQ(rowNames(), (Records{"bob", "Bob", "Ann"}));
    EXPECT_EQ(FindMember(bot.chat, "BOB"), 0);
    EXPECT_EQ(FindMember(bot.chat, "ann"), 2);
    EXPECT_EQ(FindMember(bot.chat, "Filler4"), -1);
    EXPECT_EQ(GetFlags(bot.chat, "Bob"), 20);
    EXPECT_EQ(GetFlags(bot.chat, "bob"), 2);

    UpdateUser(bot.chat, "ANN", "0002");
    EXPECT_EQ(members.row(3).toolTip, "Ann 0002 [CHAT]");
    RemoveUser(bot.chat, "Bob");
    EXPECT_EQ(rowNames(), (Records{"bob", "Ann"}));
    add("Bob", "0000", "[CHAT]");
    EXPECT_EQ(FindMember(bot.chat, "BOB"), 0);
    EXPECT_EQ(GetFlags(bot.chat, "Bob"), 0);
    EXPECT_EQ(shell.channelLabel, "Foo [3]");
}

TEST_F(ChannelUsers, FindMemberAndSelectedMember) {
    fill({{"Joe", "0010", "[STAR]"}, {"Bob", "0010", "[STAR]"}, {"bob", "0010", "[STAR]"}});
    EXPECT_EQ(FindMember(bot.chat, "BOB"), 1);
    EXPECT_EQ(FindMember(bot.chat, "joe"), 0);
    EXPECT_EQ(FindMember(bot.chat, "Bo"), -1);
    EXPECT_EQ(FindMember(bot.chat, ""), -1);

    EXPECT_EQ(SelectedMember(bot.chat), std::nullopt) << "nothing selected";
    members.select(3);
    EXPECT_EQ(SelectedMember(bot.chat), "bob");
    RemoveUser(bot.chat, "bob");
    EXPECT_EQ(SelectedMember(bot.chat), std::nullopt) << "the selected row is gone";
}

TEST_F(ChannelUsers, GetFlagsReadsTheFirstMemberOfTheExactName) {
    fill({{"Ann", "0012", "[CHAT]"},
          {"ann", "0002", "[CHAT]"},
          {"Bob", "0002", "[STAR]"},
          {"Bob", "0010", "[STAR]"},
          {"Odd", "12ab", "[CHAT]"},
          {"Word", "abc", "[CHAT]"},
          {"Lone", "", ""},
          {"Big", "99999", "[CHAT]"},
          {"Neg", "-0006", "[CHAT]"}});
    const struct {
        const char* name;
        int flags;
    } cases[] = {{"Ann", 12}, {"ann", 2},  {"Bob", 2},     {"Carl", 0}, {"Odd", 12},
                 {"Word", 0}, {"Lone", 0}, {"Big", 32767}, {"Neg", -6}, {"", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(GetFlags(bot.chat, c.name), c.flags);
    }
}

TEST_F(ChannelUsers, IsBotOpNeedsTheOwnMemberWithOperatorFlags) {
    const struct {
        std::vector<Entry> entries;
        bool op;
    } cases[] = {
        {{{"MorvaBot", "0002", "[CHAT]"}}, true},
        {{{"morvabot", "0012", "[STAR]"}}, true},
        {{{"Other", "0000", "[CHAT]"}, {"MORVABOT", "0022", "[W3XP]"}}, true},
        {{{"MorvaBot", "0010", "[CHAT]"}}, false},
        {{{"MorvaBot", "0001", "[CHAT]"}}, false},
        {{{"MorvaBot", "2", "[CHAT]"}}, false},
        {{{"MorvaBot", "00002", "[CHAT]"}}, false},
        {{{"MorvaBot2", "0002", "[CHAT]"}}, false},
        {{{"Other", "0002", "[CHAT]"}}, false},
        {{{"MorvaBot", "0010", "[CHAT]"}, {"MorvaBot", "0002", "[CHAT]"}}, true},
        {{{"MorvaBot", "", ""}, {"", "", ""}, {"", "0002", ""}}, false},
        {{}, false},
    };
    for (const auto& c : cases) {
        fill(c.entries);
        SCOPED_TRACE(::testing::PrintToString(records()));
        EXPECT_EQ(IsBotOp(bot.chat), c.op);
    }
}

}  // namespace
}  // namespace morva::testing
