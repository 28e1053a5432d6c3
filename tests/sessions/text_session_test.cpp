#include "sessions/text_session.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sessions/overloaded.h"
#include "sessions/session_samples.h"

namespace morva::testing {
namespace {

using namespace std::string_literals;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::string Describe(const TextEvent& event) {
    return std::visit(
        Overloaded{
            [](const FriendAdded& e) { return "friend " + e.account + " " + e.product + " " + e.location; },
            [](const ChatEvent& e) { return testing::Describe(e); },
            [](const OverlongLine&) { return std::string("overlong"); },
        },
        event);
}

std::vector<std::string> Drain(TextSession& session) {
    std::vector<std::string> events;
    while (const auto event = session.next()) events.push_back(Describe(*event));
    return events;
}

std::vector<std::string> Feed(TextSession& session, std::string_view chunk) {
    session.feed(chunk);
    return Drain(session);
}

// Chunks fed one after the other, each with the events it gives.
struct Step {
    std::string chunk;
    std::vector<std::string> events;
};
struct ChunkCase {
    const char* what;
    std::vector<Step> steps;
};

void ExpectSteps(const std::vector<ChunkCase>& cases) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TextSession session;
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(Feed(session, c.steps[i].chunk), c.steps[i].events);
        }
    }
}

const std::string Talk = "1005 name=Joe flags=0000 ping=0 text=hi";

TEST(TextSession, GivesTheEventOfEachCompleteLine) {
    ExpectSteps({
        {"lines in order",
         {{"1002 JOIN Ann 0010 [STAR] 0\r\n1002 JOIN Bob 0010 [CHAT] 7\r\n1003 LEAVE Ann\r\n",
           {"1002 name=Ann flags=0010 product=[STAR] ping=0 text=",
            "1002 name=Bob flags=0010 product=[CHAT] ping=7 text=", "1003 name=Ann ping=0 text="}}}},
        {"numbers out of range give nothing",
         {{"1000 TALK A 0000 \"a\"\r\n3001 X\r\n\r\nhello\r\n1005 TALK Joe 0000 \"hi\"\r\n2010 NAME Bot\r\n",
           {Talk, "2010 name=Bot ping=0 text="}}}},
        {"quotes inside the text",
         {{"1005 TALK Joe 0000 \"say \"hi\" \"\"\r\n",
           {"1005 name=Joe flags=0000 ping=0 text=say \"hi\" \""}}}},
        {"a leading line feed is dropped",
         {{"1003 LEAVE Ann\r\n\n1003 LEAVE Bob\r\n",
           {"1003 name=Ann ping=0 text=", "1003 name=Bob ping=0 text="}}}},
        {"a lone CR stays in its line",
         {{"1005 TALK Joe 0000 \"a\rb\"\r", {}},
          {"x\"\r\n", {"1005 name=Joe flags=0000 ping=0 text=a\rb\"\rx"}}}},
        {"a lone LF stays in its line",
         {{"1005 TALK Joe 0000 \"a\nb\"\r\n", {"1005 name=Joe flags=0000 ping=0 text=a\nb"}}}},
    });
}

TEST(TextSession, LinesWaitForTheirLineEnd) {
    ExpectSteps({
        {"a line over three chunks", {{"1005 TALK Joe 0000 \"h", {}}, {"i\"", {}}, {"\r\n", {Talk}}}},
        {"CR LF cut between CR and LF", {{"1005 TALK Joe 0000 \"hi\"\r", {}}, {"\n", {Talk}}}},
        {"CR LF cut and the next line after it",
         {{"1005 TALK Joe 0000 \"hi\"\r", {}},
          {"\n1003 LEAVE Joe\r\n", {Talk, "1003 name=Joe ping=0 text="}}}},
        {"a CR that is not followed by LF",
         {{"1005 TALK Joe 0000 \"hi\"\r", {}}, {"\r\n", {"1005 name=Joe flags=0000 ping=0 text=hi\""}}}},
        {"empty chunks", {{"", {}}, {"1005 TALK Joe 0000 \"hi\"\r\n", {Talk}}, {"", {}}}},
    });
}

