#include "output/add_chat.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "output/palette.h"
#include "platform/memory_pane.h"

namespace morva {
namespace {

const LocalTime At{2026, 12, 10, 14, 3, 27, 45};
const std::string Stamp = "[14:03:27.45] ";

TEST(TimeStamp, ShowsHoursMinutesSecondsAndHundredths) {
    EXPECT_EQ(TimeStamp(At), Stamp);
    EXPECT_EQ(TimeStamp(LocalTime{2026, 1, 1, 0, 0, 5, 0}), "[00:00:05.00] ");
    EXPECT_EQ(TimeStamp(LocalTime{2026, 1, 1, 23, 59, 59, 9}), "[23:59:59.09] ");
}

TEST(AddChat, WritesStampThenRunsThenOneLineEnd) {
    MemoryPane pane;
    AddChat(pane, At, {{ColorGrey, "Bot: "}, {ColorWhite, "one"}, {ColorStatus, "two"}});
    EXPECT_EQ(pane.text(), Stamp + "Bot: onetwo\r\n");
    const auto runs = pane.runs();
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[0].first, ColorTimeStamp);
    EXPECT_EQ(runs[0].second, Stamp);
    EXPECT_EQ(runs[1].first, ColorGrey);
    EXPECT_EQ(runs[2].first, ColorWhite);
    EXPECT_EQ(runs[3].first, ColorStatus);
    EXPECT_EQ(runs[3].second, "two\r\n");
}

TEST(AddChat, EmptyTextStillWritesAStampedLine) {
    MemoryPane pane;
    AddChat(pane, At, {{ColorWhite, ""}});
    EXPECT_EQ(pane.text(), Stamp + "\r\n");
    EXPECT_EQ(pane.length(), 16);
}

TEST(AddChat, EachLineGoesAfterTheOnesBefore) {
    MemoryPane pane;
    AddChat(pane, At, {{ColorWhite, "first"}});
    AddChat(pane, LocalTime{2026, 12, 10, 14, 3, 28, 0}, {{ColorWhite, "second"}});
    EXPECT_EQ(pane.lines(), (std::vector<std::string>{Stamp + "first", "[14:03:28.00] second"}));
}

// A pane holding lines of the given lengths (as the pane counts them: stamp, text and CR LF) gets one
// more line; the trim happens before it, so the new line always stays.
struct TrimCase {
    const char* name;
    std::vector<int> lengths;
    std::size_t dropped;  // lines lost from the front
    friend void PrintTo(const TrimCase& c, std::ostream* os) { *os << c.name; }
};

class AddChatTrim : public ::testing::TestWithParam<TrimCase> {};

TEST_P(AddChatTrim, DropsWholeLinesOfAtLeast25000CharactersOnlyPast50000) {
    const TrimCase& c = GetParam();
    MemoryPane pane;
    std::vector<std::string> before;
    for (std::size_t i = 0; i < c.lengths.size(); ++i) {
        // Each line's own letter shows which lines are left.
        const std::string text(static_cast<std::size_t>(c.lengths[i]) - Stamp.size() - 2,
                               static_cast<char>('a' + i));
        pane.appendLine(PaneLine{{ColorTimeStamp, Stamp}, {{ColorWhite, text}}});
        before.push_back(Stamp + text);
    }
    AddChat(pane, At, {{ColorWhite, "new"}});
    std::vector<std::string> expected(before.begin() + static_cast<std::ptrdiff_t>(c.dropped), before.end());
    expected.push_back(Stamp + "new");
    EXPECT_EQ(pane.lines(), expected);
    int length = 0;
    for (const auto& line : expected) length += static_cast<int>(line.size()) + 2;
    EXPECT_EQ(pane.length(), length);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AddChatTrim,
    ::testing::Values(TrimCase{"Exactly50000StaysWhole", {25000, 25000}, 0},
                      TrimCase{"OneMoreLosesTheFirstLine", {25000, 25001}, 1},
                      TrimCase{
                          "ShortLinesGoUntil25000AreGone", {10000, 10000, 10000, 10000, 10000, 10000}, 3},
                      TrimCase{"ALineJustShortOf25000TakesTheNextWithIt", {24999, 17, 30000}, 2},
                      TrimCase{"OneHugeLineGoesWhole", {60000}, 1}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace morva
