#include "sessions/friend_notice.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "sessions/session_samples.h"

namespace morva::testing {
namespace {

TEST(ParseFriendAdded, ReadsAccountProductAndLocation) {
    const std::string alice = FriendAddedMessage("Alice", "STAR", "Lobby");
    const std::string bob = FriendAddedMessage("Bob", "W3XP", "Op Test");
    const std::string talk = "1005 TALK Joe 0000 \"hi\"\r\n";
    const struct {
        const char* name;
        std::string chunk;
        FriendAdded expected;
    } cases[] = {
        {"alone", alice, {"Alice", "STAR", "Lobby"}},
        {"after a line", talk + alice, {"Alice", "STAR", "Lobby"}},
        {"before a line", alice + talk, {"Alice", "STAR", "Lobby"}},
        {"first of two at the start", alice + bob, {"Alice", "STAR", "Lobby"}},
        {"first of two inside", "x" + alice + bob, {"Alice", "STAR", "Lobby"}},
        {"product as received", FriendAddedMessage("Alice", "RATS", "Lobby"), {"Alice", "RATS", "Lobby"}},
        {"empty account", FriendAddedMessage("", "STAR", "Lobby"), {"", "STAR", "Lobby"}},
        {"empty location", FriendAddedMessage("Alice", "STAR", ""), {"Alice", "STAR", ""}},
        // The length then reads 00 01: its zero byte is not the end of the account.
        {"length with a zero low byte",
         FriendAddedMessage("Alice", "STAR", std::string(239, 'c')),
         {"Alice", "STAR", std::string(239, 'c')}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto parsed = ParseFriendAdded(c.chunk);
        ASSERT_TRUE(parsed.has_value());
        EXPECT_EQ(parsed->account, c.expected.account);
        EXPECT_EQ(parsed->product, c.expected.product);
        EXPECT_EQ(parsed->location, c.expected.location);
    }
}

TEST(ParseFriendAdded, NothingWithoutAWholeMessage) {
    const struct {
        const char* name;
        std::string chunk;
    } cases[] = {
        {"no marker", "1005 TALK Joe 0000 \"hi\"\r\n"},
        {"marker only", "\xFF\x67"},
        {"one length byte", "\xFF\x67\x10"},
        {"account without its end", std::string("\xFF\x67\x10\x00", 4) + "Alice"},
        {"nothing after the account", std::string("\xFF\x67\x10\x00", 4) + "Alice" + '\0'},
        {"product cut short", std::string("\xFF\x67\x10\x00", 4) + "Al" + '\0' + "\x01\x02" + "ST"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(ParseFriendAdded(c.chunk).has_value());
    }
}

}  // namespace
}  // namespace morva::testing
