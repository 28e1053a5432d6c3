#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace morva::testing {

// Bytes for the fault server to send, and what to make of what the bot sent and logged.

// A SID_CHATEVENT of talk in the channel.
std::string TalkPacket(const std::string& name, const std::string& text);
// The flood's members joining the channel.
std::string FlooderJoins();
// The talk events of a flood of `count` (testserver::FloodEvents) in pieces of a few dozen; an
// empty piece when all are out.
std::function<std::string()> FloodPieces(std::int64_t count);
// A flood without end that ends once `going` turns false.
std::function<std::string()> FloodWhile(const bool& going);
// `pieces` pieces of seeded random bytes: as they come, or cut into SID_CHATEVENTs of random length
// whose bodies start with a small event id and go on at random.
std::function<std::string()> RandomPieces(unsigned seed, int pieces, bool asChatEvents);

// One packet the bot sent: its id and body.
struct SentPacket {
    int id;
    std::string body;
};
// The packets of a binary connection after its protocol byte; a cut-off tail is left out.
std::vector<SentPacket> PacketsOf(const std::string& received);
// Just their ids.
std::vector<int> PacketIds(const std::string& received);

// The flood's talk lines in the chat logs under a profile.
struct FloodSeen {
    std::int64_t count = 0;
    // Each line carries the index after the one before it, from 0.
    bool inOrder = true;
};
FloodSeen FloodInChatLogs(const std::filesystem::path& profileDir);

}  // namespace morva::testing
