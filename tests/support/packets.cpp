#include "support/packets.h"

namespace morva::testing {

std::string Dword(std::uint32_t value) {
    std::string bytes(4, '\0');
    for (std::size_t i = 0; i < 4; ++i) bytes[i] = static_cast<char>(value >> (8 * i));
    return bytes;
}

std::string Packet(char id, const std::string& body) {
    const std::size_t length = body.size() + 4;
    return std::string{'\xFF', id, static_cast<char>(length & 0xFF), static_cast<char>(length >> 8)} + body;
}

std::string AuthInfoReply(std::uint32_t token) {
    return Packet('\x50',
                  Dword(0) + Dword(token) + Dword(0) + std::string(8, '\0') + std::string("ver\0form\0", 9));
}

std::string LogonReply(std::uint32_t status) {
    return Packet('\x3A', Dword(status));
}

std::string ChatEventPacket(std::uint32_t eventId, std::uint32_t flags, std::int32_t ping,
                            const std::string& name, const std::string& text) {
    return Packet('\x0F', Dword(eventId) + Dword(flags) + Dword(static_cast<std::uint32_t>(ping)) + Dword(0) +
                              Dword(0) + Dword(0) + name + std::string(1, '\0') + text +
                              std::string(1, '\0'));
}

}  // namespace morva::testing
