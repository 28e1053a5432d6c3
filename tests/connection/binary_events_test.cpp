#include "connection/binary_events.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace morva {
namespace {

std::string Dword(std::uint32_t value) {
    std::string bytes;
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

// A SID_CHATEVENT as the server sends it; the unused address, account and authority fields hold
// non-zero bytes so that a reader off by a field would show.
std::string ChatEvent(std::uint32_t eventId, std::uint32_t flags, std::uint32_t ping, const std::string& name,
                      const std::string& text) {
    const std::string body = Dword(eventId) + Dword(flags) + Dword(ping) + Dword(0x0100007F) +
                             Dword(0xBAADF00D) + Dword(0x4C4C554E) + name + '\0' + text + '\0';
    const std::size_t length = body.size() + 4;
    return std::string("\xFF\x0F") + static_cast<char>(length & 0xFF) + static_cast<char>(length >> 8) + body;
}

struct LineCase {
    const char* what;
    std::string packet;
    std::optional<std::string> line;
};

void ExpectLines(const std::vector<LineCase>& cases) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ChatEventToLine(c.packet), c.line);
    }
}

TEST(ChatEventToLine, BuildsTheLineOfEachListedEvent) {
    ExpectLines({
        {"user present", ChatEvent(0x01, 0x02, 156, "Foo", "RATS 0 0 0 0 0 0"),
         "1001 USER Foo 0002 [STAR] 156"},
        {"join", ChatEvent(0x02, 0x10, 0x20, "Bob", "TAHC"), "1002 JOIN Bob 0010 [CHAT] 32"},
        {"leave ignores the text", ChatEvent(0x03, 0x10, 5, "Bob", "TAHC"), "1003 LEAVE Bob"},
        {"whisper received", ChatEvent(0x04, 0x00, 0, "Bob", "psst"), "1004 WHISPER Bob 0000 \"psst\""},
        {"talk", ChatEvent(0x05, 0x00, 0, "Bob", "hi"), "1005 TALK Bob 0000 \"hi\""},
        {"talk keeps inner quotes", ChatEvent(0x05, 0x12, 0, "Bob", "say \"hi\""),
         "1005 TALK Bob 0012 \"say \"hi\"\""},
        {"channel", ChatEvent(0x07, 0x00, 0, "MorvaBot", "Op Test"), "1007 CHANNEL \"Op Test\""},
        {"flags changed", ChatEvent(0x09, 0x20, 0, "Bob", ""), "1009 USER Bob 0020"},
        {"whisper sent", ChatEvent(0x0A, 0x00, 0, "Bob", "hello"), "1010 WHISPER Bob 0000 \"hello\""},
        {"information", ChatEvent(0x12, 0x00, 0, "", "Bob was kicked out of the channel by Foo."),
         "1018 INFO \"Bob was kicked out of the channel by Foo.\""},
        {"error in mixed case", ChatEvent(0x13, 0x00, 0, "", "That user is not logged on."),
         "1019 Error \"That user is not logged on.\""},
        {"emote", ChatEvent(0x17, 0x00, 0, "Bob", "waves"), "1023 EMOTE Bob 0000 \"waves\""},
    });
}

TEST(ChatEventToLine, OnlyTheLowByteOfTheEventIdCounts) {
    ExpectLines({
        {"0x105 is talk", ChatEvent(0x00000105, 0x00, 0, "Bob", "hi"), "1005 TALK Bob 0000 \"hi\""},
        {"0xFFFFFF02 is join", ChatEvent(0xFFFFFF02, 0x00, 7, "Bob", "TAHC"), "1002 JOIN Bob 0000 [CHAT] 7"},
    });
}

TEST(ChatEventToLine, EveryOtherEventCarriesTheWholeRawPacket) {
    for (const std::uint32_t id : {0x00u, 0x06u, 0x08u, 0x0Bu, 0x11u, 0x14u, 0x16u, 0x18u, 0xFFu, 0x0500u}) {
        SCOPED_TRACE(id);
        const std::string packet = ChatEvent(id, 0x02, 0xFFFFFFFF, "Bob", "text\r\nmore");
        const auto line = ChatEventToLine(packet);
        ASSERT_TRUE(line.has_value());
        EXPECT_EQ(*line, "1006 BROADCAST " + packet);
        EXPECT_EQ(line->size(), 15 + packet.size());
    }
}

