#pragma once

#include <optional>
#include <string_view>

#include "sessions/text_session.h"

namespace morva {

// The first friend-added message of a chunk; nothing when there is none or it is cut short.
std::optional<FriendAdded> ParseFriendAdded(std::string_view chunk);

}  // namespace morva
