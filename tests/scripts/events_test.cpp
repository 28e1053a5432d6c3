#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "moderation/input_enter.h"
#include "script_fixture.h"
#include "support/packets.h"

namespace morva::testing {
namespace {

using Lines = std::vector<std::string>;

// A script that prints every event it hears as "function|argument|...".
const char* const Recorder = R"(
local function record(name)
  return function(...) print(table.concat({name, ...}, "|")) end
end
for _, name in ipairs({"on_logon", "on_channel", "on_join", "on_leave", "on_talk", "on_emote",
                       "on_whisper", "on_flags", "on_info", "on_error", "on_disconnect"}) do
  _G[name] = record(name)
end
)";

class ScriptEvents : public ScriptFixture {};

struct EventCase {
    const char* line;
    const char* heard;
};

TEST_F(ScriptEvents, EachChatEventReachesTheScriptWithItsArguments) {
    const EventCase cases[] = {
        {"2010 NAME MorvaBot", "on_logon|MorvaBot|Home"},
        {"1007 CHANNEL \"Home Base\"", "on_channel|Home Base"},
        {"1002 JOIN Joe 0010 [STAR] 32", "on_join|Joe|0010|[STAR]"},
        {"1005 TALK Joe 0000 \"hi there\"", "on_talk|Joe|hi there|0000"},
        {"1023 EMOTE Joe 0000 \"waves\"", "on_emote|Joe|waves"},
        {"1004 WHISPER Joe 0000 \"psst\"", "on_whisper|Joe|psst"},
        {"1009 USER Joe 0002", "on_flags|Joe|0002"},
        {"1003 LEAVE Joe", "on_leave|Joe"},
        {"1018 INFO \"Welcome aboard\"", "on_info|Welcome aboard"},
        {"1019 Error \"No such user\"", "on_error|No such user"},
        {"1013 CHANNELFULL", "on_error|Channel is full."},
        {"1014 CHANNELDOESNOTEXIST", "on_error|Channel does not exist."},
        {"1015 CHANNELRESTRICTED", "on_error|Channel restricted."},
    };
    config.EmotesEnabled = true;
    run(Recorder);
    for (const EventCase& c : cases) {
        chat.clear();
        feed(c.line);
        const Lines lines = printed();
        EXPECT_NE(std::ranges::find(lines, c.heard), lines.end()) << c.line;
        EXPECT_TRUE(errorLines().empty() || std::string(c.heard).starts_with("on_error")) << c.line;
    }
}

TEST_F(ScriptEvents, EventsWithoutAUserNameAreNotPassedOn) {
    run(Recorder);
    feed("1003 LEAVE");
    feed("1005 TALK");
    EXPECT_EQ(printed(), Lines{});
}

TEST_F(ScriptEvents, AnEndedSessionTellsWhy) {
    run(Recorder);
    bot.connection.Bot_Disconnect();
    EXPECT_EQ(printed().back(), "on_disconnect|disconnected");
    connect(false);
    run(Recorder);
    sockets.made[0]->peerClose();
    const Lines lines = printed();
    EXPECT_NE(std::ranges::find(lines, "on_disconnect|lost"), lines.end());
}

TEST_F(ScriptEvents, TheBinaryLogonTellsTheNameAndTheHomeChannel) {
    bot.connection.Bot_Disconnect();
    run(Recorder);
    config.Binary = true;
    config.Username = "Morva";
    bot.connection.Bot_Connect();
    sockets.made[0]->acceptConnect();
    sockets.made[0]->receive(AuthInfoReply(7) + LogonReply(0));
    const Lines lines = printed();
    EXPECT_NE(std::ranges::find(lines, "on_logon|Morva|Home"), lines.end());
}

TEST_F(ScriptEvents, ScriptsHearAnEventAfterTheCoreHandledIt) {
    run(R"(
      function on_join(name) print("join " .. #bot.members()) end
      function on_leave(name) print("leave " .. #bot.members()) end
      function on_flags(name) print("operator " .. tostring(bot.is_operator())) end
    )");
    feed("1002 JOIN MorvaBot 0010 [CHAT] 0");
    feed("1002 JOIN Joe 0010 [STAR] 0");
    feed("1009 USER MorvaBot 0002");
    feed("1003 LEAVE Joe");
    EXPECT_EQ(printed(), (Lines{"join 1", "join 2", "operator true", "leave 1"}));
}

// The server answers at once here, while the first script's on_talk is still running: the answer
// reaches every script only after the line that caused it has reached them all.
TEST_F(ScriptEvents, AnEventThatArrivesWhileAScriptRunsWaitsItsTurn) {
    script("a.lua", R"(function on_talk(name, text)
                         print("a " .. name)
                         if name == "Joe" then bot.say("echo") end
                       end)");
    script("b.lua", R"(function on_talk(name, text) print("b " .. name) end)");
    bot.scripts.load();
    chat.clear();
    sockets.made[0]->onSend = [this](const std::string& bytes) {
        if (bytes == "echo\r\n") feed("1005 TALK Echo 0000 \"echo\"");
    };
    feed("1005 TALK Joe 0000 \"hello\"");
    const Lines lines = printed();
    const Lines heard(lines.end() - 4, lines.end());
    EXPECT_EQ(heard, (Lines{"a Joe", "b Joe", "a Echo", "b Echo"}));
}

class ScriptCommands : public ScriptFixture {};

const char* const SeenCommand = R"(
function on_command(speaker, word, argument)
  print("command|" .. speaker .. "|" .. word .. "|" .. argument)
  return word == "seen"
end
)";

TEST_F(ScriptCommands, UnknownTriggerCommandsOfTheMasterAndTheAccessListReachTheScript) {
    run(SeenCommand);
    feed("1005 TALK Boss 0000 \"!seen Joe\"");
    feed("1004 WHISPER Helper 0000 \"!Seen  Jim Bob\"");
    feed("1005 TALK Joe 0000 \"!seen Boss\"");
    EXPECT_EQ(printed(), (Lines{"command|Boss|seen|Joe", "command|Helper|seen| Jim Bob"}));
}

TEST_F(ScriptCommands, TheCoresOwnCommandsStayWithTheCore) {
    run(SeenCommand);
    feed("1005 TALK Boss 0000 \"!say hello\"");
    EXPECT_EQ(printed(), Lines{});
    EXPECT_EQ(sent(), Lines{"hello\r\n"});
}

TEST_F(ScriptCommands, ACommandTakenByOneScriptReachesNoLaterOne) {
    script("a.lua", SeenCommand);
    script("b.lua", R"(function on_command(speaker, word) print("b " .. word) end)");
    bot.scripts.load();
    chat.clear();
    feed("1005 TALK Boss 0000 \"!seen Joe\"");
    feed("1005 TALK Boss 0000 \"!other\"");
    EXPECT_EQ(printed(), (Lines{"command|Boss|seen|Joe", "command|Boss|other|", "b other"}));
}

class ScriptInput : public ScriptFixture {};

TEST_F(ScriptInput, ALineTheScriptTakesGoesNoFurther) {
    run(R"(function on_input(text)
             print("typed " .. text)
             return text:sub(1, 1) == "."
           end)");
    for (const char* line : {".secret", "/kick Joe", "hello"}) {
        std::string typed = line;
        EXPECT_TRUE(txtSend_Enter(bot.chat, typed));
        EXPECT_EQ(typed, "");
    }
    EXPECT_EQ(sent(), (Lines{"/kick Joe\r\n", "hello\r\n"}));
    EXPECT_EQ(printed(), (Lines{"typed .secret", "typed /kick Joe", "typed hello"}));
}

TEST_F(ScriptInput, ATakenLineNeedsNoConnection) {
    bot.connection.Bot_Disconnect();
    run(R"(function on_input(text) return true end)");
    std::string typed = "anything";
    EXPECT_TRUE(txtSend_Enter(bot.chat, typed));
    EXPECT_EQ(typed, "");
    EXPECT_EQ(errorLines(), Lines{});
}

}  // namespace
}  // namespace morva::testing
