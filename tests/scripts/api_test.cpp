#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "moderation/input_enter.h"
#include "output/palette.h"
#include "script_fixture.h"
#include "settings/ini_text.h"
#include "support/config_text.h"

namespace morva::testing {
namespace {

using Lines = std::vector<std::string>;

class ScriptApi : public ScriptFixture {
protected:
    // Each line is whispered by the master and runs as Lua in the Console script.
    void type(std::initializer_list<const char*> lines) {
        for (const char* line : lines) feed(std::string("1004 WHISPER Boss 0000 \"") + line + "\"");
    }
    void txtSend(std::string typed) { txtSend_Enter(bot.chat, typed); }
};

// Every whisper, and every line the operator types, runs as Lua in the script, so that a test says
// what the script does.
const char* const Console = R"(
local function run(text) assert(load(text))() end
function on_whisper(name, text) run(text) end
function on_input(text) run(text) return true end
)";

TEST_F(ScriptApi, SayAndWhisperGoThroughTheSendQueue) {
    config.FloodLines = 1;
    config.FloodSeconds = 2;
    run(Console);
    type({"bot.say('one')", "bot.whisper('Joe', 'two')"});
    EXPECT_EQ(sent(), Lines{"one\r\n"});
    clock.advance(2000);
    EXPECT_EQ(sent(), (Lines{"one\r\n", "/w Joe two\r\n"}));
}

TEST_F(ScriptApi, SayTellsWhetherTheLineCouldBeSent) {
    run(Console);
    type({"print(tostring(bot.say('up')))", "print(tostring(bot.say('')))"});
    EXPECT_EQ(printed(), (Lines{"true", "false"}));
    bot.connection.Bot_Disconnect();
    chat.clear();
    txtSend("print(tostring(bot.say('down')))");
    EXPECT_EQ(printed(), Lines{"false"});
    EXPECT_EQ(sent(), Lines{"up\r\n"});
}

TEST_F(ScriptApi, ALineBreakOrABadNameIsAnErrorAndSendsNothing) {
    run(Console);
    type({"bot.say('one\\r\\n/ban Boss')", "bot.say('a\\0b')", "bot.whisper('Joe Jim', 'hi')",
          "bot.whisper('', 'hi')", "bot.kick('Joe\\nJim')", "bot.ban('Joe', 'bye\\n/ban Boss')"});
    EXPECT_EQ(sent(), Lines{});
    const Lines errors = errorLines();
    ASSERT_EQ(errors.size(), 6u);
    EXPECT_EQ(errors[0],
              "Bot: Script test.lua, on_whisper: [string \"bot.say('one\\r\\n/ban Boss')\"]:1: "
              "bot.say: a chat line cannot hold a line break or a NUL");
}

struct RemoveCase {
    const char* call;
    Lines sent;
};

TEST_F(ScriptApi, KickAndBanSpareTheSafeListAsTheCommandsDo) {
    const RemoveCase cases[] = {
        {"bot.kick('Joe')", {"/kick Joe  - Morva Kick -\r\n"}},
        {"bot.kick('Joe', 'spamming')", {"/kick Joe spamming\r\n"}},
        {"bot.ban('Jim', 'gone')", {"/ban Jim gone\r\n"}},
        {"bot.ban('Joe')", {"/ban Joe  - Morva Ban -\r\n"}},
        {"bot.kick('Friend')", {}},
        {"bot.ban('helper')", {}},
        {"bot.kick('Boss')", {}},
        {"bot.kick('J*', 'out')", {"/kick Joe out\r\n", "/kick Jim out\r\n"}},
        {"bot.ban('*')",
         {"/ban MorvaBot  - Morva Ban -\r\n", "/ban Joe  - Morva Ban -\r\n", "/ban Jim  - Morva Ban -\r\n"}},
    };
    fillChannel(true);
    run(Console);
    for (const RemoveCase& c : cases) {
        sockets.made[0]->sent.clear();
        type({c.call});
        EXPECT_EQ(sent(), c.sent) << c.call;
    }
    EXPECT_EQ(errorLines(), Lines{});
}

TEST_F(ScriptApi, KickAndBanNeedOperatorStatus) {
    fillChannel(false);
    run(Console);
    type({"print(tostring(bot.kick('Joe')))", "print(tostring(bot.ban('Joe')))"});
    EXPECT_TRUE(sent().empty());
    EXPECT_EQ(printed(), (Lines{"false", "false"}));
}

TEST_F(ScriptApi, MembersAreTheChannelModelInListOrder) {
    run(Console);
    feed("1001 USER MorvaBot 0002 [CHAT] 0");
    feed("1001 USER Joe 0010 [STAR] 32");
    chat.clear();
    type(
        {"for i, m in ipairs(bot.members()) do print(i .. ' ' .. m.name .. ' ' .. m.flags .. ' ' .. "
         "m.product .. ' ' .. m.ping) end"});
    EXPECT_EQ(printed(), (Lines{"1 MorvaBot 0002 [CHAT] 0", "2 Joe 0010 [STAR] 32"}));
}

struct QueryCase {
    const char* expression;
    const char* value;
};

TEST_F(ScriptApi, QueriesAnswerAsTheCoreDoes) {
    const QueryCase cases[] = {
        {"bot.is_operator()", "true"},
        {"bot.is_access('helper')", "true"},
        {"bot.is_access('BOSS')", "true"},
        {"bot.is_access('Joe')", "false"},
        {"bot.is_safe('friend')", "true"},
        {"bot.is_safe('Helper')", "true"},
        {"bot.is_safe('Joe')", "false"},
        {"bot.matches('Joe', 'j*')", "true"},
        {"bot.matches('[x]Joe', '[x]*')", "true"},
        {"bot.matches('Joe', 'x*')", "false"},
    };
    fillChannel(true);
    run(Console);
    for (const QueryCase& c : cases) {
        chat.clear();
        type({(std::string("print(tostring(") + c.expression + "))").c_str()});
        EXPECT_EQ(printed(), Lines{c.value}) << c.expression;
    }
}

TEST_F(ScriptApi, SettingsReadFromConfigBotButNeverThePassword) {
    std::string config = IniWrite(ValidConfig(), "Profile", "Username", "Morva");
    config = IniWrite(config, "Profile", "Password", "Secret");
    profile.write("config.bot", IniWrite(config, "Greeter", "Text", "Hello there"));
    run(Console);
    type({"print(tostring(bot.setting('Profile', 'Username')))",
          "print(tostring(bot.setting('greeter', 'TEXT')))",
          "print(tostring(bot.setting('Profile', 'Password')))",
          "print(tostring(bot.setting('profile', 'PASSWORD')))",
          "print(tostring(bot.setting('Nothing', 'Here')))"});
    EXPECT_EQ(printed(), (Lines{"Morva", "Hello there", "nil", "nil", "nil"}));
}

TEST_F(ScriptApi, PrintTakesAColourByNameOrNumber) {
    run(Console);
    for (const char* line :
         {"bot.print('plain')", "bot.print('warm', 'Error')", "bot.print('green', 0x00ff00)",
          "bot.print('two\\nlines', 'info')", "print('a', 1, nil)"})
        txtSend(line);
    const auto lines = chat.paneLines();
    ASSERT_EQ(lines.size(), 6u);
    const std::pair<std::string, Rgb> expected[] = {{"plain", ColorWhite},     {"warm", ColorError},
                                                    {"green", RGB(0, 255, 0)}, {"two", ColorInfo},
                                                    {"lines", ColorInfo},      {"a\t1\tnil", ColorWhite}};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].runs, (Runs{{expected[i].second, expected[i].first}})) << i;
    }
}

