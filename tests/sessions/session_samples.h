#pragma once

#include <cstdint>
#include <string>

#include "sessions/chat_event.h"

namespace morva::testing {

// The four bytes of value, low byte first.
std::string Dword(std::uint32_t value);
// A binary packet: 0xFF, the id, the 16-bit total length and the body.
std::string Packet(std::uint8_t id, const std::string& body);
// A SID_CHATEVENT as the server sends it; the unused address, account and authority fields hold
// non-zero bytes so that a reader off by a field would show.
std::string ChatEventPacket(std::uint32_t eventId, std::uint32_t flags, std::uint32_t ping,
                            const std::string& name, const std::string& text);
// A friend-added message as text-protocol data may hold it: marker, 16-bit length, account, two
// status bytes, product, location.
std::string FriendAddedMessage(const std::string& account, const std::string& product,
                               const std::string& location);

// An event as one line of text, "1002 name=Bob flags=0010 product=[CHAT] ping=32 text=", with only
// the fields it carries, so tests compare whole events.
std::string Describe(const ChatEvent& event);

}  // namespace morva::testing
