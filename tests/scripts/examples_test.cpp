#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "script_fixture.h"
#include "settings/ini_text.h"
#include "support/config_text.h"

namespace morva::testing {
namespace {

using Lines = std::vector<std::string>;

// The example scripts of tools/scripts, each as the operator would install it.
class ExampleScripts : public ScriptFixture {
protected:
    void install(const std::string& fileName) {
        std::ifstream in(std::string(MORVA_EXAMPLE_SCRIPTS "/") + fileName, std::ios::binary);
        script(fileName, {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()});
        bot.scripts.load();
        ASSERT_EQ(bot.scripts.running(), 1u) << chat.text();
        sockets.made[0]->sent.clear();
    }
    void say(const std::string& name, const std::string& text) {
        feed("1005 TALK " + name + " 0000 \"" + text + "\"");
    }
};

TEST_F(ExampleScripts, TheGreeterWelcomesEachJoiner) {
    install("greeter.lua");
    feed("1002 JOIN Joe 0010 [STAR] 32");
    EXPECT_EQ(sent(), Lines{"Welcome, Joe!\r\n"});
}

TEST_F(ExampleScripts, TheAnnouncerTellsOfGamesOnJoiningAndOnItsTimer) {
    profile.write("config.bot", IniWrite(ValidConfig(), "Announcer", "Minutes", "1"));
    install("announcer.lua");
    feed("1002 JOIN MorvaBot 0010 [CHAT] 0");
    feed("1002 JOIN Joe 0010 [STAR] 0");
    feed("1002 JOIN Ann 0010 [D2DV] 0");
    feed("1002 JOIN Jim 0010 [STAR] 0");
    EXPECT_EQ(sent(),
              (Lines{"Joe has arrived playing StarCraft.\r\n", "Ann has arrived playing Diablo II.\r\n",
                     "Jim has arrived playing StarCraft.\r\n"}));
    sockets.made[0]->sent.clear();
    clock.advance(60000);
    EXPECT_EQ(sent(), Lines{"Playing here now: 1 Diablo II, 2 StarCraft.\r\n"});
}

TEST_F(ExampleScripts, TheAutoKickCountsStrikesAcrossRestartsAndSparesTheSafe) {
    fillChannel(true);
    install("autokick.lua");
    say("Joe", "BUY GOLD here");
    say("Friend", "buy gold");
    say("Joe", "nothing wrong");
    say("joe", "free items!");
    EXPECT_EQ(sent(), (Lines{"/kick Joe Strike 1 of 3: \"buy gold\"\r\n",
                             "/kick joe Strike 2 of 3: \"free items\"\r\n"}));
    EXPECT_EQ(profile.read("Scripts/data/autokick/strikes"), "joe=2\n");
    install("autokick.lua");
    say("Joe", "cheap accounts");
    EXPECT_EQ(sent(), Lines{"/ban Joe Strike 3: \"cheap accounts\"\r\n"});
}

TEST_F(ExampleScripts, SeenTellsWhenAUserWasLastSeenAndRemembersIt) {
    install("seen.lua");
    feed("1002 JOIN Joe 0010 [STAR] 0");
    feed("1003 LEAVE Joe");
    install("seen.lua");
    say("Boss", "!seen JOE");
    say("Boss", "!seen Nobody");
    say("Boss", "!seen");
    say("Jim", "!seen Joe");
    ASSERT_EQ(sent().size(), 3u);
    EXPECT_TRUE(sent()[0].starts_with("/w Boss Joe was last seen leaving on ")) << sent()[0];
    EXPECT_EQ(sent()[1], "/w Boss I have not seen Nobody.\r\n");
    EXPECT_EQ(sent()[2], "/w Boss Usage: !seen name\r\n");
}

}  // namespace
}  // namespace morva::testing