TEST_F(ScriptApi, AnUnknownColourIsAnError) {
    run(Console);
    type({"bot.print('x', 'mauve')", "bot.print('x', 0x1000000)", "bot.print('x', -1)"});
    EXPECT_EQ(errorLines().size(), 3u);
    EXPECT_EQ(printed(), Lines{});
}

TEST_F(ScriptApi, ATimerRepeatsOnTheVirtualClockUntilStopped) {
    run(R"(
      local ticks = 0
      bot.timer(1000, function(timer)
        ticks = ticks + 1
        print("tick " .. ticks)
        if ticks == 3 then timer:stop() end
      end)
    )");
    clock.advance(999);
    EXPECT_EQ(printed(), Lines{});
    clock.advance(1);
    EXPECT_EQ(printed(), Lines{"tick 1"});
    clock.advance(10000);
    EXPECT_EQ(printed(), (Lines{"tick 1", "tick 2", "tick 3"}));
}

TEST_F(ScriptApi, AHandleStopsItsTimerFromOutside) {
    run(R"(
      handle = bot.timer(500, function() print("tick") end)
      function on_input(text) print(tostring(handle:stop())) return true end
    )");
    clock.advance(1200);
    txtSend("stop");
    txtSend("again");
    clock.advance(5000);
    EXPECT_EQ(printed(), (Lines{"tick", "tick", "true", "false"}));
}

TEST_F(ScriptApi, ATimerThatFailsIsStoppedAfterOneErrorLine) {
    run(R"(bot.timer(100, function() error("broken") end))");
    clock.advance(1000);
    EXPECT_EQ(errorLines(), Lines{"Bot: Script test.lua, timer, now stopped: test.lua:1: broken"});
}

TEST_F(ScriptApi, TimerIntervalsAndCountsHaveLimits) {
    run(Console);
    type({"bot.timer(99, print)", "bot.timer(1e12, print)",
          "for i = 1, 300 do bot.timer(1000, function() end) end"});
    const Lines errors = errorLines();
    ASSERT_EQ(errors.size(), 3u);
    EXPECT_NE(errors[2].find("at most 256 timers"), std::string::npos);
}

TEST_F(ScriptApi, ScriptFilesLiveInTheScriptsDataFolder) {
    run(Console);
    type({"print(tostring(bot.read('strikes')))", "bot.write('strikes', 'Joe=1')",
          "bot.write('strikes', bot.read('strikes') .. '\\nJim=2')", "print(bot.read('strikes'))"});
    EXPECT_EQ(printed(), (Lines{"nil", "Joe=1", "Jim=2"}));
    EXPECT_EQ(profile.read("Scripts/data/test/strikes"), "Joe=1\nJim=2");
}

TEST_F(ScriptApi, AFileNameThatCouldLeaveTheDataFolderIsAnError) {
    run(Console);
    const Lines before = profileFiles();
    type({"bot.write('', 'x')", "bot.write('.', 'x')", "bot.write('../x', 'x')", "bot.write('a/b', 'x')",
          "bot.write('..', 'x')", "bot.write('a\\0b', 'x')", "bot.read('../../config.bot')",
          "bot.read('/etc/passwd')"});
    EXPECT_EQ(errorLines().size(), 8u);
    EXPECT_EQ(profileFiles(), before);
}

}  // namespace
}  // namespace morva::testing
