#include <gtest/gtest.h>
#include <signal.h>

#include "wire_fixture.h"

namespace morva::testing {
namespace {

// The terminal face as a user runs it against the test server: typed lines are sent and echoed.
class TerminalFaceWire : public ::testing::TestWithParam<bool> {};

TEST_P(TerminalFaceWire, TypedLinesAreSentAndShownUnderTheBotsName) {
    TestServerProcess server({"--account", "bot1:Secret", "--account", "alice:x"});
    TempProfile profile;
    profile.write("config.bot", WireConfig(server.port(), GetParam()));
    ChildProcess bot({MORVACHAT_PATH, "--terminal", "--profile", profile.dir().string()});
    ASSERT_TRUE(bot.waitForOutput("Joined channel: Mod Test")) << bot.output();
    TextPeer alice(server.port(), "alice", "Mod Test");
    bot.writeInput("hello from the terminal\n");
    EXPECT_TRUE(bot.waitForOutput("] bot1: hello from the terminal\n")) << bot.output();
    EXPECT_TRUE(alice.waitFor("1005 TALK bot1 0012 \"hello from the terminal\""));
    EXPECT_EQ(bot.signalAndWait(SIGTERM), 0);
}

INSTANTIATE_TEST_SUITE_P(BothProtocols, TerminalFaceWire, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Binary" : "Text"; });

}  // namespace
}  // namespace morva::testing
