#pragma once

#include <cstdint>
#include <string>

namespace morva::testing {

// Little-endian DWORD bytes.
std::string Dword(std::uint32_t value);
// A whole binary packet: 0xFF, the id, the 16-bit length, the body.
std::string Packet(char id, const std::string& body);
// Server replies of the binary logon.
std::string AuthInfoReply(std::uint32_t token);
std::string LogonReply(std::uint32_t status);
// A SID_CHATEVENT: event id, flags, ping, name and text.
std::string ChatEventPacket(std::uint32_t eventId, std::uint32_t flags, std::int32_t ping,
                            const std::string& name, const std::string& text);

}  // namespace morva::testing
