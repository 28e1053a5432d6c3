// The two roads of a binary chat event. The binary session once wrote each SID_CHATEVENT as a
// text-protocol event line and let the text rules read it back; now it makes the typed event itself.
// Generated events go both ways: a binary bot receives the packets, a text bot receives the lines
// the old road made of them, and everything the two show and send is compared.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "bot/bot.h"
#include "output/palette.h"
#include "support/bot_fixture.h"
#include "support/packets.h"

namespace morva::testing {
namespace {

// The old road: the event line a SID_CHATEVENT became. Every generated packet holds its flags, so
// the old road's "no line for a packet too short" never comes up.

std::uint32_t PacketDword(const std::string& packet, std::size_t offset) {
    if (packet.size() < offset + 4) return 0;
    std::uint32_t value = 0;
    for (std::size_t i = 4; i-- > 0;) value = (value << 8) | static_cast<unsigned char>(packet[offset + i]);
    return value;
}

std::string PacketString(const std::string& packet, std::size_t offset) {
    if (offset >= packet.size()) return {};
    return packet.substr(offset, packet.find('\0', offset) - offset);
}

std::string FourDigits(std::int64_t value) {
    std::string digits = std::to_string(value < 0 ? -value : value);
    if (digits.size() < 4) digits.insert(0, 4 - digits.size(), '0');
    return value < 0 ? "-" + digits : digits;
}

std::string OldFlags(std::int32_t flags) {
    const unsigned high = (static_cast<std::uint32_t>(flags) >> 4) & 0x0F;
    const unsigned low = static_cast<std::uint32_t>(flags) & 0x0F;
    if (high > 9 || low > 9) return FourDigits(flags);
    return FourDigits(high * 10 + low);
}

std::string OldProduct(const std::string& text) {
    const std::string code = text.substr(0, 4);
    return std::string(code.rbegin(), code.rend());
}

std::string ChatEventToLine(const std::string& packet) {
    const std::string name = PacketString(packet, 28);
    const std::string text = PacketString(packet, 28 + name.size() + 1);
    const std::string nameFlags = name + " " + OldFlags(static_cast<std::int32_t>(PacketDword(packet, 8)));
    const std::string userTail =
        " [" + OldProduct(text) + "] " + std::to_string(static_cast<std::int32_t>(PacketDword(packet, 12)));
    const std::string quoted = '"' + text + '"';
    switch (static_cast<unsigned char>(packet[4])) {
        case 0x01:
            return "1001 USER " + nameFlags + userTail;
        case 0x02:
            return "1002 JOIN " + nameFlags + userTail;
        case 0x03:
            return "1003 LEAVE " + name;
        case 0x04:
            return "1004 WHISPER " + nameFlags + " " + quoted;
        case 0x05:
            return "1005 TALK " + nameFlags + " " + quoted;
        case 0x07:
            return "1007 CHANNEL " + quoted;
        case 0x09:
            return "1009 USER " + nameFlags;
        case 0x0A:
            return "1010 WHISPER " + nameFlags + " " + quoted;
        case 0x12:
            return "1018 INFO " + quoted;
        case 0x13:
            return "1019 Error " + quoted;
        case 0x17:
            return "1023 EMOTE " + nameFlags + " " + quoted;
        default:
            return "1006 BROADCAST " + packet;
    }
}

// Why the old road may read an event otherwise than the new one: its line is split at blanks and
// cut at the first quote, the text protocol's CR LF ends it early, its ping field holds nine digits
// at most, and a broadcast's line carries the whole packet, whose bytes the text session reads as
// data (CR LF ends lines, 0xFF 0x67 starts a friend notice).
std::string SecondWord(const std::string& text) {
    const std::size_t blank = text.find(' ');
    if (blank == std::string::npos) return {};
    return text.substr(blank + 1, text.find(' ', blank + 1) - blank - 1);
}

std::set<std::string> OldRoadHazards(const std::string& packet) {
    const std::string name = PacketString(packet, 28);
    const std::string text = PacketString(packet, 28 + name.size() + 1);
    const std::int64_t ping = static_cast<std::int32_t>(PacketDword(packet, 12));
    const auto holds = [](const std::string& s, const char* what) {
        return s.find(what) != std::string::npos;
    };
    std::set<std::string> hazards;
    const auto field = [&](const std::string& value, const std::string& what) {
        if (holds(value, " ")) hazards.insert("blank in " + what);
        if (holds(value, "\"")) hazards.insert("quote in " + what);
        if (holds(value, "\r\n")) hazards.insert("CR LF in " + what);
    };
    const unsigned char id = static_cast<unsigned char>(packet[4]);
    const bool named = id == 0x01 || id == 0x02 || id == 0x03 || id == 0x04 || id == 0x05 || id == 0x09 ||
                       id == 0x0A || id == 0x17;
    const bool user = id == 0x01 || id == 0x02;
    const bool texted =
        id == 0x04 || id == 0x05 || id == 0x07 || id == 0x0A || id == 0x12 || id == 0x13 || id == 0x17;
    if (named) field(name, "name");
    // The echo of a whisper to all friends, "X friends", is read as name X and flags "friends" both ways.
    if (id == 0x0A && SecondWord(name) == "friends") hazards.erase("blank in name");
    if (user) field("[" + OldProduct(text) + "]", "product");
    if (user && (ping >= 1000000000 || ping <= -1000000000)) hazards.insert("ping of ten digits");
    if (texted && holds(text, "\r\n")) hazards.insert("CR LF in text");
    if (!named && !texted) {
        if (holds(packet, "\r\n")) hazards.insert("CR LF in broadcast packet");
        if (holds(packet, "\xFF\x67")) hazards.insert("friend marker in broadcast packet");
    }
    return hazards;
}

// Every hazard but a long ping may change what is shown; a ping only reaches the channel model, and no
// pane, row or sent line shows it.
bool MayChangeWhatIsShown(const std::set<std::string>& hazards) {
    return hazards.size() > hazards.count("ping of ten digits");
}

// Bytes made readable for a failure message.
std::string Printable(const std::string& bytes) {
    std::string text;
    for (const unsigned char c : bytes) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            text += static_cast<char>(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            text += escaped;
        }
    }
    return text;
}

std::string Colored(const Runs& runs) {
    std::string text;
    for (const Run& run : runs) {
        char color[16];
        std::snprintf(color, sizeof color, "{%02X%02X%02X}", run.color.r, run.color.g, run.color.b);
        text += color + Printable(run.text);
    }
    return text;
}

// The binary connection tells of each SID_JOINCHANNEL it sends; the text protocol's "/join" is a chat
// line like any other. That line is a difference of the protocols, not of the roads.
bool IsJoinPacketNote(const PaneLine& line) {
    return line.runs == Runs{{ColorGrey, "Bot: Sending SID_JOINCHANNEL..."}};
}

// One bot on test doubles of its own, logged on as MorvaBot with every notification, protection and
// the whisper windows on. What the bot writes to its profile folder changes nothing it shows, so the
// sessions of a road share one folder.
class Road {
public:
    Road(bool binary, const std::filesystem::path& profileDir)
        : bot_(Ports{clock_, sockets_, clock_, chat_, whispers_, members_, shell_}, profileDir),
          binary_(binary) {
        BotConfig& c = bot_.settings.BotConfig;
        c.Username = "MorvaBot";
        c.Master = "Boss";
        c.Trigger = "!";
        c.BackupChannel = "Backup";
        c.ProtectMessage = "Protected";
        c.JoinNotifications = c.LeaveNotifications = c.EmotesEnabled = c.ChannelProtect = c.WhisperWindow =
            true;
        c.Binary = binary;
        c.Server = "chat.test";
        c.Port = 6112;
        bot_.settings.AccesNames = {"Ally"};
        bot_.settings.SafeNames = {"Friend"};
        bot_.settings.FilterPatterns = {"*spam*"};
        bot_.connection.Bot_Connect();
        socket().acceptConnect();
        socket().receive(binary ? AuthInfoReply(7) + LogonReply(0) : "2010 NAME MorvaBot\r\n");
        socket().sent.clear();
        chat_.clear();
        shell_.captionText.clear();
    }
    Road(const Road&) = delete;
    Road& operator=(const Road&) = delete;

