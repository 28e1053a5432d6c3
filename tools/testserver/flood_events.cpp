#include "flood_events.h"

#include <cstdlib>

namespace testserver {

namespace {
constexpr const char* Prefix = "flood line ";
constexpr std::uint32_t MemberFlags = 0x10;
}  // namespace

std::string FloodEvents::memberName(int member) {
    return "Flooder" + std::to_string(member + 1);
}

ChatEvent FloodEvents::event(std::int64_t index, std::int64_t count) {
    const std::string tail = index + 1 == count ? LastText : "the quick brown fox jumps over the lazy dog";
    return {ChatEvent::Talk, MemberFlags, memberName(static_cast<int>(index % Members)),
            Prefix + std::to_string(index) + ": " + tail};
}

std::int64_t FloodEvents::indexOf(const std::string& text) {
    const std::size_t at = text.find(Prefix);
    if (at == std::string::npos) return -1;
    const char* digits = text.c_str() + at + std::char_traits<char>::length(Prefix);
    char* end = nullptr;
    const long long index = std::strtoll(digits, &end, 10);
    return end != digits && *end == ':' ? index : -1;
}

std::string FloodEvents::bytes(std::int64_t count, bool binary) {
    std::string all;
    for (std::int64_t i = 0; i < count; ++i) {
        const ChatEvent talk = event(i, count);
        all += binary ? BinaryChatEvent(talk) : TextChatEvent(talk);
    }
    return all;
}

}  // namespace testserver
