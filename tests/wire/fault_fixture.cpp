#include "fault_fixture.h"

#include <algorithm>

#include "bot/startup.h"
#include "settings/ini_text.h"
#include "testserver/flood_events.h"

namespace morva::testing {

using ::testing::ElementsAre;

void FaultWire::start(int port, const std::vector<Setting>& extra) {
    port_ = port;
    std::string config = IniWrite(WireConfig(port, true), "Profile", "Socks", "1");
    for (const auto& [section, key, value] : extra) config = IniWrite(config, section, key, value);
    written_ = {{"config.bot", config},
                {"acces.bot", "Joe\r\n"},
                {"safelist.bot", "Jim\r\nAnn\r\n"},
                {"filter.bot", "*spam*\r\nbuy *\r\n"}};
    for (const auto& [name, bytes] : written_) profile.write(name, bytes);
    bot = std::make_unique<WireBot>(profile);
    Form_Load(**bot);
    loadedLists_ = lists();
}

std::vector<std::vector<std::string>> FaultWire::lists() const {
    const Settings& settings = (*bot)->settings;
    return {settings.AccesNames, settings.SafeNames, settings.FilterPatterns};
}

bool FaultWire::loggedOnOver(const FaultServer& server, int n, int timeoutMs) const {
    return RunUntil(
        [&] {
            return server.connections() == n + 1 &&
                   (*bot)->connection.state() == Connection::State::LoggedOn && bot->members.count() > 0;
        },
        timeoutMs);
}

void FaultWire::expectRetried(const FaultServer& server, const ::testing::Matcher<std::string>& why) {
    ASSERT_TRUE(loggedOnOver(server, 1)) << bot->chat.text();
    const auto lines = bot->chatLines();
    const auto at =
        std::find_if(lines.begin(), lines.end(), [&](const std::string& line) { return why.Matches(line); });
    ASSERT_GE(std::distance(at, lines.end()), 3) << bot->chat.text();
    EXPECT_THAT(std::vector<std::string>(at, at + 3),
                ElementsAre(why, "Bot: Connecting to: " + address() + ".", "Bot: Next attempt in 1 s."));
    EXPECT_EQ(bot->members.count(), 1) << "no one of the lost connection is left in the channel";
    EXPECT_EQ(bot->members.row(1).name, "bot1");
    expectSettingsKept();
}

void FaultWire::expectSettingsKept() const {
    for (const auto& [name, bytes] : written_) EXPECT_EQ(profile.read(name), bytes) << name;
    EXPECT_EQ(lists(), loadedLists_);
}

long long FaultWire::lastFloodIndexShown() const {
    const auto lines = bot->chatLines();
    for (auto line = lines.rbegin(); line != lines.rend(); ++line)
        if (const auto index = testserver::FloodEvents::indexOf(*line); index >= 0) return index;
    return -1;
}

std::string FaultWire::address() const {
    return "127.0.0.1:" + std::to_string(port_);
}

}  // namespace morva::testing
