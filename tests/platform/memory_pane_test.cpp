#include "platform/memory_pane.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace morva::testing {
namespace {

constexpr Rgb Stamp = RGB(1, 1, 1), Red = RGB(255, 0, 0), Blue = RGB(0, 0, 255);

// A line that counts `counted` characters: a one-byte stamp, text, CR LF.
PaneLine LineOf(int counted, char fill) {
    return PaneLine{morva::Run{Stamp, "["}, {{Red, std::string(counted - 3, fill)}}};
}

// Lines counting 10, 20 and 30 characters.
class MemoryPaneTest : public ::testing::Test {
protected:
    MemoryPaneTest() {
        pane.appendLine(LineOf(10, 'a'));
        pane.appendLine(LineOf(20, 'b'));
        pane.appendLine(LineOf(30, 'c'));
    }
    std::string firstLetters() const {
        std::string letters;
        for (const std::string& line : pane.lines()) letters += line.substr(1, 1);
        return letters;
    }

    MemoryPane pane;
};

TEST_F(MemoryPaneTest, CountsEachLinesBytesAndItsLineEnd) {
    EXPECT_EQ(pane.length(), 60);
    EXPECT_EQ(pane.text().size(), 60u);
    EXPECT_EQ(pane.lines()[0], "[aaaaaaa");
    pane.appendLine(PaneLine{morva::Run{Stamp, "[1] "}, {{Red, "caf\xC3\xA9"}, {Blue, ""}}});
    EXPECT_EQ(pane.length(), 60 + 4 + 5 + 2) << "bytes, not characters";
}

struct DropCase {
    int atLeast;
    const char* kept;
    int length;
};

class MemoryPaneDrop : public MemoryPaneTest, public ::testing::WithParamInterface<DropCase> {};

TEST_P(MemoryPaneDrop, DropsWholeLinesUntilEnoughWent) {
    pane.dropFront(GetParam().atLeast);
    EXPECT_EQ(firstLetters(), GetParam().kept);
    EXPECT_EQ(pane.length(), GetParam().length);
    EXPECT_EQ(pane.text().size(), static_cast<std::size_t>(GetParam().length));
}

INSTANTIATE_TEST_SUITE_P(Amounts, MemoryPaneDrop,
                         ::testing::Values(DropCase{0, "abc", 60}, DropCase{1, "bc", 50},
                                           DropCase{10, "bc", 50}, DropCase{11, "c", 30},
                                           DropCase{30, "c", 30}, DropCase{31, "", 0},
                                           DropCase{1000, "", 0}));

TEST_F(MemoryPaneTest, NewLinesCountAfterADropOrAClear) {
    pane.dropFront(1000);
    pane.dropFront(5);
    EXPECT_EQ(pane.length(), 0);
    pane.appendLine(LineOf(12, 'd'));
    EXPECT_EQ(pane.length(), 12);
    pane.clear();
    EXPECT_EQ(pane.length(), 0);
    EXPECT_TRUE(pane.lines().empty());
    pane.appendLine(LineOf(15, 'e'));
    EXPECT_EQ(pane.length(), 15);
}

TEST(MemoryPane, TheLineEndTakesTheColourOfTheLastRun) {
    MemoryPane pane;
    pane.appendLine(PaneLine{morva::Run{Stamp, "[1] "}, {{Red, "a"}, {Red, "b"}, {Blue, ""}}});
    pane.appendLine(PaneLine{morva::Run{Stamp, "[2] "}, {}});
    using Colored = std::vector<std::pair<Rgb, std::string>>;
    EXPECT_EQ(pane.runs(), (Colored{{Stamp, "[1] "}, {Red, "ab"}, {Blue, "\r\n"}, {Stamp, "[2] \r\n"}}));
    EXPECT_EQ(pane.colorAt(4), Red);
    EXPECT_EQ(pane.colorAt(6), Blue);
    EXPECT_EQ(pane.colorAt(pane.length() - 1), Stamp);
    EXPECT_THROW(pane.colorAt(pane.length()), std::out_of_range);
}

}  // namespace
}  // namespace morva::testing