    void receive(const std::string& bytes) { socket().receive(bytes); }

    // What the operator sees and what went to the server, one entry per line, row or setting.
    std::vector<std::string> shown() const {
        std::vector<std::string> seen;
        for (const PaneLine& line : chat_.paneLines())
            if (!(binary_ && IsJoinPacketNote(line))) seen.push_back("chat " + Colored(line.runs));
        for (const PaneLine& line : whispers_.paneLines()) seen.push_back("whispers " + Colored(line.runs));
        for (const auto& [slot, pane] : shell_.whisperPanes)
            for (const PaneLine& line : pane.paneLines())
                seen.push_back("window " + std::to_string(slot) + " " + Colored(line.runs));
        for (const auto& [slot, caption] : shell_.whisperCaptions)
            seen.push_back("window caption " + std::to_string(slot) + " " + Printable(caption));
        for (const int slot : shell_.activations) seen.push_back("activated " + std::to_string(slot));
        for (const MemberRow& row : members_.rows()) {
            seen.push_back("row " + Printable(row.name) + " icon " + std::to_string(row.icon) + " tip " +
                           Printable(row.toolTip) + (row.color ? " " + Colored({{*row.color, ""}}) : "") +
                           (row.bold ? " bold" : ""));
        }
        for (const std::string& line : sentLines()) seen.push_back("sent " + Printable(line));
        seen.push_back("caption " + Printable(shell_.captionText));
        seen.push_back("label " + Printable(shell_.channelLabel));
        seen.push_back("tray " + std::to_string(shell_.inTray) + " " + Printable(shell_.trayTip));
        seen.push_back("ends " + std::to_string(shell_.ends));
        return seen;
    }

