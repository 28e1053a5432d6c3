#include "output/chat_log.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "output/add_chat.h"
#include "output/palette.h"
#include "platform/memory_pane.h"
#include "support/bot_fixture.h"
#include "support/virtual_clock.h"

namespace morva::testing {
namespace {

namespace fs = std::filesystem;

// Panes with a log below a profile folder, on a virtual clock that starts a second before midnight.
class ChatLogTest : public ::testing::Test {
protected:
    ChatLogTest()
        : clock(LocalTime{2026, 12, 10, 23, 59, 59, 0}), output(chat, whispers, clock), log(clock, output) {
        output.log = &log;
        log.configure(true, profile.dir() / "Chat Logs");
        log.setChannel("Lobby");
    }
    std::string file(const std::string& relative) const { return profile.read("Chat Logs/" + relative); }

    TempProfile profile;
    VirtualClock clock;
    MemoryPane chat, whispers;
    Output output;
    ChatLog log;
};

TEST_F(ChatLogTest, LinesGoToTheirChannelsAndTheWhispersFileOnceASecond) {
    AddChat(output, {{ColorUserName, "Joe: "}, {ColorWhite, "hi"}});
    AddChat(output, whispers, {{ColorWhisperFrom, "Whisper from: "}, {ColorWhite, "psst"}});
    EXPECT_FALSE(profile.exists("Chat Logs")) << "lines wait a moment, so the pane is never slowed";
    clock.advance(ChatLog::FlushMs);
    EXPECT_EQ(file("Lobby/2026-12-10.log"), "[23:59:59.00] Joe: hi\n");
    EXPECT_EQ(file("Whispers/2026-12-10.log"), "[23:59:59.00] Whisper from: psst\n");
}

TEST_F(ChatLogTest, AtMidnightTheNextLinesGoToTheNextDaysFile) {
    AddChat(output, {{ColorWhite, "before"}});
    clock.advance(1500);
    AddChat(output, {{ColorWhite, "after"}});
    clock.advance(ChatLog::FlushMs);
    EXPECT_EQ(file("Lobby/2026-12-10.log"), "[23:59:59.00] before\n");
    EXPECT_EQ(file("Lobby/2026-12-11.log"), "[00:00:00.50] after\n");
}

TEST_F(ChatLogTest, ChannelNamesStayInsideTheLogFolder) {
    for (const char* channel : {"../../escape", "a/b", ".."}) {
        log.setChannel(channel);
        AddChat(output, {{ColorWhite, channel}});
    }
    log.flush();
    for (const auto& entry : fs::recursive_directory_iterator(profile.dir())) {
        const fs::path relative = fs::relative(entry.path(), profile.dir());
        EXPECT_EQ(*relative.begin(), "Chat Logs") << relative;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(profile.dir() / "Chat Logs"), {}), 3) << "a folder each";
}

TEST_F(ChatLogTest, AFileThatCannotBeWrittenIsReportedOnce) {
    profile.write("Chat Logs", "a file where the folder should be");
    for (int i = 0; i < 3; ++i) {
        AddChat(output, {{ColorWhite, "line"}});
        log.flush();
    }
    int reports = 0;
    for (const std::string& line : chat.lines())
        reports += line.find("The chat log could not be written") != std::string::npos;
    EXPECT_EQ(reports, 1);
}

TEST_F(ChatLogTest, SwitchedOffItWritesNothing) {
    log.configure(false, profile.dir() / "Chat Logs");
    AddChat(output, {{ColorWhite, "line"}});
    log.flush();
    EXPECT_FALSE(profile.exists("Chat Logs"));
}

}  // namespace
}  // namespace morva::testing
