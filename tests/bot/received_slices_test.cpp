// A flood is handled in slices with turns of the event loop between them. Whatever the slices, the
// bot must do what it does when each event arrives on its own: lines, member changes and commands in
// the order of the bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "connection/connection.h"
#include "output/program_texts.h"
#include "support/bot_fixture.h"
#include "support/packets.h"

namespace morva::testing {
namespace {

// One event of the flood in each protocol's bytes.
struct Event {
    std::string binary, text;
};

Event Join(const std::string& name) {
    return {ChatEventPacket(0x02, 0x10, 30, name, "PXES"), "1002 JOIN " + name + " 0010 [SEXP]\r\n"};
}
Event Leave(const std::string& name) {
    return {ChatEventPacket(0x03, 0x10, 30, name, ""), "1003 LEAVE " + name + " 0010\r\n"};
}
Event Talk(const std::string& name, const std::string& text) {
    return {ChatEventPacket(0x05, 0x10, 30, name, text), "1005 TALK " + name + " 0010 \"" + text + "\"\r\n"};
}

// Members come and go and talk; now and then the master gives a command that the bot answers at
// once. Several slices long.
std::vector<Event> Flood() {
    std::vector<Event> events;
    for (int i = 0; events.size() < 3 * Connection::SliceEvents + 40; ++i) {
        const std::string name = "user" + std::to_string(i);
        events.push_back(Join(name));
        events.push_back(Talk(name, "line " + std::to_string(i)));
        if (i % 5 == 4) events.push_back(Leave("user" + std::to_string(i - 2)));
        if (i % 9 == 8) events.push_back(Talk("Boss", "!say go " + std::to_string(i)));
    }
    return events;
}

// What the bot has done: each line it sent, with the chat lines and members there were as it went
// out, then the chat pane and the member list at the end.
struct Journal {
    std::vector<std::string> sends, lines, members;
};

class ReceivedSlices : public BotFixture, public ::testing::WithParamInterface<bool> {
protected:
    bool binary() const { return GetParam(); }

    void start() {
        config.Master = "Boss";
        config.Trigger = "!";
        sockets.made[0]->onSend = nullptr;
        connect(binary());
        sockets.made[0]->onSend = [this](const std::string& bytes) {
            journal.sends.push_back(bytes + " | lines " + std::to_string(chat.lines().size()) + ", members " +
                                    std::to_string(members.count()));
        };
    }
    std::string bytesOf(const Event& event) const { return binary() ? event.binary : event.text; }
    Journal finished() {
        journal.lines = chatLines();
        journal.members.clear();
        for (const MemberRow& row : members.rows()) journal.members.push_back(row.name);
        return journal;
    }

    Journal journal;
};

TEST_P(ReceivedSlices, OneReadOrOneEventAtATimeTheBotDoesTheSameInTheSameOrder) {
    const std::vector<Event> flood = Flood();

    start();
    for (const Event& event : flood) receive(bytesOf(event));
    const Journal eventByEvent = finished();
    ASSERT_GT(eventByEvent.sends.size(), 20u);

    bot.connection.Bot_Disconnect();
    journal = Journal{};
    start();
    std::string all;
    for (const Event& event : flood) all += bytesOf(event);
    // The flood comes in two reads, the second cut inside an event, while the first is handled.
    const std::size_t cut = all.size() - 7;
    receive(all.substr(0, cut));
    const std::size_t afterOneSlice = chat.lines().size();
    receive(all.substr(cut));
    EXPECT_EQ(chat.lines().size(), afterOneSlice) << "a later read waits for the slices of earlier ones";
    EXPECT_LT(afterOneSlice, eventByEvent.lines.size()) << "the rest waits for the event loop's next turn";
    clock.advance(0);

    const Journal sliced = finished();
    EXPECT_EQ(sliced.sends, eventByEvent.sends);
    EXPECT_EQ(sliced.lines, eventByEvent.lines);
    EXPECT_EQ(sliced.members, eventByEvent.members);
}

TEST_P(ReceivedSlices, WhatCameBeforeTheServerClosedIsHandledBeforeTheConnectionEnds) {
    start();
    std::string all;
    for (int i = 0; i < 2 * Connection::SliceEvents; ++i)
        all += bytesOf(Talk("Joe", "n" + std::to_string(i)));
    receive(all);
    sockets.made[0]->peerClose();
    EXPECT_NE(shell.caption(), std::string(TitleText) + "; Disconnected.")
        << "not before its data is handled";
    clock.advance(0);
    const std::vector<std::string> lines = chatLines();
    const auto last = std::ranges::find(lines, "Joe: n" + std::to_string(2 * Connection::SliceEvents - 1));
    ASSERT_NE(last, lines.end());
    EXPECT_NE(std::find(last, lines.end(),
                        "Bot: Connecting to: " + config.Server + ":" + std::to_string(config.Port) + "."),
              lines.end())
        << "then the connection ends and the bot reconnects";
    EXPECT_EQ(shell.caption(), std::string(TitleText) + "; Disconnected.");
}

TEST_P(ReceivedSlices, AFloodFasterThanTheBotStopsTheSocketReadingUntilTheBacklogIsDown) {
    start();
    std::string read;
    int talks = 0;
    while (read.size() <= Connection::MaxUnreadBytes)
        read += bytesOf(Talk("Joe", "n" + std::to_string(talks++)));
    receive(read);
    EXPECT_FALSE(sockets.made[0]->reading) << "more than the backlog may hold waits in the system";
    clock.advance(0);
    EXPECT_TRUE(sockets.made[0]->reading);
    EXPECT_EQ(chatLines().back(), "Joe: n" + std::to_string(talks - 1));
}

INSTANTIATE_TEST_SUITE_P(BothProtocols, ReceivedSlices, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Binary" : "Text"; });

}  // namespace
}  // namespace morva::testing