    // The channel model, pings included.
    std::vector<std::string> model() const {
        std::vector<std::string> seen;
        for (const Member& m : bot_.chat.ChannelUsers) {
            seen.push_back(Printable(m.name) + " " + Printable(m.flags) + " " + Printable(m.product) + " " +
                           std::to_string(m.ping) + " " + std::to_string(m.icon));
        }
        return seen;
    }

private:
    FakeSocket& socket() { return *sockets_.made[0]; }

    // Sent chat lines as text: SID_CHATCOMMAND gives its text, SID_JOINCHANNEL "/join " and its
    // channel; the text protocol's bytes are cut at each CR LF.
    std::vector<std::string> sentLines() const {
        std::vector<std::string> lines;
        if (binary_) {
            for (const std::string& packet : sockets_.made[0]->sent) {
                if (packet[1] == '\x0E') {
                    lines.push_back(PacketString(packet, 4));
                } else if (packet[1] == '\x0C') {
                    lines.push_back("/join " + PacketString(packet, 8));
                } else {
                    lines.push_back("packet " + Printable(packet));
                }
            }
            return lines;
        }
        const std::string bytes = sockets_.made[0]->allSent();
        for (std::size_t start = 0; start < bytes.size();) {
            const std::size_t end = bytes.find("\r\n", start);
            lines.push_back(bytes.substr(start, end == std::string::npos ? end : end - start));
            start = end == std::string::npos ? bytes.size() : end + 2;
        }
        return lines;
    }

    VirtualClock clock_;
    FakeSocketFactory sockets_;
    MemoryPane chat_;
    MemoryPane whispers_;
    MemoryMemberView members_;
    RecordingShell shell_;
    Bot bot_;
    bool binary_;
};

// Seeded generation of short sessions: the bot enters a channel and is listed, then a few events of
// any kind follow. Fields are mostly well-formed; a few carry blanks, quotes, CR LF or odd bytes.
class EventGenerator {
public:
    explicit EventGenerator(std::uint32_t seed) : random_(seed) {}

