#include "terminal/terminal_pane.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "chat/palette.h"

namespace morva {
namespace {

// A printer writing into memory, so the test sees exactly what reaches the stream.
class CapturedOutput {
public:
    CapturedOutput() : file_(open_memstream(&buffer_, &size_)) {}
    ~CapturedOutput() {
        std::fclose(file_);
        std::free(buffer_);
    }
    std::FILE* file() { return file_; }
    std::string text() {
        std::fflush(file_);
        return std::string(buffer_, size_);
    }

private:
    char* buffer_ = nullptr;
    std::size_t size_ = 0;
    std::FILE* file_;
};

const LocalTime At{2026, 12, 10, 9, 5, 7, 3};

TEST(TerminalPane, PrintsEachLineOnceWhenItIsComplete) {
    CapturedOutput out;
    LinePrinter printer(out.file(), false);
    TerminalPane pane(printer, "[whispers] ");
    AddChat(pane, At, {{ColorWhisperFrom, "Whisper from: "}, {ColorUserName, "bob: "}, {ColorWhite, "hi"}});
    AddChat(pane, At, {{ColorWhite, "second"}});
    EXPECT_EQ(out.text(),
              "[whispers] [09:05:07.03] Whisper from: bob: hi\n[whispers] [09:05:07.03] second\n");
    EXPECT_EQ(pane.lines().size(), 2u) << "the pane still holds its text";
}

TEST(TerminalPane, ColoursRunsWhenAskedAndShowsNonUtf8AsWindows1252) {
    CapturedOutput out;
    LinePrinter printer(out.file(), true);
    TerminalPane pane(printer, "");
    AddChat(pane, At, {{ColorRed, "caf\xE9"}});
    EXPECT_EQ(out.text(), "\x1b[38;2;111;111;111m[09:05:07.03] \x1b[38;2;255;0;0mcaf\xC3\xA9\x1b[0m\n");
}

}  // namespace
}  // namespace morva
