#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace morva {

// The fields of a SID_CHATEVENT that the event lines carry.
struct ChatEvent {
    std::int32_t flags = 0;
    std::int32_t ping = 0;
    std::string name;
    std::string text;
};

// The part of text before its first 0x00 (all of it when there is none).
std::string KillNull(std::string_view text);

// Reads the fields at their fixed places. A DWORD that does not fit in the packet reads as 0, a
// string past its end as empty, a string without its 0x00 runs to the end.
ChatEvent ParseChatEvent(const std::string& packet);

// The text-protocol event line for one SID_CHATEVENT packet, so that both protocols share one
// event processor. Every packet gives one line, except one too short to hold the flags.
std::optional<std::string> ChatEventToLine(const std::string& packet);

}  // namespace morva