    std::vector<std::string> session() {
        std::vector<std::string> packets;
        packets.push_back(ChatEventPacket(0x07, 0, 0, "MorvaBot", chance(70) ? "Home" : pick(Channels)));
        const std::uint32_t ownFlags =
            chance(60) ? pick<std::uint32_t>({0x02, 0x12}) : pick<std::uint32_t>({0x00, 0x10});
        packets.push_back(ChatEventPacket(0x01, ownFlags, 50, "MorvaBot", "TAHC"));
        for (int n = 1 + static_cast<int>(random_() % 8); n > 0; --n) packets.push_back(event());
        return packets;
    }

private:
    static inline const std::vector<std::string> Names = {"Joe",  "Ann",    "bob",      "Boss",     "BOSS",
                                                          "Ally", "Friend", "MorvaBot", "morvabot", "x"};
    static inline const std::vector<std::string> OddNames = {"Ann Lee",
                                                             "Jo\"e",
                                                             "Cr\r\nLf",
                                                             " lead",
                                                             "trail ",
                                                             "",
                                                             "\xE9l\xE8ve",
                                                             "Tab\tName",
                                                             "a\rb",
                                                             "a\nb",
                                                             "\xFF\x67"
                                                             "01acct"};
    // How the server names the target of a whisper to all friends, and near misses.
    static inline const std::vector<std::string> FriendsTargets = {
        "Boss friends", "MorvaBot friends", "your friends x", "a  friends", "a friendship"};
    static inline const std::vector<std::string> Stats = {"RATS 0 0 0", "PX3W 1 2", "TAHC", "3RAW", "RHSS",
                                                          "LTRD 1",     "XRB",      "",     "AB"};
    static inline const std::vector<std::string> OddStats = {"RA S 0", "R\"TS", "\r\nAB", "X\r\nY 1"};
    static inline const std::vector<std::string> Channels = {"Home", "Op Test",     "Clan \"X\"",
                                                             "",     "Chan\r\nnel", "\xE9t\xE9"};
    static inline const std::vector<std::string> Talk = {"hi",
                                                         "!say hello",
                                                         "!kick Joe",
                                                         "!kick Jo*",
                                                         "!ban Ann spam",
                                                         "!ban *",
                                                         "!op Joe",
                                                         "!designate Ann",
                                                         "!resign",
                                                         "!ver",
                                                         "?trigger",
                                                         "!bancount",
                                                         "!add Newbie",
                                                         "!safeadd Pal",
                                                         "!protect off",
                                                         "!protect on",
                                                         "!settrigger #",
                                                         "!unban Joe",
                                                         "!join Elsewhere",
                                                         "!hide",
                                                         "!show",
                                                         "!end",
                                                         "spam here",
                                                         "say \"hi\" now",
                                                         "",
                                                         "tail\r",
                                                         "!kick MorvaBot",
                                                         "x\r\n1005 TALK Joe 0000 \"smuggled\"",
                                                         "!say a\r\nb",
                                                         "multi\r\nline",
                                                         "\xE9t\xE9"};
    static inline const std::vector<std::string> Info = {"MorvaBot was kicked out of the channel by Op.",
                                                         "MorvaBot has been kicked by Op (go).",
                                                         "MorvaBot was banned by Op.",
                                                         "Joe was banned by MorvaBot (spam).",
                                                         "Ann has been banned by MorvaBot.",
                                                         "Users in channel Home: Joe Ann",
                                                         "Joe is using Starcraft in channel Home.",
                                                         "That user is not logged on.",
                                                         "a\r\nb",
                                                         ""};
    static inline const std::vector<std::uint32_t> Flags = {0x00, 0x01, 0x02, 0x08, 0x10,  0x12,      0x20,
                                                            0x22, 0x30, 0x0A, 0x1F, 0x102, 0xFFFFFFFF};
    static inline const std::vector<std::int32_t> Pings = {
        0, 32, 156, -1, 999999999, 1000000000, 2147483647, -2147483647 - 1};
    // Known event ids, weighted; 0 stands for an unknown one.
    static inline const std::vector<std::uint32_t> Kinds = {
        0x01, 0x01, 0x02, 0x02, 0x02, 0x03, 0x03, 0x04, 0x04, 0x05, 0x05, 0x05, 0x05,
        0x07, 0x09, 0x09, 0x0A, 0x0A, 0x12, 0x12, 0x12, 0x13, 0x17, 0x17, 0x00, 0x00};
    static inline const std::vector<std::uint32_t> Unknown = {0x00, 0x06, 0x08, 0x0B, 0x0E, 0x0F,
                                                              0x11, 0x14, 0x16, 0x18, 0x30, 0xFF};
    // Bytes of odd names and texts: letters, blanks, quotes, line ends, a trigger, a pattern, high bytes
    // and the friend marker 0xFF 0x67.
    static inline const std::string OddBytes = "ag !*\"\r\n\t\xE9\xFF";

