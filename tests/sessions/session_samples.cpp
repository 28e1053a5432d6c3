#include "sessions/session_samples.h"

namespace morva::testing {

std::string Dword(std::uint32_t value) {
    std::string bytes;
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

std::string Packet(std::uint8_t id, const std::string& body) {
    const std::size_t length = body.size() + 4;
    return std::string{'\xFF', static_cast<char>(id), static_cast<char>(length & 0xFF),
                       static_cast<char>((length >> 8) & 0xFF)} +
           body;
}

std::string ChatEventPacket(std::uint32_t eventId, std::uint32_t flags, std::uint32_t ping,
                            const std::string& name, const std::string& text) {
    return Packet(0x0F, Dword(eventId) + Dword(flags) + Dword(ping) + Dword(0x0100007F) + Dword(0xBAADF00D) +
                            Dword(0x4C4C554E) + name + '\0' + text + '\0');
}

std::string FriendAddedMessage(const std::string& account, const std::string& product,
                               const std::string& location) {
    const std::string body = account + '\0' + "\x01\x02" + product + location + '\0';
    const std::size_t length = body.size() + 4;
    return std::string("\xFF\x67") + static_cast<char>(length & 0xFF) + static_cast<char>(length >> 8) + body;
}

std::string Describe(const ChatEvent& event) {
    std::string text = std::to_string(static_cast<long>(event.id));
    const auto field = [&text](const char* label, const std::optional<std::string_view>& value) {
        if (value) text.append(" ").append(label).append("=").append(*value);
    };
    field("name", event.name);
    field("flags", event.flags);
    field("product", event.product);
    return text + " ping=" + std::to_string(event.ping) + " text=" + std::string(event.text);
}

}  // namespace morva::testing
