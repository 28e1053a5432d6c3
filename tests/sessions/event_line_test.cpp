#include "sessions/event_line.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "sessions/session_samples.h"

namespace morva::testing {
namespace {

using namespace std::string_literals;

std::optional<std::string> Parsed(std::string_view line) {
    const auto event = ParseEventLine(line);
    return event ? std::optional<std::string>(Describe(*event)) : std::nullopt;
}

struct LineCase {
    const char* line;
    std::optional<std::string> event;
};

void ExpectEvents(std::initializer_list<LineCase> cases) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(Parsed(c.line), c.event);
    }
}

TEST(LeadingNumber, ReadsTheNumberTheWayEventNumbersAreRead) {
    const struct {
        const char* text;
        long value;
    } cases[] = {
        {"1005", 1005},  {"0999", 999}, {"3001", 3001},      {"", 0},        {"abcd", 0},
        {"10 05", 1005}, {" 999", 999}, {"\n1002", 1002},    {"\t12x4", 12}, {"-5", -5},
        {"+42", 42},     {"12-3", 12},  {"1005 TALK", 1005}, {"--5", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(LeadingNumber(c.text), c.value);
    }
}

TEST(LeadingNumber, AVeryLongRunOfDigitsDoesNotWrapIntoTheEventRange) {
    EXPECT_GT(LeadingNumber("99999999999999999999999999"), 3000);
}

TEST(ParseEventLine, OnlyNumbersFrom1001To3000InTheFirstFourCharactersMakeAnEvent) {
    ExpectEvents({
        {"1000 X a", std::nullopt},
        {"1001 USER a", "1001 name=a ping=0 text="},
        {"3000 X a", "3000 name=a ping=0 text="},
        {"3001 X a", std::nullopt},
        {"", std::nullopt},
        {"abcd", std::nullopt},
        {"-1005 TALK", std::nullopt},
        // The range looks at four characters, the id at the whole first field.
        {"1001234 USER a", "1001234 name=a ping=0 text="},
        {"100 5 TALK a", std::nullopt},
        {"1005\t5 TALK a", "10055 name=a ping=0 text="},
        // A line starting with a quote has no number.
        {"\"x\"", std::nullopt},
        {"1\"x\"", std::nullopt},
    });
}

TEST(ParseEventLine, ALeadingLineFeedIsDropped) {
    ExpectEvents({
        {"\n1003 LEAVE Bob", "1003 name=Bob ping=0 text="},
        {"\n\n1003 LEAVE Bob", std::nullopt},
        {"\r1003 LEAVE Bob", std::nullopt},
        {" 1003 LEAVE Bob", std::nullopt},
    });
}

TEST(ParseEventLine, HeadBeforeTheQuoteAndTextUpToTheLastCharacter) {
    ExpectEvents({
        {R"(1005 TALK Bob 0010 "hi")", "1005 name=Bob flags=0010 ping=0 text=hi"},
        {R"(1005 TALK Bob 0000 "say "hi"")", R"(1005 name=Bob flags=0000 ping=0 text=say "hi")"},
        {"1003 LEAVE Bob", "1003 name=Bob ping=0 text="},
        {"1002 JOIN Bob 0010 [STAR] 32", "1002 name=Bob flags=0010 product=[STAR] ping=32 text="},
        {R"(1018 INFO "")", "1018 ping=0 text="},
        // A lone quote at the end: the text is empty, not the quote itself.
        {R"(1018 INFO ")", "1018 ping=0 text="},
        // No closing quote: the last character is still taken for it.
        {R"(1019 Error "abc)", "1019 ping=0 text=ab"},
        // The character before the quote is dropped whatever it is.
        {R"(1005 TALK Bob 0000"hi")", "1005 name=Bob flags=000 ping=0 text=hi"},
        {R"(1018 "x")", "1018 ping=0 text=x"},
        {R"(1018"x")", "101 ping=0 text=x"},
        // Quotes and blanks after the first quote belong to the text.
        {R"(1004 WHISPER Bob 0010 "a "b" c")", R"(1004 name=Bob flags=0010 ping=0 text=a "b" c)"},
    });
}

TEST(ParseEventLine, TheHeadSplitsAtEverySingleBlank) {
    ExpectEvents({
        {"1002 JOIN  Bob", "1002 name= flags=Bob ping=0 text="},
        {"1002 JOIN Bob  [STAR]", "1002 name=Bob flags= product=[STAR] ping=0 text="},
        {"1002 JOIN Bob ", "1002 name=Bob flags= ping=0 text="},
        {"1002 JOIN", "1002 ping=0 text="},
        {"1002 JOIN Bob 0010 [STAR] 32 more words", "1002 name=Bob flags=0010 product=[STAR] ping=32 text="},
        {"1002 JOIN Bob 0010 [STAR] -1", "1002 name=Bob flags=0010 product=[STAR] ping=-1 text="},
        {"1002 JOIN Bob 0010 [STAR] x", "1002 name=Bob flags=0010 product=[STAR] ping=0 text="},
        {"1010 WHISPER Ann friends \"hi\"", "1010 name=Ann flags=friends ping=0 text=hi"},
    });
}

TEST(ParseEventLine, KeepsEveryByteOfTheText) {
    const std::string text("a\0\xFF\x01 b", 6);
    const std::string line = "1005 TALK Bob 0000 \"" + text + "\"";
    const auto event = ParseEventLine(line);
    ASSERT_TRUE(event.has_value());
    EXPECT_EQ(event->text, text);
}

TEST(ParseEventLine, ViewsPointIntoTheLine) {
    const std::string line = "1002 JOIN Bob 0010 [STAR] 32";
    const auto event = ParseEventLine(line);
    ASSERT_TRUE(event.has_value());
    EXPECT_EQ(event->name->data(), line.data() + 10);
    EXPECT_EQ(event->flags->data(), line.data() + 14);
    EXPECT_EQ(event->product->data(), line.data() + 19);
}

}  // namespace
}  // namespace morva::testing