TEST(TextSession, AStreamCutAnywhereGivesTheSameEvents) {
    const std::string stream =
        "1007 CHANNEL \"Op Test\"\r\n\n1002 JOIN Ann 0010 [STAR] 0\r\n1005 TALK Ann 0010 \"a \"b\"\"\r\n1003 "
        "LEAVE Ann\r\n";
    const std::vector<std::string> expected = {
        "1007 ping=0 text=Op Test", "1002 name=Ann flags=0010 product=[STAR] ping=0 text=",
        "1005 name=Ann flags=0010 ping=0 text=a \"b\"", "1003 name=Ann ping=0 text="};
    for (std::size_t first = 0; first <= stream.size(); ++first) {
        for (const std::size_t second : {first, (first + stream.size()) / 2, stream.size()}) {
            SCOPED_TRACE(std::to_string(first) + " " + std::to_string(second));
            TextSession session;
            std::vector<std::string> events;
            for (const auto& piece :
                 {stream.substr(0, first), stream.substr(first, second - first), stream.substr(second)})
                for (const auto& event : Feed(session, piece)) events.push_back(event);
            EXPECT_EQ(events, expected);
        }
    }
}

TEST(TextSession, AnUnfinishedEndPastTheLimitIsDroppedUpToItsLineEnd) {
    const std::string limit(TextSession::MaxPendingLine, 'x');
    ExpectSteps({
        {"exactly the limit waits", {{limit, {}}, {"\r\n" + "1005 TALK Joe 0000 \"hi\"\r\n"s, {Talk}}}},
        {"one byte more is dropped with one event, then its rest",
         {{limit, {}},
          {"y", {"overlong"}},
          {"the rest of the long line", {}},
          {" still\r", {}},
          {"\n1005 TALK Joe 0000 \"hi\"\r\n", {Talk}}}},
        {"the lines of the chunk come first",
         {{"1003 LEAVE Ann\r\n" + limit + "y", {"1003 name=Ann ping=0 text=", "overlong"}},
          {"z\r\n1005 TALK Joe 0000 \"hi\"\r\n", {Talk}}}},
        {"the rest may end in the same chunk",
         {{limit + "y", {"overlong"}},
          {"z\r\n1005 TALK Joe 0000 \"hi\"\r\n" + limit + "y", {Talk, "overlong"}}}},
        {"a complete long line is no overlong line",
         {{"1005 TALK Joe 0000 \"" + limit + "\"\r\n", {"1005 name=Joe flags=0000 ping=0 text=" + limit}}}},
        {"a CR ending the dropped end may be half of its line end",
         {{limit + "\r", {"overlong"}}, {"\n1005 TALK Joe 0000 \"hi\"\r\n", {Talk}}}},
        {"a CR ending a skipped piece may be half of its line end",
         {{limit + "y", {"overlong"}}, {"zz\r", {}}, {"\n1005 TALK Joe 0000 \"hi\"\r\n", {Talk}}}},
        {"a CR inside a skipped piece is not a line end",
         {{limit + "y", {"overlong"}},
          {"\r", {}},
          {"z\n1005 TALK Joe 0000 \"hi\"\r\n", {}},
          {"1003 LEAVE Ann\r\n", {"1003 name=Ann ping=0 text="}}}},
        {"a limit reached again is dropped again",
         {{limit + "y", {"overlong"}}, {"\r\n" + limit, {}}, {"y", {"overlong"}}}},
    });
}

TEST(TextSession, ALongLineDrippedByteByByteIsDroppedOnce) {
    TextSession session;
    std::vector<std::string> events;
    const std::string stream =
        std::string(TextSession::MaxPendingLine + 100, 'x') + "\r\n1005 TALK Joe 0000 \"hi\"\r\n";
    for (const char byte : stream)
        for (const auto& event : Feed(session, std::string_view(&byte, 1))) events.push_back(event);
    EXPECT_THAT(events, ElementsAre("overlong", Talk));
}

