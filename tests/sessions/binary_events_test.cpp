#include "sessions/binary_events.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sessions/session_samples.h"

namespace morva::testing {
namespace {

using namespace std::string_literals;

// The event of one packet as a line of text, or nothing.
std::optional<std::string> Typed(const std::string& packet) {
    std::string flags, product;
    const auto event = ChatEventOf(packet, flags, product);
    return event ? std::optional<std::string>(Describe(*event)) : std::nullopt;
}

struct EventCase {
    const char* what;
    std::string packet;
    std::optional<std::string> event;
};

void ExpectEvents(const std::vector<EventCase>& cases) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Typed(c.packet), c.event);
    }
}

TEST(ChatEventOf, CarriesTheFieldsOfEachListedEvent) {
    ExpectEvents({
        {"user present", ChatEventPacket(0x01, 0x02, 156, "Foo", "RATS 0 0 0 0 0 0"),
         "1001 name=Foo flags=0002 product=[STAR] ping=156 text="},
        {"join", ChatEventPacket(0x02, 0x10, 0x20, "Bob", "TAHC"),
         "1002 name=Bob flags=0010 product=[CHAT] ping=32 text="},
        {"leave ignores the text", ChatEventPacket(0x03, 0x10, 5, "Bob", "TAHC"),
         "1003 name=Bob ping=0 text="},
        {"whisper received", ChatEventPacket(0x04, 0x00, 9, "Bob", "psst"),
         "1004 name=Bob flags=0000 ping=0 text=psst"},
        {"talk", ChatEventPacket(0x05, 0x00, 0, "Bob", "hi"), "1005 name=Bob flags=0000 ping=0 text=hi"},
        {"talk keeps inner quotes", ChatEventPacket(0x05, 0x12, 0, "Bob", "say \"hi\""),
         "1005 name=Bob flags=0012 ping=0 text=say \"hi\""},
        {"channel", ChatEventPacket(0x07, 0x00, 0, "MorvaBot", "Op Test"), "1007 ping=0 text=Op Test"},
        {"flags changed", ChatEventPacket(0x09, 0x20, 7, "Bob", "TAHC"),
         "1009 name=Bob flags=0020 ping=0 text="},
        {"whisper sent", ChatEventPacket(0x0A, 0x00, 0, "Bob", "hello"),
         "1010 name=Bob flags=0000 ping=0 text=hello"},
        {"information", ChatEventPacket(0x12, 0x00, 0, "", "Bob was kicked out of the channel by Foo."),
         "1018 ping=0 text=Bob was kicked out of the channel by Foo."},
        {"error", ChatEventPacket(0x13, 0x00, 0, "", "That user is not logged on."),
         "1019 ping=0 text=That user is not logged on."},
        {"emote", ChatEventPacket(0x17, 0x00, 0, "Bob", "waves"),
         "1023 name=Bob flags=0000 ping=0 text=waves"},
    });
}

TEST(ChatEventOf, OnlyTheLowByteOfTheEventIdCounts) {
    ExpectEvents({
        {"0x105 is talk", ChatEventPacket(0x00000105, 0x00, 0, "Bob", "hi"),
         "1005 name=Bob flags=0000 ping=0 text=hi"},
        {"0xFFFFFF02 is join", ChatEventPacket(0xFFFFFF02, 0x00, 7, "Bob", "TAHC"),
         "1002 name=Bob flags=0000 product=[CHAT] ping=7 text="},
    });
}

TEST(ChatEventOf, EveryOtherEventIsABroadcastWithoutFields) {
    for (const std::uint32_t id : {0x00u, 0x06u, 0x08u, 0x0Bu, 0x11u, 0x14u, 0x16u, 0x18u, 0xFFu, 0x0500u}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(Typed(ChatEventPacket(id, 0x02, 0xFFFFFFFF, "Bob", "text\r\nmore")), "1006 ping=0 text=");
    }
}