    std::string event() {
        std::uint32_t id = pick(Kinds);
        if (id == 0) id = chance(50) ? pick(Unknown) : random_() & 0xFF;
        // Only the low byte names the event.
        if (chance(10)) id |= static_cast<std::uint32_t>(random_() << 8);
        const std::uint32_t flags = chance(90) ? pick(Flags) : static_cast<std::uint32_t>(random_());
        const std::int32_t ping = chance(90) ? pick(Pings) : static_cast<std::int32_t>(random_());
        const std::string who = name(id & 0xFF);
        return ChatEventPacket(id, flags, ping, who, text(id & 0xFF));
    }

    std::string name(std::uint32_t id) {
        if (chance(5)) return randomBytes();
        if (id == 0x0A && chance(25)) return pick(FriendsTargets);
        return chance(8) ? pick(OddNames) : pick(Names);
    }

    std::string text(std::uint32_t id) {
        if (chance(5)) return randomBytes();
        switch (id) {
            case 0x01:
            case 0x02:
                return chance(10) ? pick(OddStats) : pick(Stats);
            case 0x07:
                return pick(Channels);
            case 0x12:
            case 0x13:
                return pick(Info);
            default:
                return pick(Talk);
        }
    }

    std::string randomBytes() {
        std::string bytes(random_() % 10, ' ');
        for (char& c : bytes) c = OddBytes[random_() % OddBytes.size()];
        return bytes;
    }

    bool chance(unsigned percent) { return random_() % 100 < percent; }

    template <typename T>
    T pick(const std::vector<T>& from) {
        return from[random_() % from.size()];
    }

    // The engine's output is fixed by the standard, so a seed gives the same sessions everywhere.
    std::mt19937 random_;
};

// The first entry where two lists differ, for the message.
std::string FirstDifference(const std::vector<std::string>& newRoad,
                            const std::vector<std::string>& oldRoad) {
    std::size_t i = 0;
    while (i < newRoad.size() && i < oldRoad.size() && newRoad[i] == oldRoad[i]) ++i;
    const auto at = [i](const std::vector<std::string>& list) {
        return i < list.size() ? list[i] : "(nothing)";
    };
    return "new: " + at(newRoad) + "\n  old: " + at(oldRoad);
}

std::string Describe(const std::vector<std::string>& packets) {
    std::string text;
    for (const std::string& packet : packets) text += "\n  " + Printable(ChatEventToLine(packet));
    return text;
}

// How often each hazard came up and how often its sessions differed, alone or with other hazards.
struct Tally {
    int sessions = 0, clean = 0, differing = 0;
    std::map<std::string, int> hazardous, differingWith, differingAlone;
    std::map<std::string, std::string> example;

