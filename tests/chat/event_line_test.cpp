#include "chat/event_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace morva {
namespace {

using Words = std::vector<std::string>;

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

TEST(SplitWords, SplitsAtEverySingleBlank) {
    EXPECT_EQ(SplitWords("a b"), (Words{"a", "b"}));
    EXPECT_EQ(SplitWords("a  b"), (Words{"a", "", "b"}));
    EXPECT_EQ(SplitWords(" a"), (Words{"", "a"}));
    EXPECT_EQ(SplitWords("a "), (Words{"a", ""}));
    EXPECT_EQ(SplitWords(""), (Words{""}));
}

TEST(SplitEventLine, HeadBeforeTheQuoteAndTextUpToTheLastCharacter) {
    const struct {
        const char* line;
        Words fields;
        const char* text;
    } cases[] = {
        {R"(1005 TALK Bob 0010 "hi")", {"1005", "TALK", "Bob", "0010"}, "hi"},
        {R"(1005 TALK Bob 0000 "say "hi"")", {"1005", "TALK", "Bob", "0000"}, R"(say "hi")"},
        {"1003 LEAVE Bob", {"1003", "LEAVE", "Bob"}, ""},
        {"1002 JOIN Bob 0010 [STAR] 32", {"1002", "JOIN", "Bob", "0010", "[STAR]", "32"}, ""},
        {R"(1018 INFO "")", {"1018", "INFO"}, ""},
        // A lone quote at the end: the text is empty, not the quote itself.
        {R"(1018 INFO ")", {"1018", "INFO"}, ""},
        // No closing quote: the last character is still taken for it.
        {R"(1019 Error "abc)", {"1019", "Error"}, "ab"},
        // The character before the quote is dropped whatever it is.
        {R"(1005 TALK Bob 0000"hi")", {"1005", "TALK", "Bob", "000"}, "hi"},
        {R"("x")", {""}, "x"},
        {R"(1"x")", {""}, "x"},
        {"1002 JOIN  Bob", {"1002", "JOIN", "", "Bob"}, ""},
        {"", {""}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const EventLine e = SplitEventLine(c.line);
        EXPECT_EQ(e.fields, c.fields);
        EXPECT_EQ(e.text, c.text);
    }
}

TEST(SplitEventLine, FieldsPastTheEndAreMissing) {
    const EventLine e = SplitEventLine("1003 LEAVE Bob");
    EXPECT_EQ(e.number(), 1003);
    EXPECT_EQ(e.field(2), "Bob");
    EXPECT_FALSE(e.field(3).has_value());
    EXPECT_EQ(EventLine{}.number(), 0);
}

TEST(SplitEventLine, KeepsEveryByteOfTheText) {
    const std::string text("a\0\xFF\x01 b", 6);
    const EventLine e = SplitEventLine("1005 TALK Bob 0000 \"" + text + "\"");
    EXPECT_EQ(e.text, text);
}

}  // namespace
}  // namespace morva
