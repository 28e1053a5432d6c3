#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bot/startup.h"
#include "script_fixture.h"
#include "settings/ini_text.h"
#include "support/config_text.h"

namespace morva::testing {
namespace {

using Lines = std::vector<std::string>;

class ScriptLoader : public ScriptFixture {
protected:
    ScriptLoader() {
        profile.write("acces.bot", "");
        profile.write("safelist.bot", "");
    }

    std::string runningLine(int count) const {
        return "Bot: " + std::to_string(count) + " script(s) running from " +
               (profile.dir() / "Scripts").string() + ".";
    }
};

TEST_F(ScriptLoader, EveryLuaFileOfTheFolderLoadsInNameOrder) {
    script("b.lua", "print('b')");
    script("a.lua", "print('a')");
    script("notes.txt", "print('not a script')");
    script(".hidden.lua", "print('an editor file')");
    bot.scripts.load();
    EXPECT_EQ(printed(), (Lines{"a", "b"}));
    EXPECT_EQ(WithoutStamp(chat.lines().back()), runningLine(2));
}

TEST_F(ScriptLoader, AScriptThatFailsToLoadSaysWhereAndTheOthersRun) {
    script("a.lua", "function on_talk() print('a heard') end");
    script("b.lua", "x = 1\nthis is not Lua\n");
    script("c.lua", "local t = nil\nprint(t.field)");
    script("d.lua", "while true do end");
    script("e.lua", "function on_talk() print('e heard') end");
    bot.scripts.load();
    EXPECT_EQ(errorLines(),
              (Lines{"Bot: Script b.lua did not load: b.lua:2: syntax error near 'is'",
                     "Bot: Script c.lua did not load: c.lua:2: attempt to index a nil value "
                     "(local 't')",
                     "Bot: Script d.lua did not load: it ran more than 10000000 instructions"}));
    chat.clear();
    feed("1005 TALK Joe 0000 \"hi\"");
    EXPECT_EQ(printed(), (Lines{"a heard", "e heard"}));
}

TEST_F(ScriptLoader, ReloadingConfigBotLoadsTheScriptsAnew) {
    profile.write("config.bot", ValidConfig());
    script("test.lua", "bot.timer(1000, function() print('old') end)");
    bot.scripts.load();
    script("test.lua", "print('new')");
    chat.clear();
    ReloadConfig(bot);
    clock.advance(5000);
    const Lines lines = printed();
    EXPECT_EQ(std::ranges::count(lines, "old"), 0);
    EXPECT_EQ(std::ranges::count(lines, "new"), 1);
    EXPECT_EQ(errorLines(), Lines{});
}

TEST_F(ScriptLoader, TheScriptsSectionSwitchesThemOffWithoutAnUnknownKey) {
    profile.write("config.bot", IniWrite(ValidConfig(), "Scripts", "Enabled", "False"));
    script("test.lua", "print('running')");
    ReloadConfig(bot);
    EXPECT_EQ(bot.scripts.running(), 0u);
    EXPECT_EQ(errorLines(), Lines{});
    profile.write("config.bot", IniWrite(ValidConfig(), "Scripts", "Enabled", "True"));
    ReloadConfig(bot);
    EXPECT_EQ(bot.scripts.running(), 1u);
    EXPECT_EQ(errorLines(), Lines{});
}

TEST_F(ScriptLoader, FormLoadLoadsTheScriptsBeforeConnecting) {
    profile.write("config.bot", IniWrite(ValidConfig(), "Profile", "ConnectStartup", "False"));
    script("test.lua", "print('loaded')");
    Form_Load(bot);
    EXPECT_EQ(bot.scripts.running(), 1u);
}

}  // namespace
}  // namespace morva::testing
