#include "sessions/binary_session.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sessions/double_hash.h"
#include "sessions/overloaded.h"
#include "sessions/session_samples.h"

namespace morva::testing {
namespace {

using namespace std::string_literals;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::string Describe(const BinaryEvent& event) {
    return std::visit(Overloaded{
                          [](const AuthInfoReply& e) { return "auth info " + std::to_string(e.serverToken); },
                          [](const AuthCheckReply& e) { return "auth check " + std::to_string(e.result); },
                          [](const LogonReply& e) { return "logon " + std::to_string(e.result); },
                          [](const ChatEvent& e) { return testing::Describe(e); },
                          [](const BrokenStream& e) { return "broken " + std::to_string(e.length); },
                      },
                      event);
}

// Every event the session has now, each read before the next is asked for.
std::vector<std::string> Drain(BinarySession& session) {
    std::vector<std::string> events;
    while (const auto event = session.next()) events.push_back(Describe(*event));
    return events;
}

std::vector<std::string> Feed(BinarySession& session, const std::string& bytes) {
    session.feed(bytes);
    return Drain(session);
}

std::string LogonReplyPacket(std::uint32_t result) {
    return Packet(0x3A, Dword(result));
}

std::string AuthInfoPacket(std::uint32_t token) {
    return Packet(0x50, Dword(0) + Dword(token) + Dword(0) + std::string(8, '\0') + "ver.mpq" + '\0');
}

// A stream of every kind of packet the session reads, and one it passes over.
std::string Conversation() {
    return AuthInfoPacket(0xDEADBEEF) + Packet(0x25, Dword(7)) + LogonReplyPacket(0) +
           ChatEventPacket(0x07, 0, 0, "MorvaBot", "Op Test") +
           ChatEventPacket(0x02, 0x10, 32, "Bob", "TAHC") +
           ChatEventPacket(0x05, 0x12, 0, "Bob", "hi \"there\"") + Packet(0x51, Dword(0x101));
}

const std::vector<std::string> ConversationEvents = {
    "auth info 3735928559",
    "logon 0",
    "1007 ping=0 text=Op Test",
    "1002 name=Bob flags=0010 product=[CHAT] ping=32 text=",
    "1005 name=Bob flags=0012 ping=0 text=hi \"there\"",
    "auth check 257",
};

TEST(BinarySessionFraming, TwoPacketsInOneReadComeInOrder) {
    BinarySession session;
    EXPECT_THAT(Feed(session, LogonReplyPacket(1) + LogonReplyPacket(2)), ElementsAre("logon 1", "logon 2"));
}

TEST(BinarySessionFraming, AStreamCutAnywhereGivesTheSameEvents) {
    const std::string stream = Conversation();
    for (std::size_t cut = 0; cut <= stream.size(); ++cut) {
        SCOPED_TRACE(cut);
        BinarySession session;
        std::vector<std::string> events = Feed(session, stream.substr(0, cut));
        for (const auto& event : Feed(session, stream.substr(cut))) events.push_back(event);
        EXPECT_EQ(events, ConversationEvents);
    }
}

TEST(BinarySessionFraming, AStreamInReadsOfAnySizeGivesTheSameEvents) {
    const std::string stream = Conversation();
    for (std::size_t size = 1; size <= 9; ++size) {
        SCOPED_TRACE(size);
        BinarySession session;
        std::vector<std::string> events;
        for (std::size_t at = 0; at < stream.size(); at += size)
            for (const auto& event : Feed(session, stream.substr(at, size))) events.push_back(event);
        EXPECT_EQ(events, ConversationEvents);
    }
}

TEST(BinarySessionFraming, ReadsFedBeforeTheEventsAreTakenAreKept) {
    const std::string stream = Conversation();
    BinarySession session;
    session.feed(stream.substr(0, 70));
    session.feed(stream.substr(70));
    EXPECT_EQ(Drain(session), ConversationEvents);
}

TEST(BinarySessionFraming, APacketWaitsUntilItIsWhole) {
    const std::string packet = LogonReplyPacket(2);
    BinarySession session;
    EXPECT_THAT(Feed(session, packet.substr(0, 3)), IsEmpty());
    EXPECT_THAT(Feed(session, packet.substr(3, 3)), IsEmpty());
    EXPECT_THAT(Feed(session, packet.substr(6)), ElementsAre("logon 2"));
}

TEST(BinarySessionFraming, AFourBytePacketAtTheEndWaitsForMoreBytes) {
    BinarySession session;
    EXPECT_THAT(Feed(session, "\xFF\x51\x04\x00"s), IsEmpty());
    EXPECT_THAT(Feed(session, LogonReplyPacket(2)), ElementsAre("auth check 0", "logon 2"))
        << "the header-only packet reads its missing DWORD as 0";
}

TEST(BinarySessionFraming, TheLongestLengthIsAPacket) {
    const std::string packet = Packet(0x3A, Dword(1) + std::string(32767 - 8, 'x'));
    ASSERT_EQ(packet.substr(2, 2), "\xFF\x7F"s);
    BinarySession session;
    EXPECT_THAT(Feed(session, packet.substr(0, 32766)), IsEmpty());
    EXPECT_THAT(Feed(session, packet.substr(32766) + LogonReplyPacket(2)), ElementsAre("logon 1", "logon 2"));
}

TEST(BinarySessionFraming, ABadLengthBreaksTheStreamOnce) {
    const struct {
        std::string length;
        int value;
    } cases[] = {
        {"\x00\x00"s, 0},
        {"\x03\x00"s, 3},
        {"\x00\x80"s, -32768},
        {"\xFF\xFF"s, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        BinarySession session;
        const std::string broken = "\xFF\x0F"s + c.length + std::string(10, 'x');
        EXPECT_THAT(Feed(session, LogonReplyPacket(1) + broken + LogonReplyPacket(2)),
                    ElementsAre("logon 1", "broken " + std::to_string(c.value)));
        EXPECT_THAT(Feed(session, LogonReplyPacket(0)), IsEmpty()) << "nothing after a break";
        EXPECT_THAT(Drain(session), IsEmpty());
        session.reset();
        EXPECT_THAT(Feed(session, LogonReplyPacket(0)), ElementsAre("logon 0")) << "until a reset";
    }
}

TEST(BinarySessionFraming, ResetForgetsAHalfPacketAndTheToken) {
    BinarySession session;
    Feed(session, AuthInfoPacket(0x1234));
    EXPECT_THAT(Feed(session, "\xFF\x3A\x08\x00\x02"s), IsEmpty());
    session.reset();
    EXPECT_EQ(session.serverToken(), 0u);
    EXPECT_THAT(Feed(session, LogonReplyPacket(1)), ElementsAre("logon 1"));
}

TEST(BinarySessionReplies, ReadTheirResultsAndTheToken) {
    const struct {
        const char* what;
        std::string packet;
        const char* event;
    } cases[] = {
        {"auth info", AuthInfoPacket(0xDEADBEEF), "auth info 3735928559"},
        {"auth info without the token", Packet(0x50, Dword(0) + "\x01\x02"s), "auth info 0"},
        {"auth check passed", Packet(0x51, Dword(0) + "x"), "auth check 0"},
        {"auth check failed", Packet(0x51, Dword(0x101)), "auth check 257"},
        {"auth check negative", Packet(0x51, Dword(0xFFFFFFFF)), "auth check -1"},
        {"logged on", LogonReplyPacket(0), "logon 0"},
        {"no such account", LogonReplyPacket(1), "logon 1"},
        {"wrong password", LogonReplyPacket(2), "logon 2"},
        {"logon reply cut short", Packet(0x3A, "\x02\x00"s), "logon 0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        BinarySession session;
        EXPECT_THAT(Feed(session, c.packet), ElementsAre(c.event));
    }
}

TEST(BinarySessionReplies, TheLastAuthInfoTokenIsKept) {
    BinarySession session;
    EXPECT_EQ(session.serverToken(), 0u);
    Feed(session, AuthInfoPacket(7) + AuthInfoPacket(0xCAFEF00D));
    EXPECT_EQ(session.serverToken(), 0xCAFEF00Du);
}

TEST(BinarySessionReplies, OtherPacketsAndShortChatEventsArePassedOver) {
    const std::string shortEvent = ChatEventPacket(0x05, 0, 0, "Bob", "hi").substr(0, 11);
    const std::string framedShortEvent = Packet(0x0F, shortEvent.substr(4));
    BinarySession session;
    EXPECT_THAT(Feed(session, Packet(0x25, Dword(1)) + Packet(0x0A, "x") + Packet(0x00, "") +
                                  framedShortEvent + LogonReplyPacket(2)),
                ElementsAre("logon 2"));
}

TEST(BinarySessionEvents, ViewsStayValidWhileTheCallerReadsThem) {
    BinarySession session;
    session.feed(ChatEventPacket(0x02, 0x10, 32, "Bob", "TAHC") +
                 ChatEventPacket(0x01, 0x02, 5, "Ann", "PX3W"));
    const auto first = session.next();
    ASSERT_TRUE(first.has_value());
    const ChatEvent& join = std::get<ChatEvent>(*first);
    EXPECT_EQ(testing::Describe(join), "1002 name=Bob flags=0010 product=[CHAT] ping=32 text=");
    const auto second = session.next();
    ASSERT_TRUE(second.has_value());
    EXPECT_EQ(testing::Describe(std::get<ChatEvent>(*second)),
              "1001 name=Ann flags=0002 product=[W3XP] ping=5 text=");
}

TEST(BinarySessionEvents, TheFriendsEchoReadsLikeItsLine) {
    BinarySession session;
    EXPECT_THAT(Feed(session, ChatEventPacket(0x0A, 0, 0, "MorvaBot friends", "hi all")),
                ElementsAre("1010 name=MorvaBot flags=friends ping=0 text=hi all"));
}

TEST(BinarySessionSend, BuildsTheLogonPacketsByteForByte) {
    BinarySession session;
    Feed(session, AuthInfoPacket(0xDEADBEEF));
    const std::string authBody =
        Dword(0) + "68XI" + "RATS" + std::string(24, '\0') + "USA" + '\0' + "United States" + '\0';
    const struct {
        const char* what;
        std::string bytes;
        std::string expected;
    } cases[] = {
        {"protocol byte", BinarySession::protocolByte(), "\x01"},
        {"auth info", BinarySession::authInfo("star"), Packet(0x50, authBody)},
        {"client code upper-cased, ASCII only", BinarySession::authInfo("w3\xE9x"),
         Packet(0x50, Dword(0) + "68XI" +
                          "X\xE9"
                          "3W" +
                          std::string(24, '\0') + "USA" + '\0' + "United States" + '\0')},
        {"proof from the password as given", session.logonResponse2("Secret", "bot1"),
         Packet(0x3A, Dword(0) + Dword(0xDEADBEEF) + DoubleHash("Secret", 0xDEADBEEF) + "bot1" + '\0')},
        {"join", BinarySession::joinChannel("Op Test"), Packet(0x0C, Dword(2) + "Op Test" + '\0')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.bytes, c.expected);
    }
    EXPECT_EQ(BinarySession::authInfo("star").size(), 58u);
    EXPECT_EQ(BinarySession::joinChannel("Op Test").size(), 16u);
}

TEST(BinarySessionSend, TheProofUsesTheTokenOfThisConnection) {
    BinarySession session;
    EXPECT_EQ(session.logonResponse2("pw", "u"),
              Packet(0x3A, Dword(0) + Dword(0) + DoubleHash("pw", 0) + "u" + '\0'));
    Feed(session, AuthInfoPacket(42));
    EXPECT_EQ(session.logonResponse2("pw", "u"),
              Packet(0x3A, Dword(0) + Dword(42) + DoubleHash("pw", 42) + "u" + '\0'));
}

TEST(BinarySessionSend, ChatCommandTakesTextsThatFitOnePacket) {
    EXPECT_EQ(BinarySession::chatCommand("hi"), Packet(0x0E, "hi\0"s));
    EXPECT_EQ(BinarySession::chatCommand(""), Packet(0x0E, "\0"s));
    const std::string longest(BinarySession::MaxChatText, 'x');
    const auto packet = BinarySession::chatCommand(longest);
    ASSERT_TRUE(packet.has_value());
    EXPECT_EQ(packet->substr(0, 4), "\xFF\x0E\xFF\x7F"s);
    EXPECT_EQ(BinarySession::chatCommand(longest + 'x'), std::nullopt);
}

TEST(BinarySessionSend, APacketTooLongForItsLengthFieldIsNotBuilt) {
    const std::string tooLong(32767, 'x');
    EXPECT_EQ(BinarySession::joinChannel(tooLong), "");
    EXPECT_EQ(BinarySession::authInfo(tooLong), "");
    EXPECT_EQ(BinarySession().logonResponse2("pw", tooLong), "");
}

}  // namespace
}  // namespace morva::testing
