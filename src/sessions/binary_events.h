#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "sessions/chat_event.h"

namespace morva {

// The fields of a SID_CHATEVENT as the packet holds them.
struct ChatEventFields {
    std::int32_t flags = 0;
    std::int32_t ping = 0;
    std::string_view name;
    std::string_view text;
};

// The part of text before its first 0x00 (all of it when there is none).
std::string_view KillNull(std::string_view text);

// The little-endian DWORD at offset; 0 when the packet is too short to hold it.
std::uint32_t DwordAt(std::string_view packet, std::size_t offset);

// Reads the fields at their fixed places. A DWORD that does not fit in the packet reads as 0, a
// string past its end as empty, a string without its 0x00 runs to the end. The views point into
// packet.
ChatEventFields ParseChatEvent(std::string_view packet);

// The flags as the text protocol writes them: the low byte's hexadecimal digits read as decimal
// (0x12 shows as "0012"), or the whole value when a digit is A-F; at least four digits, the sign
// before the zeros.
std::string FlagsText(std::int32_t flags);

// The event id of a SID_CHATEVENT: only the low byte of its DWORD counts, and an id of no listed
// event is a broadcast.
EventId EventIdOf(std::uint8_t lowByte);

// The typed event of one SID_CHATEVENT (header included), with the fields its text-protocol line
// would carry; nothing for a packet too short to hold the flags. The flags and product texts are
// written to flagsText and productText; every view points into those or into packet.
std::optional<ChatEvent> ChatEventOf(std::string_view packet, std::string& flagsText,
                                     std::string& productText);

}  // namespace morva
