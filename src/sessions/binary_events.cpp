#include "sessions/binary_events.h"

#include <algorithm>
#include <cstddef>

namespace morva {

namespace {

constexpr std::size_t EventIdOffset = 4;
constexpr std::size_t FlagsOffset = 8;
constexpr std::size_t PingOffset = 12;
constexpr std::size_t NameOffset = 28;
// Without the whole flags DWORD there is no event to make.
constexpr std::size_t ShortestEvent = FlagsOffset + 4;
constexpr std::size_t ProductLength = 4;

std::string_view ntStringAt(std::string_view packet, std::size_t offset) {
    if (offset >= packet.size()) return {};
    return KillNull(packet.substr(offset));
}

// Decimal with at least four digits; the sign goes before the zeros.
std::string fourDigits(std::int64_t value) {
    std::string digits = std::to_string(value < 0 ? -value : value);
    if (digits.size() < 4) digits.insert(0, 4 - digits.size(), '0');
    return value < 0 ? "-" + digits : digits;
}

// The statistics string starts with the product code written backwards ("RATS" for STAR).
std::string productTag(std::string_view statistics) {
    std::string product(statistics.substr(0, ProductLength));
    std::reverse(product.begin(), product.end());
    return "[" + product + "]";
}

// Which fields the text-protocol line of each event carries; the user record is product and ping.
struct Carried {
    bool name = false, flags = false, userRecord = false, text = false;
};

Carried carried(EventId id) {
    switch (id) {
        case EventId::ShowUser:
        case EventId::Join:
            return {true, true, true, false};
        case EventId::Leave:
            return {true, false, false, false};
        case EventId::Whisper:
        case EventId::Talk:
        case EventId::WhisperSent:
        case EventId::Emote:
            return {true, true, false, true};
        case EventId::Channel:
        case EventId::Info:
        case EventId::Error:
            return {false, false, false, true};
        case EventId::UserFlags:
            return {true, true, false, false};
        default:
            return {};
    }
}

// The server echoes a whisper to all friends with the target "X friends"; the text protocol's line
// reads that as name X and flags "friends", which is what the event processor looks for.
void readFriendsEcho(ChatEvent& event) {
    const std::string_view name = *event.name;
    const std::size_t blank = name.find(' ');
    if (blank == std::string_view::npos) return;
    const std::string_view second = name.substr(blank + 1, name.find(' ', blank + 1) - blank - 1);
    if (second != "friends") return;
    event.name = name.substr(0, blank);
    event.flags = second;
}

}  // namespace

std::string_view KillNull(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

std::uint32_t DwordAt(std::string_view packet, std::size_t offset) {
    if (packet.size() < offset + 4) return 0;
    std::uint32_t value = 0;
    for (std::size_t i = 4; i-- > 0;) value = (value << 8) | static_cast<unsigned char>(packet[offset + i]);
    return value;
}

ChatEventFields ParseChatEvent(std::string_view packet) {
    ChatEventFields fields;
    fields.flags = static_cast<std::int32_t>(DwordAt(packet, FlagsOffset));
    fields.ping = static_cast<std::int32_t>(DwordAt(packet, PingOffset));
    fields.name = ntStringAt(packet, NameOffset);
    fields.text = ntStringAt(packet, NameOffset + fields.name.size() + 1);
    return fields;
}

std::string FlagsText(std::int32_t flags) {
    const unsigned high = (static_cast<std::uint32_t>(flags) >> 4) & 0x0F;
    const unsigned low = static_cast<std::uint32_t>(flags) & 0x0F;
    if (high > 9 || low > 9) return fourDigits(flags);
    return fourDigits(high * 10 + low);
}

EventId EventIdOf(std::uint8_t lowByte) {
    switch (lowByte) {
        case 0x01:
            return EventId::ShowUser;
        case 0x02:
            return EventId::Join;
        case 0x03:
            return EventId::Leave;
        case 0x04:
            return EventId::Whisper;
        case 0x05:
            return EventId::Talk;
        case 0x07:
            return EventId::Channel;
        case 0x09:
            return EventId::UserFlags;
        case 0x0A:
            return EventId::WhisperSent;
        case 0x12:
            return EventId::Info;
        case 0x13:
            return EventId::Error;
        case 0x17:
            return EventId::Emote;
        default:
            return EventId::Broadcast;
    }
}

std::optional<ChatEvent> ChatEventOf(std::string_view packet, std::string& flagsText,
                                     std::string& productText) {
    if (packet.size() < ShortestEvent) return std::nullopt;
    const ChatEventFields fields = ParseChatEvent(packet);
    ChatEvent event;
    event.id = EventIdOf(static_cast<std::uint8_t>(packet[EventIdOffset]));
    const Carried carries = carried(event.id);
    if (carries.name) event.name = fields.name;
    if (carries.flags) event.flags = flagsText = FlagsText(fields.flags);
    if (carries.userRecord) {
        event.product = productText = productTag(fields.text);
        event.ping = fields.ping;
    }
    if (carries.text) event.text = fields.text;
    if (event.id == EventId::WhisperSent) readFriendsEcho(event);
    return event;
}

}  // namespace morva