    void count(const std::set<std::string>& hazards, const std::string& difference) {
        ++sessions;
        if (hazards.empty()) ++clean;
        for (const std::string& hazard : hazards) ++hazardous[hazard];
        if (difference.empty()) return;
        ++differing;
        for (const std::string& hazard : hazards) {
            ++differingWith[hazard];
            // The first session where the hazard stands alone makes the best example.
            if (hazards.size() == 1 && ++differingAlone[hazard] == 1) example[hazard] = difference;
            example.try_emplace(hazard, difference);
        }
    }

    void report() const {
        ::testing::Test::RecordProperty("sessions", sessions);
        ::testing::Test::RecordProperty("clean_sessions", clean);
        ::testing::Test::RecordProperty("differing_sessions", differing);
        std::printf("%d sessions, %d without hazards, %d differ\n", sessions, clean, differing);
        for (const auto& [hazard, count] : hazardous) {
            const int with = at(differingWith, hazard), alone = at(differingAlone, hazard);
            const std::string summary = std::to_string(with) + " of " + std::to_string(count) + " differ, " +
                                        std::to_string(alone) + " with no other hazard";
            ::testing::Test::RecordProperty(hazard, summary);
            std::printf("%s: %s%s\n", hazard.c_str(), summary.c_str(),
                        example.contains(hazard) ? (", e.g.:" + example.at(hazard)).c_str() : "");
        }
    }

    static int at(const std::map<std::string, int>& counts, const std::string& key) {
        const auto found = counts.find(key);
        return found == counts.end() ? 0 : found->second;
    }
};

// Runs one session down both roads; returns what differs ("" when nothing does) and fails where a
// difference is not explained by the session's hazards.
std::string CompareRoads(const std::vector<std::string>& packets, const std::set<std::string>& hazards,
                         const TempProfile& newProfile, const TempProfile& oldProfile) {
    Road newRoad(true, newProfile.dir()), oldRoad(false, oldProfile.dir());
    for (const std::string& packet : packets) {
        newRoad.receive(packet);
        oldRoad.receive(ChatEventToLine(packet) + "\r\n");
    }
    const auto shownNew = newRoad.shown(), shownOld = oldRoad.shown();
    const auto modelNew = newRoad.model(), modelOld = oldRoad.model();
    if (shownNew != shownOld) {
        const std::string difference = Describe(packets) + "\n  " + FirstDifference(shownNew, shownOld);
        EXPECT_TRUE(MayChangeWhatIsShown(hazards)) << "shown otherwise on the two roads:" << difference;
        return difference;
    }
    if (modelNew != modelOld) {
        const std::string difference = Describe(packets) + "\n  " + FirstDifference(modelNew, modelOld);
        EXPECT_FALSE(hazards.empty()) << "other members on the two roads:" << difference;
        return difference;
    }
    return {};
}

TEST(BinaryRoad, TypedEventsDoWhatTheOldEventLinesDidWhereverTheLinesReadTheFieldsRight) {
    EventGenerator generate(20261210);
    const TempProfile newProfile, oldProfile;
    Tally tally;
    for (int s = 0; s < 1500; ++s) {
        SCOPED_TRACE(s);
        const std::vector<std::string> packets = generate.session();
        std::set<std::string> hazards;
        for (const std::string& packet : packets) hazards.merge(OldRoadHazards(packet));
        tally.count(hazards, CompareRoads(packets, hazards, newProfile, oldProfile));
    }
    tally.report();
    // Enough clean sessions for the comparison to mean something, and the old road's known misreadings
    // show up, so the comparison is not blind.
    EXPECT_GT(tally.clean, tally.sessions / 3);
    EXPECT_GT(Tally::at(tally.differingAlone, "blank in name"), 0);
    EXPECT_GT(Tally::at(tally.differingAlone, "ping of ten digits"), 0);
}

}  // namespace
}  // namespace morva::testing
