#include "chat/friend_notice.h"

#include "bot/bot.h"
#include "chat/add_chat.h"
#include "chat/palette.h"

namespace morva {

namespace {
const std::string Marker("\xFF\x67", 2);
}

std::optional<FriendAdded> ParseFriendAdded(const std::string& chunk) {
    const std::size_t first = chunk.find(Marker);
    if (first == std::string::npos) return std::nullopt;
    // The message runs to the next marker, or to the end when the chunk starts with one.
    const std::size_t second = first == 0 ? std::string::npos : chunk.find(Marker, first + 2);
    const std::string message =
        chunk.substr(first + 2, second == std::string::npos ? std::string::npos : second - first - 2);
    // Two length bytes, the account and its NUL, two status bytes, the product, the location and its NUL.
    const std::size_t accountEnd = message.find('\0', 2);
    if (accountEnd == std::string::npos) return std::nullopt;
    const std::string account = message.substr(2, accountEnd - 2);
    const std::size_t restStart = accountEnd + 3;
    if (restStart >= message.size()) return std::nullopt;
    const std::string rest = message.substr(restStart, message.size() - restStart - 1);
    if (rest.size() < 4) return std::nullopt;
    // The location ends at its NUL, or with the message when the NUL was its last byte.
    const std::size_t locationEnd = rest.find('\0', 4);
    return FriendAdded{
        account, rest.substr(0, 4),
        rest.substr(4, locationEnd == std::string::npos ? std::string::npos : locationEnd - 4)};
}

void FriendAddedNotice(Bot& bot, const std::string& chunk) {
    const auto notice = ParseFriendAdded(chunk);
    if (!notice || notice->location.empty()) return;
    AddChat(bot, {{ColorStatus, "Bot: " + notice->account + " using " + notice->product + " in channel " +
                                    notice->location + "."}});
}

}  // namespace morva
