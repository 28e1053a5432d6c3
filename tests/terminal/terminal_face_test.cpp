#include <gtest/gtest.h>
#include <signal.h>

#include "settings/ini_text.h"
#include "support/bot_fixture.h"
#include "support/child_process.h"
#include "support/config_text.h"

namespace morva::testing {
namespace {

// The terminal face as a user runs it: a real process, its output read through a pipe.
class TerminalFaceProcess : public ::testing::Test {
protected:
    ChildProcess start() {
        return ChildProcess({MORVACHAT_PATH, "--terminal", "--profile", profile.dir().string()});
    }
    TempProfile profile;
};

TEST_F(TerminalFaceProcess, PrintsTitleAndSeparatorAndRunsUntilSigterm) {
    profile.write("config.bot", ValidConfig());
    ChildProcess bot = start();
    ASSERT_TRUE(bot.waitForOutput("---------------------------------------\n")) << bot.output();
    EXPECT_EQ(bot.output().find("["), 0u);
    EXPECT_NE(bot.output().find("] Morva Chat v1.0 by Quorin [Binary Edition]\n"), std::string::npos);
    EXPECT_EQ(bot.output().find("\x1b["), std::string::npos) << "no colour codes into a pipe";
    bot.closeInput();
    EXPECT_FALSE(bot.waitForOutput("never printed", std::chrono::milliseconds(300)))
        << "end of input does not stop it";
    EXPECT_EQ(bot.signalAndWait(SIGTERM), 0);
}

TEST_F(TerminalFaceProcess, ReportsBrokenRequiredKeysAndKeepsRunning) {
    std::string config = IniWrite(ValidConfig(), "Profile", "TrayStart", "maybe");
    config.erase(config.find("Port=6112\r\n"), 11);
    profile.write("config.bot", config);
    ChildProcess bot = start();
    ASSERT_TRUE(bot.waitForOutput("\"Port\"")) << bot.output();
    EXPECT_NE(bot.output().find("\"TrayStart=maybe\" in section [Profile]"), std::string::npos)
        << bot.output();
    EXPECT_EQ(bot.signalAndWait(SIGINT), 0);
}

TEST(TerminalFaceOptions, HelpNamesTheProfileOption) {
    ChildProcess help({MORVACHAT_PATH, "--help"});
    EXPECT_TRUE(help.waitForOutput("--profile DIR")) << help.output();
}

}  // namespace
}  // namespace morva::testing