TEST(TextSession, TheFriendNoticeOfAChunkComesBeforeItsLines) {
    const std::string alice = FriendAddedMessage("Alice", "STAR", "Lobby");
    const std::string limit(TextSession::MaxPendingLine, 'x');
    ExpectSteps({
        {"before the lines", {{"1005 TALK Joe 0000 \"hi\"\r\n" + alice, {"friend Alice STAR Lobby", Talk}}}},
        {"before the line the chunk completes",
         {{"1005 TALK Joe 0000 \"", {}}, {"hi\"\r\n" + alice, {"friend Alice STAR Lobby", Talk}}}},
        {"also in a chunk that is dropped",
         {{limit + "y", {"overlong"}}, {"zz" + alice, {"friend Alice STAR Lobby"}}}},
        {"and before the overlong event", {{alice + limit, {"friend Alice STAR Lobby", "overlong"}}}},
        {"only a whole message in one chunk", {{alice.substr(0, 8), {}}, {alice.substr(8), {}}}},
    });
}

TEST(TextSession, ChunksFedBeforeTheirEventsAreTakenKeepTheirOrder) {
    const std::string limit(TextSession::MaxPendingLine, 'x');
    TextSession session;
    session.feed("1003 LEAVE Ann\r\n1005 TALK Joe 0000 \"h");
    session.feed("i\"\r\n1003 LEAVE Bob\r\n" + limit + "y" + FriendAddedMessage("Al", "STAR", "Home"));
    session.feed("z\r\n1003 LEAVE Cy\r\n" + FriendAddedMessage("Bo", "W3XP", "Lobby"));
    EXPECT_THAT(Drain(session), ElementsAre("1003 name=Ann ping=0 text=", "friend Al STAR Home", Talk,
                                            "1003 name=Bob ping=0 text=", "overlong", "friend Bo W3XP Lobby",
                                            "1003 name=Cy ping=0 text="));
}

TEST(TextSession, ChunksFedWhileEventsAreTakenKeepTheirOrder) {
    TextSession session;
    session.feed("1003 LEAVE Ann\r\n1003 LEAVE Bob\r\n1003 LE");
    const auto first = session.next();
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(Describe(*first), "1003 name=Ann ping=0 text=");
    session.feed("AVE Cy\r\n");
    EXPECT_THAT(Drain(session), ElementsAre("1003 name=Bob ping=0 text=", "1003 name=Cy ping=0 text="));
}

TEST(TextSession, ViewsStayValidWhileTheCallerReadsThem) {
    TextSession session;
    session.feed("1002 JOIN Ann 0010 [STAR] 5\r\n1005 TALK Ann 0010 \"hello\"\r\n");
    const auto join = session.next();
    ASSERT_TRUE(join.has_value());
    EXPECT_EQ(testing::Describe(std::get<ChatEvent>(*join)),
              "1002 name=Ann flags=0010 product=[STAR] ping=5 text=");
    const auto talk = session.next();
    ASSERT_TRUE(talk.has_value());
    EXPECT_EQ(testing::Describe(std::get<ChatEvent>(*talk)), "1005 name=Ann flags=0010 ping=0 text=hello");
}

TEST(TextSession, ResetForgetsEverythingOfTheOldConnection) {
    const std::string limit(TextSession::MaxPendingLine, 'x');
    const struct {
        const char* what;
        std::string before;
    } cases[] = {
        {"an unfinished line", "1005 TALK Joe 0000 \"from the old connection"},
        {"a half line end", "1005 TALK Joe 0000 \"old\"\r"},
        {"the rest of a dropped line", limit + "y"},
        {"events not taken", "1003 LEAVE Ann\r\n" + FriendAddedMessage("Al", "STAR", "Home")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TextSession session;
        session.feed(c.before);
        session.reset();
        EXPECT_THAT(Feed(session, "\n1005 TALK Joe 0000 \"hi\"\r\n"), ElementsAre(Talk));
    }
}

TEST(TextSession, LogonLineHoldsAccountPasswordAndJoin) {
    EXPECT_EQ(TextSession::logonLine("bot1", "Secret", "Op Test"),
              "\x03\x04"
              "bot1\r\nSecret\r\n/join Op Test\r\n");
}

}  // namespace
}  // namespace morva::testing
