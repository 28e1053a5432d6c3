#include "sessions/friend_notice.h"

#include <string>

namespace morva {

namespace {
constexpr std::string_view Marker("\xFF\x67", 2);
}

std::optional<FriendAdded> ParseFriendAdded(std::string_view chunk) {
    const std::size_t first = chunk.find(Marker);
    if (first == std::string_view::npos) return std::nullopt;
    // The message runs to the next marker, or to the end when the chunk starts with one.
    const std::size_t second = first == 0 ? std::string_view::npos : chunk.find(Marker, first + 2);
    const std::string_view message = chunk.substr(
        first + 2, second == std::string_view::npos ? std::string_view::npos : second - first - 2);
    // Two length bytes, the account and its NUL, two status bytes, the product, the location and its NUL.
    const std::size_t accountEnd = message.find('\0', 2);
    if (accountEnd == std::string_view::npos) return std::nullopt;
    const std::string_view account = message.substr(2, accountEnd - 2);
    const std::size_t restStart = accountEnd + 3;
    if (restStart >= message.size()) return std::nullopt;
    const std::string_view rest = message.substr(restStart, message.size() - restStart - 1);
    if (rest.size() < 4) return std::nullopt;
    // The location ends at its NUL, or with the message when the NUL was its last byte.
    const std::size_t locationEnd = rest.find('\0', 4);
    return FriendAdded{
        std::string(account), std::string(rest.substr(0, 4)),
        std::string(rest.substr(
            4, locationEnd == std::string_view::npos ? std::string_view::npos : locationEnd - 4))};
}

}  // namespace morva