TEST(ChatEventToLine, FlagsReadTheLowByteDigitsOrFallBackToTheWholeValue) {
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
        EXPECT_EQ(ChatEventToLine(ChatEvent(0x09, c.flags, 0, "Bob", "")),
                  std::string("1009 USER Bob ") + c.text);
    }
}

TEST(ChatEventToLine, PingIsSignedAndProductIsAtMostFourReversedCharacters) {
    ExpectLines({
        {"ping -1", ChatEvent(0x01, 0x00, 0xFFFFFFFF, "Bob", "PX3W 1"), "1001 USER Bob 0000 [W3XP] -1"},
        {"lowest ping", ChatEvent(0x01, 0x00, 0x80000000, "Bob", "PXES"),
         "1001 USER Bob 0000 [SEXP] -2147483648"},
        {"short product", ChatEvent(0x02, 0x00, 1, "Bob", "XB"), "1002 JOIN Bob 0000 [BX] 1"},
        {"no product", ChatEvent(0x02, 0x00, 1, "Bob", ""), "1002 JOIN Bob 0000 [] 1"},
    });
}

TEST(ChatEventToLine, ShortPacketsReadMissingFieldsAsZeroOrEmpty) {
    const std::string join = ChatEvent(0x02, 0x10, 0x20, "Bob", "TAHC");
    const std::string talk = ChatEvent(0x05, 0x00, 0, "Bob", "hi");
    ExpectLines({
        {"no bytes", "", std::nullopt},
        {"no whole flags field", join.substr(0, 11), std::nullopt},
        {"flags only", join.substr(0, 12), "1002 JOIN  0010 [] 0"},
        {"part of the ping", join.substr(0, 15), "1002 JOIN  0010 [] 0"},
        {"ping but no name", join.substr(0, 28), "1002 JOIN  0010 [] 32"},
        {"name without its terminator", join.substr(0, 30), "1002 JOIN Bo 0010 [] 32"},
        {"name but no text", join.substr(0, 32), "1002 JOIN Bob 0010 [] 32"},
        {"text without its terminator", talk.substr(0, talk.size() - 1), "1005 TALK Bob 0000 \"hi\""},
        {"text cut short", talk.substr(0, talk.size() - 2), "1005 TALK Bob 0000 \"h\""},
        {"broadcast of twelve bytes", ChatEvent(0x06, 0, 0, "", "").substr(0, 12),
         "1006 BROADCAST " + ChatEvent(0x06, 0, 0, "", "").substr(0, 12)},
    });
}

TEST(ChatEventToLine, CarriesEveryByteOfNameAndTextUnchanged) {
    const std::string name = "J\xF6rg";
    const std::string text = "\x80\xFF\x01 caf\xC3\xA9";
    EXPECT_EQ(ChatEventToLine(ChatEvent(0x05, 0x00, 0, name, text)),
              "1005 TALK " + name + " 0000 \"" + text + "\"");
}

TEST(ParseChatEvent, ReadsTheFieldsAtTheirPlaces) {
    const auto event = ParseChatEvent(ChatEvent(0x05, 0xFFFFFF12, 0x12345678, "Bob", "hi there"));
    EXPECT_EQ(event.flags, -238);
    EXPECT_EQ(event.ping, 0x12345678);
    EXPECT_EQ(event.name, "Bob");
    EXPECT_EQ(event.text, "hi there");
}

TEST(ParseChatEvent, StopsAtTheEndOfAShortPacket) {
    const auto event = ParseChatEvent(ChatEvent(0x05, 0x12, 0x20, "Bob", "hi").substr(0, 10));
    EXPECT_EQ(event.flags, 0);
    EXPECT_EQ(event.ping, 0);
    EXPECT_EQ(event.name, "");
    EXPECT_EQ(event.text, "");
}

TEST(KillNull, KeepsThePartBeforeTheFirstNul) {
    using namespace std::string_literals;
    EXPECT_EQ(KillNull("ab\0cd\0"s), "ab");
    EXPECT_EQ(KillNull("abc"), "abc");
    EXPECT_EQ(KillNull("\0abc"s), "");
    EXPECT_EQ(KillNull(""), "");
}

}  // namespace
}  // namespace morva
