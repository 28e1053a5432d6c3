#include "chat/add_chat.h"

#include <gtest/gtest.h>

#include "chat/palette.h"
#include "platform/memory_pane.h"

namespace morva {
namespace {

const LocalTime At{2026, 12, 10, 14, 3, 27, 45};

TEST(TimeStamp, ShowsHoursMinutesSecondsAndHundredths) {
    EXPECT_EQ(TimeStamp(At), "[14:03:27.45] ");
    EXPECT_EQ(TimeStamp(LocalTime{2026, 1, 1, 0, 0, 5, 0}), "[00:00:05.00] ");
    EXPECT_EQ(TimeStamp(LocalTime{2026, 1, 1, 23, 59, 59, 9}), "[23:59:59.09] ");
}

TEST(AddChat, WritesStampThenRunsThenOneLineEnd) {
    MemoryPane pane;
    AddChat(pane, At, {{ColorGrey, "Bot: "}, {ColorWhite, "one"}, {ColorStatus, "two"}});
    EXPECT_EQ(pane.text(), "[14:03:27.45] Bot: onetwo\r\n");
    const auto runs = pane.runs();
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[0].first, ColorTimeStamp);
    EXPECT_EQ(runs[0].second, "[14:03:27.45] ");
    EXPECT_EQ(runs[1].first, ColorGrey);
    EXPECT_EQ(runs[2].first, ColorWhite);
    EXPECT_EQ(runs[3].first, ColorStatus);
    EXPECT_EQ(runs[3].second, "two\r\n");
}

TEST(AddChat, EmptyTextStillWritesAStampedLine) {
    MemoryPane pane;
    AddChat(pane, At, {{ColorWhite, ""}});
    EXPECT_EQ(pane.text(), "[14:03:27.45] \r\n");
}

TEST(AddChat, AppendsAtTheEndWhateverTheSelection) {
    MemoryPane pane;
    AddChat(pane, At, {{ColorWhite, "first"}});
    pane.setCaret(3);
    pane.setSelectionLength(5);
    AddChat(pane, At, {{ColorWhite, "second"}});
    EXPECT_EQ(pane.text(), "[14:03:27.45] first\r\n[14:03:27.45] second\r\n");
    EXPECT_EQ(pane.caret(), pane.textLength());
    EXPECT_EQ(pane.selectionLength(), 0);
}

// The trim compares the caret, not the length: fill the pane, then put the caret where the case needs it.
struct TrimCase {
    int caret;
    bool trimmed;
};

class AddChatTrim : public ::testing::TestWithParam<TrimCase> {};

TEST_P(AddChatTrim, CutsTheFirst25000CharactersOnlyPast50000) {
    MemoryPane pane;
    pane.setInsertColor(ColorWhite);
    pane.replaceSelection(std::string(25000, 'a') + std::string(GetParam().caret - 25000, 'b'));
    pane.setCaret(GetParam().caret);
    AddChat(pane, At, {{ColorWhite, "new"}});
    const std::string tail = "[14:03:27.45] new\r\n";
    if (GetParam().trimmed) {
        EXPECT_EQ(pane.text(), std::string(GetParam().caret - 25000, 'b') + tail);
    } else {
        EXPECT_EQ(pane.textLength(), GetParam().caret + static_cast<int>(tail.size()));
    }
}

INSTANTIATE_TEST_SUITE_P(Boundary, AddChatTrim,
                         ::testing::Values(TrimCase{50000, false}, TrimCase{50001, true}));

TEST(AddChat, TrimLooksAtTheCaretNotTheLength) {
    MemoryPane pane;
    pane.setInsertColor(ColorWhite);
    pane.replaceSelection(std::string(60000, 'x'));
    pane.setCaret(10);
    AddChat(pane, At, {{ColorWhite, "new"}});
    EXPECT_EQ(pane.textLength(), 60000 + 19);
}

}  // namespace
}  // namespace morva
