#pragma once

#include <optional>
#include <string>

namespace morva {

class Bot;

// What a friend-added message (0xFF 0x67) carried inside text-protocol data says.
struct FriendAdded {
    std::string account, product, location;
};

// The first friend-added message of a chunk; nothing when there is none or it is cut short.
std::optional<FriendAdded> ParseFriendAdded(const std::string& chunk);
// Prints "Bot: NAME using PRODUCT in channel LOCATION." for a chunk holding such a message.
void FriendAddedNotice(Bot& bot, const std::string& chunk);

}  // namespace morva