TEST(ChatEventOf, WhisperToAllFriendsNamesTheSenderAndFlagsFriends) {
    ExpectEvents({
        {"echo to friends", ChatEventPacket(0x0A, 0x00, 0, "MorvaBot friends", "hi all"),
         "1010 name=MorvaBot flags=friends ping=0 text=hi all"},
        {"more words after friends", ChatEventPacket(0x0A, 0x00, 0, "MorvaBot friends x", "hi"),
         "1010 name=MorvaBot flags=friends ping=0 text=hi"},
        {"second word is not exactly friends", ChatEventPacket(0x0A, 0x00, 0, "MorvaBot friendship", "hi"),
         "1010 name=MorvaBot friendship flags=0000 ping=0 text=hi"},
        {"upper case is another word", ChatEventPacket(0x0A, 0x00, 0, "MorvaBot Friends", "hi"),
         "1010 name=MorvaBot Friends flags=0000 ping=0 text=hi"},
        {"two blanks leave an empty second word", ChatEventPacket(0x0A, 0x00, 0, "MorvaBot  friends", "hi"),
         "1010 name=MorvaBot  friends flags=0000 ping=0 text=hi"},
        {"friends alone is a name", ChatEventPacket(0x0A, 0x00, 0, "friends", "hi"),
         "1010 name=friends flags=0000 ping=0 text=hi"},
        {"only the echo of a sent whisper", ChatEventPacket(0x04, 0x00, 0, "Bob friends", "hi"),
         "1004 name=Bob friends flags=0000 ping=0 text=hi"},
    });
}

TEST(ChatEventOf, FlagsReadTheLowByteDigitsOrFallBackToTheWholeValue) {
    const struct {
        std::uint32_t flags;
        const char* text;
    } cases[] = {
        {0x00, "0000"},
        {0x01, "0001"},
        {0x02, "0002"},
        {0x10, "0010"},
        {0x12, "0012"},
        {0x20, "0020"},
        {0x30, "0030"},
        {0x99, "0099"},
        {0x0A, "0010"},
        {0x1C, "0028"},
        {0xA0, "0160"},
        {0x102, "0002"},
        {0x12345, "0045"},
        {0x11C, "0284"},
        {0x0001E0FF, "123135"},
        {0xFFFFFFFA, "-0006"},
        {0x8000000F, "-2147483633"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.flags);
        EXPECT_EQ(FlagsText(static_cast<std::int32_t>(c.flags)), c.text);
        EXPECT_EQ(Typed(ChatEventPacket(0x09, c.flags, 0, "Bob", "")),
                  std::string("1009 name=Bob flags=") + c.text + " ping=0 text=");
    }
}

TEST(ChatEventOf, PingIsSignedAndProductIsAtMostFourReversedCharacters) {
    ExpectEvents({
        {"ping -1", ChatEventPacket(0x01, 0x00, 0xFFFFFFFF, "Bob", "PX3W 1"),
         "1001 name=Bob flags=0000 product=[W3XP] ping=-1 text="},
        {"lowest ping", ChatEventPacket(0x01, 0x00, 0x80000000, "Bob", "PXES"),
         "1001 name=Bob flags=0000 product=[SEXP] ping=-2147483648 text="},
        {"short product", ChatEventPacket(0x02, 0x00, 1, "Bob", "XB"),
         "1002 name=Bob flags=0000 product=[BX] ping=1 text="},
        {"no product", ChatEventPacket(0x02, 0x00, 1, "Bob", ""),
         "1002 name=Bob flags=0000 product=[] ping=1 text="},
    });
}

