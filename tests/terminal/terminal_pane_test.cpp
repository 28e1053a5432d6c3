#include "terminal/terminal_pane.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>

#include "output/palette.h"
#include "support/virtual_clock.h"

namespace morva {
namespace {

// A stream into memory. What it shows is only what the printer has flushed, so a test sees
// exactly what has reached the stream.
class CapturedOutput {
public:
    CapturedOutput() : file_(open_memstream(&buffer_, &size_)) {}
    ~CapturedOutput() {
        std::fclose(file_);
        std::free(buffer_);
    }
    std::FILE* file() { return file_; }
    std::string flushed() const { return std::string(buffer_, size_); }

private:
    char* buffer_ = nullptr;
    std::size_t size_ = 0;
    std::FILE* file_;
};

PaneLine Line(Runs runs) {
    return PaneLine{Run{ColorTimeStamp, "[09:05:07.03] "}, std::move(runs)};
}

TEST(TerminalPane, PrintsEachLineTheMomentItIsAppended) {
    CapturedOutput out;
    LinePrinter printer(out.file(), false);
    TerminalPane pane(printer, "[whispers] ");
    pane.appendLine(
        Line({{ColorWhisperFrom, "Whisper from: "}, {ColorUserName, "bob: "}, {ColorWhite, "hi"}}));
    EXPECT_EQ(out.flushed(), "[whispers] [09:05:07.03] Whisper from: bob: hi\n");
    pane.appendLine(Line({{ColorWhite, "second"}}));
    EXPECT_EQ(out.flushed(),
              "[whispers] [09:05:07.03] Whisper from: bob: hi\n[whispers] [09:05:07.03] second\n");
}

TEST(TerminalPane, WithAFlushTheLinesOfOneTurnReachTheStreamWhenTheTurnIsDone) {
    CapturedOutput out;
    testing::VirtualClock clock;
    const std::unique_ptr<Deferred> flush = clock.makeDeferred();
    LinePrinter printer(out.file(), false, flush.get());
    TerminalPane pane(printer, "");
    pane.appendLine(Line({{ColorWhite, "one"}}));
    pane.appendLine(Line({{ColorWhite, "two"}}));
    EXPECT_EQ(out.flushed(), "");
    clock.advance(0);
    EXPECT_EQ(out.flushed(), "[09:05:07.03] one\n[09:05:07.03] two\n");
}

TEST(TerminalPane, CountsItsLinesForTheTrimLikeAMemoryPane) {
    CapturedOutput out;
    LinePrinter printer(out.file(), false);
    TerminalPane pane(printer, "");
    pane.appendLine(Line({{ColorWhite, "one"}}));
    pane.appendLine(Line({{ColorWhite, "two"}}));
    EXPECT_EQ(pane.length(), 2 * (14 + 3 + 2));
    pane.dropFront(1);
    EXPECT_EQ(pane.length(), 14 + 3 + 2);
    pane.clear();
    EXPECT_EQ(pane.length(), 0);
    EXPECT_EQ(out.flushed(), "[09:05:07.03] one\n[09:05:07.03] two\n") << "dropping prints nothing";
}

struct ColourCase {
    const char* name;
    Runs runs;
    std::string printed;
};

class PrintedInColour : public ::testing::TestWithParam<ColourCase> {};

TEST_P(PrintedInColour, SetsEachRunsColourAndResetsAtTheEnd) {
    CapturedOutput out;
    LinePrinter printer(out.file(), true);
    TerminalPane pane(printer, "> ");
    pane.appendLine(Line(GetParam().runs));
    EXPECT_EQ(out.flushed(), "> \x1b[38;2;111;111;111m[09:05:07.03] " + GetParam().printed + "\x1b[0m\n");
}

INSTANTIATE_TEST_SUITE_P(
    Lines, PrintedInColour,
    ::testing::Values(ColourCase{"Windows1252", {{ColorRed, "caf\xE9"}}, "\x1b[38;2;255;0;0mcaf\xC3\xA9"},
                      ColourCase{"Utf8",
                                 {{ColorRed, "caf\xC3\xA9 "}, {RGB(1, 2, 3), "\xE9"}},
                                 "\x1b[38;2;255;0;0mcaf\xC3\xA9 \x1b[38;2;1;2;3m\xC3\xA9"},
                      // An empty run shows nothing, but the last run's colour is always set.
                      ColourCase{"EmptyRuns",
                                 {{ColorRed, "a"}, {RGB(1, 2, 3), ""}, {RGB(4, 5, 6), ""}},
                                 "\x1b[38;2;255;0;0ma\x1b[38;2;4;5;6m"},
                      ColourCase{"NoRuns", {}, ""}),
    [](const ::testing::TestParamInfo<ColourCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace morva
