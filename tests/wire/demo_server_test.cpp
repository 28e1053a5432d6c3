#include <gtest/gtest.h>

#include <algorithm>

#include "wire_fixture.h"

namespace morva::testing {
namespace {

bool StartsWith(const std::string& line, const std::string& prefix) {
    return line.rfind(prefix, 0) == 0;
}

// The demo server's own members, as a text-protocol newcomer of the demo channel meets them.
class DemoServer : public ::testing::Test {
protected:
    int countOf(const TextPeer& peer, const std::string& prefix, const std::string& part = "") const {
        const auto lines = peer.lines();
        return static_cast<int>(std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
            return StartsWith(line, prefix) && line.find(part) != std::string::npos;
        }));
    }

    // One action a second: the talk and the whisper that open the script come within two seconds,
    // and the first member leaves only with the fourth.
    TestServerProcess server{{"--demo", "--demo-pace", "1000"}};
};

TEST_F(DemoServer, NewcomerMeetsTheMembersAndTheirTalk) {
    TextPeer visitor(server.port(), "Visitor", "Morva Demo");
    ASSERT_TRUE(visitor.waitFor("1001 USER Visitor")) << "the channel list ends with the newcomer";
    const std::vector<std::string> listed = {
        "1001 USER Ashlynn 0012 [W3XP]",  "1001 USER Brakka 0010 [D2XP]", "1001 USER Corvin 0010 [STAR]",
        "1001 USER Delphine 0010 [CHAT]", "1001 USER Ezio 0010 [WAR3]",   "1001 USER Visitor 0010 [CHAT]"};
    const auto lines = visitor.lines();
    EXPECT_TRUE(std::search(lines.begin(), lines.end(), listed.begin(), listed.end()) != lines.end())
        << "the members in the order they joined, the first as operator";

    visitor.say("/who Morva Demo");
    EXPECT_TRUE(
        visitor.waitFor("1018 INFO \"Users in channel Morva Demo: Ashlynn Brakka Corvin Delphine Ezio "
                        "Visitor\""));
    visitor.say("/w Corvin hello there");
    EXPECT_TRUE(visitor.waitFor("1010 WHISPER Corvin 0010 \"hello there\"")) << "members take whispers";

    ASSERT_TRUE(RunUntil([&] {
        return countOf(visitor, "1005 TALK ", "example.") > 0 && countOf(visitor, "1004 WHISPER ") > 0;
    }));
    EXPECT_EQ(countOf(visitor, "1004 WHISPER Corvin "), 1) << "a scripted whisper reaches the newcomer once";
}

TEST_F(DemoServer, ARealLogonTakesAMembersNameOver) {
    TextPeer visitor(server.port(), "Visitor", "Morva Demo");
    TextPeer brakka(server.port(), "Brakka", "Morva Demo");
    ASSERT_TRUE(visitor.waitFor("1002 JOIN Brakka 0010 [CHAT]"));
    EXPECT_EQ(countOf(visitor, "1003 LEAVE Brakka"), 1)
        << "the scripted Brakka goes before the real one comes";
    visitor.say("/who Morva Demo");
    EXPECT_TRUE(
        visitor.waitFor("1018 INFO \"Users in channel Morva Demo: Ashlynn Corvin Delphine Ezio Visitor "
                        "Brakka\""));
}

}  // namespace
}  // namespace morva::testing