TEST(ChatEventOf, ShortPacketsReadMissingFieldsAsZeroOrEmpty) {
    const std::string join = ChatEventPacket(0x02, 0x10, 0x20, "Bob", "TAHC");
    const std::string talk = ChatEventPacket(0x05, 0x00, 0, "Bob", "hi");
    ExpectEvents({
        {"no bytes", "", std::nullopt},
        {"no whole flags field", join.substr(0, 11), std::nullopt},
        {"flags only", join.substr(0, 12), "1002 name= flags=0010 product=[] ping=0 text="},
        {"part of the ping", join.substr(0, 15), "1002 name= flags=0010 product=[] ping=0 text="},
        {"ping but no name", join.substr(0, 28), "1002 name= flags=0010 product=[] ping=32 text="},
        {"name without its terminator", join.substr(0, 30),
         "1002 name=Bo flags=0010 product=[] ping=32 text="},
        {"name but no text", join.substr(0, 32), "1002 name=Bob flags=0010 product=[] ping=32 text="},
        {"text without its terminator", talk.substr(0, talk.size() - 1),
         "1005 name=Bob flags=0000 ping=0 text=hi"},
        {"text cut short", talk.substr(0, talk.size() - 2), "1005 name=Bob flags=0000 ping=0 text=h"},
        {"broadcast of twelve bytes", ChatEventPacket(0x06, 0, 0, "", "").substr(0, 12), "1006 ping=0 text="},
    });
}

TEST(ChatEventOf, CarriesEveryByteOfNameAndTextUnchanged) {
    const std::string name = "J\xF6rg";
    const std::string text = "\x80\xFF\x01 caf\xC3\xA9";
    EXPECT_EQ(Typed(ChatEventPacket(0x05, 0x00, 0, name, text)),
              "1005 name=" + name + " flags=0000 ping=0 text=" + text);
}

TEST(ChatEventOf, ViewsPointIntoThePacketAndTheGivenTexts) {
    const std::string packet = ChatEventPacket(0x02, 0x10, 0x20, "Bob", "TAHC");
    std::string flags, product;
    const auto event = ChatEventOf(packet, flags, product);
    ASSERT_TRUE(event.has_value());
    EXPECT_EQ(event->name->data(), packet.data() + 28);
    EXPECT_EQ(event->flags->data(), flags.data());
    EXPECT_EQ(event->product->data(), product.data());
}

TEST(ParseChatEvent, ReadsTheFieldsAtTheirPlaces) {
    const std::string packet = ChatEventPacket(0x05, 0xFFFFFF12, 0x12345678, "Bob", "hi there");
    const auto event = ParseChatEvent(packet);
    EXPECT_EQ(event.flags, -238);
    EXPECT_EQ(event.ping, 0x12345678);
    EXPECT_EQ(event.name, "Bob");
    EXPECT_EQ(event.text, "hi there");
}

TEST(ParseChatEvent, StopsAtTheEndOfAShortPacket) {
    const std::string packet = ChatEventPacket(0x05, 0x12, 0x20, "Bob", "hi").substr(0, 10);
    const auto event = ParseChatEvent(packet);
    EXPECT_EQ(event.flags, 0);
    EXPECT_EQ(event.ping, 0);
    EXPECT_EQ(event.name, "");
    EXPECT_EQ(event.text, "");
}

TEST(KillNull, KeepsThePartBeforeTheFirstNul) {
    EXPECT_EQ(KillNull("ab\0cd\0"s), "ab");
    EXPECT_EQ(KillNull("abc"), "abc");
    EXPECT_EQ(KillNull("\0abc"s), "");
    EXPECT_EQ(KillNull(""), "");
}

TEST(DwordAt, ReadsLittleEndianOrZeroWhenShort) {
    const std::string bytes = "\x78\x56\x34\x12\xFF"s;
    EXPECT_EQ(DwordAt(bytes, 0), 0x12345678u);
    EXPECT_EQ(DwordAt(bytes, 1), 0xFF123456u);
    EXPECT_EQ(DwordAt(bytes, 2), 0u);
    EXPECT_EQ(DwordAt(bytes, 100), 0u);
}

}  // namespace
}  // namespace morva::testing
