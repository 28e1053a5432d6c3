#include "connection/binary_events.h"

#include <algorithm>
#include <cstddef>

namespace morva {

namespace {

constexpr std::size_t EventIdOffset = 4;
constexpr std::size_t FlagsOffset = 8;
constexpr std::size_t PingOffset = 12;
constexpr std::size_t NameOffset = 28;
// Without the whole flags DWORD there is no event line to make.
constexpr std::size_t ShortestEvent = FlagsOffset + 4;

std::int32_t dwordAt(const std::string& packet, std::size_t offset) {
    if (packet.size() < offset + 4) return 0;
    std::uint32_t value = 0;
    for (std::size_t i = 4; i-- > 0;) value = (value << 8) | static_cast<unsigned char>(packet[offset + i]);
    return static_cast<std::int32_t>(value);
}

std::string ntStringAt(const std::string& packet, std::size_t offset) {
    if (offset >= packet.size()) return {};
    return KillNull(std::string_view(packet).substr(offset));
}

// Decimal with at least four digits; the sign goes before the zeros.
std::string fourDigits(std::int64_t value) {
    std::string digits = std::to_string(value < 0 ? -value : value);
    if (digits.size() < 4) digits.insert(0, 4 - digits.size(), '0');
    return value < 0 ? "-" + digits : digits;
}

// The hexadecimal digits of the low byte read as decimal, so the flags look like the text
// protocol's (0x12 shows as 0012). A digit A-F has no such reading: then the whole value counts.
std::string flagsText(std::int32_t flags) {
    const unsigned high = (static_cast<std::uint32_t>(flags) >> 4) & 0x0F;
    const unsigned low = static_cast<std::uint32_t>(flags) & 0x0F;
    if (high > 9 || low > 9) return fourDigits(flags);
    return fourDigits(high * 10 + low);
}

// The statistics string starts with the product code written backwards ("RATS" for STAR).
std::string productOf(const std::string& text) {
    std::string product = text.substr(0, 4);
    std::reverse(product.begin(), product.end());
    return product;
}

std::string quoted(const std::string& text) {
    return '"' + text + '"';
}

std::string eventLine(unsigned char eventId, const ChatEvent& event, const std::string& packet) {
    const std::string nameFlags = event.name + " " + flagsText(event.flags);
    const std::string userTail = " [" + productOf(event.text) + "] " + std::to_string(event.ping);
    switch (eventId) {
        case 0x01:
            return "1001 USER " + nameFlags + userTail;
        case 0x02:
            return "1002 JOIN " + nameFlags + userTail;
        case 0x03:
            return "1003 LEAVE " + event.name;
        case 0x04:
            return "1004 WHISPER " + nameFlags + " " + quoted(event.text);
        case 0x05:
            return "1005 TALK " + nameFlags + " " + quoted(event.text);
        case 0x07:
            return "1007 CHANNEL " + quoted(event.text);
        case 0x09:
            return "1009 USER " + nameFlags;
        case 0x0A:
            return "1010 WHISPER " + nameFlags + " " + quoted(event.text);
        case 0x12:
            return "1018 INFO " + quoted(event.text);
        case 0x13:
            return "1019 Error " + quoted(event.text);
        case 0x17:
            return "1023 EMOTE " + nameFlags + " " + quoted(event.text);
        default:
            return "1006 BROADCAST " + packet;
    }
}

}  // namespace

std::string KillNull(std::string_view text) {
    return std::string(text.substr(0, text.find('\0')));
}

ChatEvent ParseChatEvent(const std::string& packet) {
    ChatEvent event;
    event.flags = dwordAt(packet, FlagsOffset);
    event.ping = dwordAt(packet, PingOffset);
    event.name = ntStringAt(packet, NameOffset);
    event.text = ntStringAt(packet, NameOffset + event.name.size() + 1);
    return event;
}

std::optional<std::string> ChatEventToLine(const std::string& packet) {
    if (packet.size() < ShortestEvent) return std::nullopt;
    // Only the low byte of the event id chooses the line.
    return eventLine(static_cast<unsigned char>(packet[EventIdOffset]), ParseChatEvent(packet), packet);
}

}  // namespace morva
