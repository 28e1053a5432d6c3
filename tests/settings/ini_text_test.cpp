#include "settings/ini_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace morva {
namespace {

struct LookupCase {
    const char* name;
    std::string content;
    const char* section;
    const char* key;
    std::optional<std::string> expected;
};

class IniLookupTest : public ::testing::TestWithParam<LookupCase> {};

TEST_P(IniLookupTest, ReadsByTheFileRules) {
    const auto& c = GetParam();
    EXPECT_EQ(IniLookup(c.content, c.section, c.key), c.expected);
}

const std::string LongValue(200, 'v');

INSTANTIATE_TEST_SUITE_P(
    Rules, IniLookupTest,
    ::testing::Values(
        LookupCase{"plain", "[Profile]\r\nPort=6112\r\n", "Profile", "Port", "6112"},
        LookupCase{"section_case", "[pRoFiLe]\r\nPort=1\r\n", "Profile", "Port", "1"},
        LookupCase{"key_case", "[Profile]\r\nPORT=1\r\n", "Profile", "port", "1"},
        LookupCase{"blanks_around", "  [ Profile ]  \r\n  Port  =  6112  \r\n", "Profile", "Port", "6112"},
        LookupCase{"inner_blanks_kept", "[P]\r\nMessage= hello  there \r\n", "P", "Message", "hello  there"},
        LookupCase{"double_quotes", "[P]\r\nK=\" spaced \"\r\n", "P", "K", " spaced "},
        LookupCase{"single_quotes", "[P]\r\nK='x'\r\n", "P", "K", "x"},
        LookupCase{"unmatched_quotes_kept", "[P]\r\nK=\"x'\r\n", "P", "K", "\"x'"},
        LookupCase{"lone_quote_kept", "[P]\r\nK=\"\r\n", "P", "K", "\""},
        LookupCase{"cut_at_127", "[P]\r\nK=" + LongValue + "\r\n", "P", "K", std::string(127, 'v')},
        LookupCase{"empty_value", "[P]\r\nK=\r\n", "P", "K", ""},
        LookupCase{"equals_in_value", "[P]\r\nK=a=b\r\n", "P", "K", "a=b"},
        LookupCase{"missing_key", "[P]\r\nK=1\r\n", "P", "Other", std::nullopt},
        LookupCase{"missing_section", "[P]\r\nK=1\r\n", "Q", "K", std::nullopt},
        LookupCase{"key_of_other_section", "[P]\r\nA=1\r\n[Q]\r\nB=2\r\n", "P", "B", std::nullopt},
        LookupCase{"first_key_wins", "[P]\r\nK=1\r\nK=2\r\n", "P", "K", "1"},
        LookupCase{"first_section_wins", "[P]\r\nK=1\r\n[p]\r\nK=2\r\nL=3\r\n", "P", "K", "1"},
        LookupCase{"key_only_in_second_section_of_name", "[P]\r\nK=1\r\n[Q]\r\n[P]\r\nL=3\r\n", "P", "L",
                   std::nullopt},
        LookupCase{"section_after_repeat_still_read", "[P]\r\n[P]\r\nK=1\r\n[Q]\r\nL=2\r\n", "Q", "L", "2"},
        LookupCase{"lf_only_lines", "[P]\nK=lf\n", "P", "K", "lf"},
        LookupCase{"no_final_line_end", "[P]\r\nK=end", "P", "K", "end"},
        LookupCase{"comment_line", "[P]\r\n;K=1\r\nK=2\r\n", "P", "K", "2"},
        LookupCase{"key_before_any_section", "K=1\r\n[P]\r\n", "P", "K", std::nullopt},
        LookupCase{"blank_before_digit_not_found", "[Favorite Channels]\r\nChannel 1=x\r\n",
                   "Favorite Channels", "Channel1", std::nullopt},
        LookupCase{"empty_file", "", "P", "K", std::nullopt},
        LookupCase{"high_bytes_kept", "[P]\r\nK=\xE9t\xE9\r\n", "P", "K", "\xE9t\xE9"}),
    [](const auto& info) { return std::string(info.param.name); });

// A file of many sections is read in one pass, however many there are.
TEST(IniSectionsTest, ManySectionsAreFoundByName) {
    std::string content;
    for (int i = 0; i < 200000; ++i)
        content += "[S" + std::to_string(i) + "]\r\nK=" + std::to_string(i) + "\r\n";
    content += "[s5]\r\nK=later\r\n";
    const IniSections sections(content);
    EXPECT_EQ(sections.lookup("S199999", "K"), "199999");
    EXPECT_EQ(sections.lookup("s5", "k"), "5");
    EXPECT_EQ(sections.lookup("S200000", "K"), std::nullopt);
}

struct WriteCase {
    const char* name;
    std::string before;
    const char* section;
    const char* key;
    const char* value;
    std::string after;
};

class IniWriteTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(IniWriteTest, ChangesOnlyWhatItMust) {
    const auto& c = GetParam();
    EXPECT_EQ(IniWrite(c.before, c.section, c.key, c.value), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, IniWriteTest,
    ::testing::Values(
        WriteCase{"replace_in_place",
                  "; my bot\r\n[Commands]\r\nMaster=Joe\r\n\r\nTrigger = !\r\n[Idle]\r\nDelay=0\r\n",
                  "Commands", "Trigger", "#",
                  "; my bot\r\n[Commands]\r\nMaster=Joe\r\n\r\nTrigger=#\r\n[Idle]\r\nDelay=0\r\n"},
        WriteCase{"keeps_key_spelling_and_lf_ends", "[commands]\ntrigger=!\nx=1\n", "Commands", "Trigger",
                  "?", "[commands]\ntrigger=?\nx=1\n"},
        WriteCase{"new_key_after_last_line_of_section", "[Profile]\r\nA=1\r\n\r\n[Form]\r\nW=2\r\n",
                  "Profile", "ChannelProtect", "True",
                  "[Profile]\r\nA=1\r\nChannelProtect=True\r\n\r\n[Form]\r\nW=2\r\n"},
        WriteCase{"new_section_at_end", "[Profile]\r\nA=1\r\n", "Commands", "Trigger", "!",
                  "[Profile]\r\nA=1\r\n[Commands]\r\nTrigger=!\r\n"},
        WriteCase{"new_section_after_unterminated_line", "[Profile]\r\nA=1", "Commands", "Trigger", "!",
                  "[Profile]\r\nA=1\r\n[Commands]\r\nTrigger=!\r\n"},
        WriteCase{"new_key_in_unterminated_last_section", "[Form]\r\nW=1", "Form", "H", "2",
                  "[Form]\r\nW=1\r\nH=2\r\n"},
        // A file cut after the CR of its last line end: the line end is finished, not doubled.
        WriteCase{"new_section_after_lone_cr_at_end", "[Profile]\r\nA=1\r", "Commands", "Trigger", "!",
                  "[Profile]\r\nA=1\r\n[Commands]\r\nTrigger=!\r\n"},
        WriteCase{"new_key_after_lone_cr_at_end", "[Commands]\r\nMaster=Boss\r", "Commands", "Trigger", "#",
                  "[Commands]\r\nMaster=Boss\r\nTrigger=#\r\n"},
        WriteCase{"empty_file", "", "Form", "Width", "9000", "[Form]\r\nWidth=9000\r\n"},
        WriteCase{"value_cannot_add_lines", "[Commands]\r\nTrigger=!\r\n", "Commands", "Trigger",
                  "#\r\n[Profile]\r\nMaster=evil", "[Commands]\r\nTrigger=#\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IniWrite, WrittenValueReadsBack) {
    const std::string written = IniWrite("[Form]\r\nWidth=1\r\n", "form", "HEIGHT", "7620");
    EXPECT_EQ(IniLookup(written, "Form", "Height"), "7620");
    EXPECT_EQ(IniLookup(written, "Form", "Width"), "1");
}

}  // namespace
}  // namespace morva
