#include "fault_streams.h"

#include <algorithm>
#include <fstream>
#include <random>

#include "support/packets.h"
#include "testserver/chat_event.h"
#include "testserver/flood_events.h"

namespace morva::testing {

namespace {
using testserver::ChatEvent;
using testserver::FloodEvents;

constexpr std::int64_t EventsPerPiece = 64;
constexpr std::size_t RandomPieceBytes = 4096;
// Event ids 0 .. this - 1 cover every event the bot knows and a few it does not.
constexpr std::uint32_t RandomEventIds = 0x20;
constexpr std::size_t MaxRandomBody = 300;

std::string RandomBytes(std::mt19937& random, std::size_t count) {
    std::string bytes(count, '\0');
    for (char& byte : bytes) byte = static_cast<char>(random() & 0xFF);
    return bytes;
}

std::string RandomChatEvents(std::mt19937& random) {
    std::string piece;
    while (piece.size() < RandomPieceBytes) {
        const std::size_t length = random() % (MaxRandomBody + 1);
        piece += Packet('\x0F', Dword(random() % RandomEventIds) + RandomBytes(random, length));
    }
    return piece;
}
}  // namespace

std::string TalkPacket(const std::string& name, const std::string& text) {
    return testserver::BinaryChatEvent({ChatEvent::Talk, 0, name, text});
}

std::string FlooderJoins() {
    std::string joins;
    for (int member = 0; member < FloodEvents::Members; ++member)
        joins += testserver::BinaryChatEvent({ChatEvent::Join, 0, FloodEvents::memberName(member), "RATS"});
    return joins;
}

std::function<std::string()> FloodPieces(std::int64_t count) {
    return [count, index = std::int64_t{0}]() mutable {
        std::string piece;
        for (const std::int64_t end = std::min(count, index + EventsPerPiece); index < end; ++index)
            piece += testserver::BinaryChatEvent(FloodEvents::event(index, count));
        return piece;
    };
}

std::function<std::string()> FloodWhile(const bool& going) {
    return [&going, pieces = FloodPieces(INT64_MAX)]() mutable { return going ? pieces() : std::string(); };
}

std::function<std::string()> RandomPieces(unsigned seed, int pieces, bool asChatEvents) {
    return [random = std::mt19937(seed), pieces, asChatEvents]() mutable {
        if (pieces-- <= 0) return std::string();
        return asChatEvents ? RandomChatEvents(random) : RandomBytes(random, RandomPieceBytes);
    };
}

std::vector<SentPacket> PacketsOf(const std::string& received) {
    std::vector<SentPacket> packets;
    constexpr std::size_t Header = 4;
    for (std::size_t at = 1; at + Header <= received.size();) {
        const std::size_t length = static_cast<unsigned char>(received[at + 2]) |
                                   static_cast<std::size_t>(static_cast<unsigned char>(received[at + 3]))
                                       << 8;
        if (length < Header || at + length > received.size()) break;
        packets.push_back(
            {static_cast<unsigned char>(received[at + 1]), received.substr(at + Header, length - Header)});
        at += length;
    }
    return packets;
}

std::vector<int> PacketIds(const std::string& received) {
    std::vector<int> ids;
    for (const SentPacket& packet : PacketsOf(received)) ids.push_back(packet.id);
    return ids;
}

FloodSeen FloodInChatLogs(const std::filesystem::path& profileDir) {
    std::vector<std::filesystem::path> logs;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(profileDir / "Chat Logs"))
        if (entry.is_regular_file()) logs.push_back(entry.path());
    // Day files sort by date.
    std::sort(logs.begin(), logs.end());
    FloodSeen seen;
    for (const auto& log : logs) {
        std::ifstream in(log, std::ios::binary);
        for (std::string line; std::getline(in, line);) {
            const std::int64_t index = FloodEvents::indexOf(line);
            if (index < 0) continue;
            seen.inOrder = seen.inOrder && index == seen.count;
            ++seen.count;
        }
    }
    return seen;
}

}  // namespace morva::testing
