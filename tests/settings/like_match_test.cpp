#include "settings/like_match.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace morva {
namespace {

struct LikeCase {
    const char* text;
    const char* pattern;
    bool matches;
};

void PrintTo(const LikeCase& c, std::ostream* os) {
    *os << "'" << c.text << "' against '" << c.pattern << "'";
}

class LikeMatchCases : public ::testing::TestWithParam<LikeCase> {};

TEST_P(LikeMatchCases, AnswersAsExpected) {
    const LikeCase& c = GetParam();
    EXPECT_EQ(LikeMatch(c.text, c.pattern), c.matches);
}

INSTANTIATE_TEST_SUITE_P(WholeTextAndLiterals, LikeMatchCases,
                         ::testing::Values(LikeCase{"abc", "abc", true}, LikeCase{"abcd", "abc", false},
                                           LikeCase{"ab", "abc", false}, LikeCase{"xabc", "abc", false},
                                           LikeCase{"", "", true}, LikeCase{"a", "", false},
                                           LikeCase{"ABC", "abc", false}, LikeCase{"a]b", "a]b", true},
                                           LikeCase{"]", "]", true}, LikeCase{"a-b!", "a-b!", true}));

INSTANTIATE_TEST_SUITE_P(
    Wildcards, LikeMatchCases,
    ::testing::Values(LikeCase{"", "*", true}, LikeCase{"anything", "*", true},
                      LikeCase{"well, hello there", "*hello*", true}, LikeCase{"hello", "*hello*", true},
                      LikeCase{"helo", "*hello*", false}, LikeCase{"abc", "a*c", true},
                      LikeCase{"ac", "a*c", true}, LikeCase{"abcb", "a*c", false},
                      LikeCase{"aXbYc", "a**b***c", true}, LikeCase{"abcabd", "*abd", true},
                      LikeCase{"mississippi", "m*iss*ppi", true},
                      LikeCase{"mississippi", "m*iss*pi*x", false}, LikeCase{"abc", "a?c", true},
                      LikeCase{"ac", "a?c", false}, LikeCase{"abbc", "a?c", false}, LikeCase{"", "?", false},
                      LikeCase{"a", "?*", true}, LikeCase{"", "?*", false}, LikeCase{"7up", "#*", true},
                      LikeCase{"up7", "#*", false}, LikeCase{"", "#*", false}, LikeCase{"x", "#", false},
                      LikeCase{"42", "##", true}, LikeCase{"4", "##", false}));

INSTANTIATE_TEST_SUITE_P(Lists, LikeMatchCases,
                         ::testing::Values(LikeCase{"b", "[abc]", true}, LikeCase{"d", "[abc]", false},
                                           LikeCase{"ab", "[abc]", false}, LikeCase{"bird", "[a-c]*", true},
                                           LikeCase{"dog", "[a-c]*", false}, LikeCase{"c", "[a-c]", true},
                                           LikeCase{"a", "[a-c]", true}, LikeCase{"m", "[a-cx-z]", false},
                                           LikeCase{"y", "[a-cx-z]", true}, LikeCase{"b", "[!a]*", true},
                                           LikeCase{"a", "[!a]*", false}, LikeCase{"", "[!a]*", false},
                                           LikeCase{"5", "[!a-z]", true}, LikeCase{"q", "[!a-z]", false},
                                           LikeCase{"-", "[-a]", true}, LikeCase{"-", "[a-]", true},
                                           LikeCase{"b", "[-a]", false}, LikeCase{"-", "[!-a]", false},
                                           LikeCase{"-", "[a-c]", false}, LikeCase{"!", "[a!]", true},
                                           LikeCase{"!", "[!]", true}, LikeCase{"x", "[]", false},
                                           LikeCase{"", "[]", false}, LikeCase{"]", "[]]", false},
                                           LikeCase{"c", "[e-a]", true}, LikeCase{"f", "[e-a]", false}));

INSTANTIATE_TEST_SUITE_P(SpecialCharactersInsideAList, LikeMatchCases,
                         ::testing::Values(LikeCase{"*", "[*]", true}, LikeCase{"x", "[*]", false},
                                           LikeCase{"[", "[[]", true}, LikeCase{"?", "[?]", true},
                                           LikeCase{"a", "[?]", false}, LikeCase{"#", "[#]", true},
                                           LikeCase{"5", "[#]", false}, LikeCase{"a*b", "a[*]b", true},
                                           LikeCase{"axb", "a[*]b", false},
                                           LikeCase{"[x]joe", "[[]x]*", true},
                                           LikeCase{"xjoe", "[[]x]*", false}));

INSTANTIATE_TEST_SUITE_P(UnclosedListMatchesNothing, LikeMatchCases,
                         ::testing::Values(LikeCase{"[", "[", false}, LikeCase{"abc", "abc[", false},
                                           LikeCase{"[abc", "[abc", false}, LikeCase{"a", "[a", false},
                                           LikeCase{"x", "*[", false}, LikeCase{"anything", "*[*", false}));

TEST(LikeMatch, ComparesBytesAboveAsciiByValue) {
    EXPECT_TRUE(LikeMatch("\xE9t\xE9", "\xE9t\xE9"));
    EXPECT_FALSE(LikeMatch("\xC9t\xE9", "\xE9t\xE9"));
    EXPECT_TRUE(LikeMatch("\xF0", "[\xE0-\xFF]"));
    EXPECT_FALSE(LikeMatch("z", "[\xE0-\xFF]"));
    EXPECT_TRUE(LikeMatch(std::string("a\0b", 3), "a?b"));
}

TEST(LikeMatch, ManyStarsAgainstALongTextStillAnswer) {
    const std::string as(10000, 'a');
    EXPECT_FALSE(LikeMatch(as, "*a*a*a*a*a*a*b"));
    EXPECT_TRUE(LikeMatch(as + "b", "*a*a*a*a*a*a*b"));
    EXPECT_TRUE(LikeMatch(as, "*a*a*a*a*a*a*"));
}

// The plain table of "this much of the text matches that much of the pattern", for patterns of
// stars, "?", "#" and literals.
bool ReferenceMatch(const std::string& text, const std::string& pattern) {
    const std::size_t n = text.size(), m = pattern.size();
    // rest[i][j]: text from i matches pattern from j.
    std::vector<std::vector<bool>> rest(n + 1, std::vector<bool>(m + 1, false));
    rest[n][m] = true;
    for (std::size_t i = n + 1; i-- > 0;) {
        for (std::size_t j = m; j-- > 0;) {
            const char p = pattern[j];
            if (p == '*') {
                rest[i][j] = rest[i][j + 1] || (i < n && rest[i + 1][j]);
            } else if (i < n) {
                const char t = text[i];
                const bool one = p == '?' || (p == '#' ? t >= '0' && t <= '9' : p == t);
                rest[i][j] = one && rest[i + 1][j + 1];
            }
        }
    }
    return rest[0][0];
}

// Random texts with patterns made from them (so that long ones match too) and patterns slightly
// off; many are longer than 64 elements, so a match is carried across words of positions.
TEST(LikeMatch, AgreesWithThePlainTableOnRandomPatterns) {
    std::mt19937 random(11);
    const auto pick = [&](std::string_view from) { return from[random() % from.size()]; };
    int matched = 0;
    for (int round = 0; round < 600; ++round) {
        std::string text;
        const std::size_t length = round % 2 ? random() % 12 : random() % 200;
        for (std::size_t i = 0; i < length; ++i) text += pick("ab12");
        std::string pattern;
        for (std::size_t i = 0; i < text.size(); ++i) {
            switch (random() % 6) {
                case 0:
                    pattern += '?';
                    break;
                case 1:
                    pattern += '*';
                    i += random() % 4;
                    break;
                case 2:
                    pattern += text[i] >= '0' && text[i] <= '9' ? '#' : text[i];
                    break;
                default:
                    pattern += text[i];
            }
        }
        if (round % 3 == 0 && !pattern.empty()) pattern[random() % pattern.size()] = pick("ab12*?#");
        if (round % 5 == 0) pattern += pick("ab*");
        SCOPED_TRACE("'" + text + "' against '" + pattern + "'");
        const bool expected = ReferenceMatch(text, pattern);
        ASSERT_EQ(LikeMatch(text, pattern), expected);
        matched += expected;
    }
    EXPECT_GT(matched, 100);
    EXPECT_LT(matched, 500);
}

TEST(LikeMatch, PatternsLongerThanOneWordOfPositions) {
    const std::string as(100, 'a');
    EXPECT_TRUE(LikeMatch(as, as));
    EXPECT_FALSE(LikeMatch(as, as + "a"));
    EXPECT_TRUE(LikeMatch(as + "xyz", as + "*"));
    EXPECT_TRUE(LikeMatch("x" + as + as, "*" + std::string(63, '?') + "a*" + as));
    EXPECT_FALSE(LikeMatch(as + "b" + as, "*" + as + "b" + as + "?"));
    EXPECT_TRUE(LikeMatch(std::string(10000, 'a') + "b" + as, "*" + as + "b" + as));
}

struct FoldCase {
    const char* name;
    const char* folded;
};

void PrintTo(const FoldCase& c, std::ostream* os) {
    *os << ::testing::PrintToString(std::string(c.name));
}

class FoldNameCases : public ::testing::TestWithParam<FoldCase> {};

TEST_P(FoldNameCases, ReplacesThenLowerCases) {
    EXPECT_EQ(FoldName(GetParam().name), GetParam().folded);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FoldNameCases,
    ::testing::Values(FoldCase{"", ""}, FoldCase{"MyBot", "mybot"}, FoldCase{"[", "\xFF"},
                      FoldCase{"]", "\xF6"},  // Ö, then lower-cased to ö
                      FoldCase{"~", "\xFC"},  // Ü, then lower-cased to ü
                      FoldCase{"#", "\xA2"}, FoldCase{"-", "\xA3"}, FoldCase{"&", "\xA5"},
                      FoldCase{"@", "\xA4"}, FoldCase{"{", "\x83"}, FoldCase{"}", "\xE1"},
                      FoldCase{"^", "\xED"}, FoldCase{"`", "\xF3"}, FoldCase{"_", "\xFA"},
                      FoldCase{"+", "\xF1"}, FoldCase{"$", "\xF7"},
                      FoldCase{"[X]Joe-1",
                               "\xFFx\xF6joe\xA3"
                               "1"},
                      FoldCase{"a*b?c!", "a*b?c!"}, FoldCase{"\xD6\xDC\xC9", "\xF6\xFC\xC9"}));

struct NameCase {
    const char* name;
    const char* pattern;
    bool matches;
};

void PrintTo(const NameCase& c, std::ostream* os) {
    *os << "'" << c.name << "' against '" << c.pattern << "'";
}

class NameMatchesCases : public ::testing::TestWithParam<NameCase> {};

TEST_P(NameMatchesCases, FoldsBothSides) {
    EXPECT_EQ(NameMatches(GetParam().name, GetParam().pattern), GetParam().matches);
}

INSTANTIATE_TEST_SUITE_P(OnlyStarAndQuestionMarkAreWildcards, NameMatchesCases,
                         ::testing::Values(NameCase{"MyBot", "*bot", true}, NameCase{"bot", "*BOT", true},
                                           NameCase{"Botty", "*bot", false}, NameCase{"[X]Joe", "[x]*", true},
                                           NameCase{"xJoe", "[x]*", false}, NameCase{"#1abc", "#1*", true},
                                           NameCase{"11abc", "#1*", false}, NameCase{"Joe", "j?e*", true},
                                           NameCase{"Jxe2", "j?e*", true}, NameCase{"Je", "j?e*", false},
                                           NameCase{"a-b", "a-*", true}, NameCase{"ab", "[a-c]*", false},
                                           NameCase{"Foo[", "foo[*", true}, NameCase{"foo", "foo[*", false},
                                           NameCase{"Under_Score", "under_*", true},
                                           NameCase{"Under-Score", "under_*", false}));

}  // namespace
}  // namespace morva
