#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script_fixture.h"

namespace morva::testing {
namespace {

using Lines = std::vector<std::string>;

class ScriptSandbox : public ScriptFixture {};

struct ForbiddenCase {
    const char* code;
    // A part of the one error line it gives.
    const char* error;
};

// Each runs in on_talk; on_whisper then shows that the script, and the bot, go on.
TEST_F(ScriptSandbox, WhatReachesBeyondTheBotOrPastALimitIsStoppedWithOneErrorLine) {
    const ForbiddenCase cases[] = {
        {"os.execute('touch escaped')", "(field 'execute')"},
        {"os.remove('config.bot')", "(field 'remove')"},
        {"io.open('escaped', 'w')", "(global 'io')"},
        {"require('os')", "(global 'require')"},
        {"dofile('config.bot')", "(global 'dofile')"},
        {"loadfile('config.bot')", "(global 'loadfile')"},
        {"debug.getregistry()", "(global 'debug')"},
        {"package.loadlib('libc.so.6', 'system')", "(global 'package')"},
        {"string.dump(print)", "(field 'dump')"},
        {"assert(load('\\27Lua\\84\\0\\25\\147\\13\\10'))", "attempt to load a binary chunk (mode is 't')"},
        {"assert(load('\\27Lua', 'chunk', 'b'))", "attempt to load a binary chunk (mode is 't')"},
        {"collectgarbage('stop')", "option 'stop' is not allowed"},
        {"collectgarbage('generational')", "option 'generational' is not allowed"},
        {"local s = string.rep('x', 1e9)", "it needed more than its 32 MiB of memory"},
        {"local t = {} for i = 1, 1e8 do t[i] = i end", "it needed more than its 32 MiB of memory"},
        {"while true do end", "it ran more than 10000000 instructions"},
        {"while true do pcall(function() while true do end end) end",
         "it ran more than 10000000 instructions"},
        {"while true do coroutine.wrap(function() for i = 1, 1e5 do end end)() end", "instructions"},
        {"string.find(string.rep('a', 30000), '.-.-.-.-b')", "it ran more than 10000000 instructions"},
        {"pcall(string.match, string.rep('a', 30000), '(.-)(.-)(.-)b')", "instructions"},
        {"string.gsub(string.rep('a', 30000), '.-.-.-b', '')", "instructions"},
        {"for x in string.gmatch(string.rep('(', 30000), '%b()') do end", "instructions"},
        {"string.rep('a', 1e7):find(string.rep('a', 5e6) .. 'b', 1, true)", "instructions"},
        {"string.gsub('abc', '.', function() while true do end end)", "instructions"},
        {"local function f() return 1 + f() end f()", "stack overflow"},
        {"local function f() f() end f()", "stack overflow"},
        {"setmetatable({}, {__gc = function() while true do end end})", "a __gc metamethod is not allowed"},
    };
    for (const ForbiddenCase& c : cases) {
        run(std::string("function on_talk() ") + c.code + " end\n" +
            "function on_whisper() print('still here') end");
        const Lines before = profileFiles();
        feed("1005 TALK Joe 0000 \"go\"");
        const Lines errors = errorLines();
        ASSERT_EQ(errors.size(), 1u) << c.code;
        EXPECT_TRUE(errors[0].starts_with("Bot: Script test.lua, on_talk: ")) << errors[0];
        EXPECT_NE(errors[0].find(c.error), std::string::npos) << c.code << ": " << errors[0];
        feed("1004 WHISPER Joe 0000 \"again\"");
        EXPECT_EQ(printed().back(), "still here") << c.code;
        EXPECT_EQ(profileFiles(), before) << c.code;
    }
}

TEST_F(ScriptSandbox, AScriptMayUseMuchOfItsCapAgainAndAgain) {
    run(R"(function on_talk()
             local s = string.rep("x", 12 << 20)
             print(#s >> 20)
           end)");
    for (int i = 0; i < 3; ++i) feed("1005 TALK Joe 0000 \"go\"");
    EXPECT_EQ(printed(), (Lines{"12", "12", "12"}));
    EXPECT_EQ(errorLines(), Lines{});
}

TEST_F(ScriptSandbox, PatternWorkOnAMegabyteFitsTheBudget) {
    run(R"lua(function on_talk()
             local text = string.rep("word ", 200000)
             print(select(2, text:gsub("%s+", "_")), #text:match("^(%a+)"), text:find("word", -5, true))
           end)lua");
    feed("1005 TALK Joe 0000 \"go\"");
    EXPECT_EQ(printed(), Lines{"200000\t4\t999996\t999999"});
    EXPECT_EQ(errorLines(), Lines{});
}

TEST_F(ScriptSandbox, TheClockAndCalendarOfOsRemain) {
    run("print(math.type(os.time()), type(os.date('%Y')), type(os.clock()), os.date('!%Y', 0))");
    bot.scripts.load();
    EXPECT_EQ(printed().front(), "integer\tstring\tnumber\t1970");
}

TEST_F(ScriptSandbox, LoadOfTextSeesTheSandboxOrTheGivenEnvironment) {
    run(R"(
      print(load("return io")())
      print(load("return x", "chunk", "t", {x = "given"})())
    )");
    bot.scripts.load();
    EXPECT_EQ(printed(), (Lines{"nil", "given"}));
}

TEST_F(ScriptSandbox, TheThirdStopSwitchesTheScriptOffUntilTheNextLoad) {
    run(R"(function on_talk() while true do end end
           function on_whisper() print("still here") end)");
    for (int i = 0; i < 4; ++i) feed("1005 TALK Joe 0000 \"go\"");
    const Lines errors = errorLines();
    ASSERT_EQ(errors.size(), 3u);
    EXPECT_TRUE(errors[1].ends_with("(stop 2 of 3)."));
    EXPECT_TRUE(
        errors[2].ends_with("(stop 3 of 3); the script is switched off until config.bot is reloaded."));
    feed("1004 WHISPER Joe 0000 \"again\"");
    EXPECT_EQ(printed(), Lines{});
    EXPECT_EQ(bot.scripts.running(), 0u);
    bot.scripts.load();
    feed("1004 WHISPER Joe 0000 \"again\"");
    EXPECT_EQ(printed().back(), "still here");
}

TEST_F(ScriptSandbox, PlainErrorsDoNotCountAsStops) {
    run(R"(function on_talk() error("oops") end)");
    for (int i = 0; i < 5; ++i) feed("1005 TALK Joe 0000 \"go\"");
    EXPECT_EQ(errorLines(), Lines(5, "Bot: Script test.lua, on_talk: test.lua:1: oops"));
    EXPECT_EQ(bot.scripts.running(), 1u);
}

TEST_F(ScriptSandbox, AStopInsideATimerCountsAndTheTimerEnds) {
    run(R"(bot.timer(100, function() while true do end end))");
    clock.advance(1000);
    EXPECT_EQ(errorLines().size(), 1u);
}

}  // namespace
}  // namespace morva::testing
