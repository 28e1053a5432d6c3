#include <gtest/gtest.h>

#include <filesystem>

#include "bot/startup.h"
#include "settings/ini_text.h"
#include "wire_fixture.h"

namespace morva::testing {
namespace {

// The example greeter of tools/scripts, run by a bot in a channel of the test server.
class ScriptWire : public ::testing::TestWithParam<bool> {
protected:
    TempProfile profile;
    TestServerProcess server;
    WireBot bot{profile};
};

TEST_P(ScriptWire, TheGreeterGreetsAJoiningMember) {
    profile.write("config.bot",
                  IniWrite(WireConfig(server.port(), GetParam()), "Greeter", "Text", "Welcome to %c, %n!"));
    for (const char* list : {"acces.bot", "safelist.bot", "filter.bot"}) profile.write(list, "");
    std::filesystem::create_directories(profile.dir() / "Scripts");
    profile.write("Scripts/greeter.lua", ReadFile(MORVA_EXAMPLE_SCRIPTS "/greeter.lua"));
    Form_Load(*bot);
    ASSERT_TRUE(bot.waitForChat("Joined channel: Mod Test")) << bot.chat.text();
    TextPeer joe(server.port(), "Joe", "Mod Test");
    EXPECT_TRUE(joe.waitFor("\"Welcome to Mod Test, Joe!\"")) << bot.chat.text();
}

INSTANTIATE_TEST_SUITE_P(BothProtocols, ScriptWire, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Binary" : "Text"; });

}  // namespace
}  // namespace morva::testing
