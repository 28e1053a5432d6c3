#pragma once

// The floors the program's own work is measured against: the same bytes cut with memchr and plain
// loops, without a session, an event processor or a pane. CutPackets and CutEventLines call
// onEvent(name, text) for every talk event, in order, and return how many they found.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace morva::bench {

namespace floor_detail {
inline std::uint32_t Dword(const char* at) {
    std::uint32_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}
// The bytes from `at` to the next NUL (or `end`); `at` moves past the NUL.
inline std::string_view UpToNul(const char*& at, const char* end) {
    const char* nul = static_cast<const char*>(std::memchr(at, 0, static_cast<std::size_t>(end - at)));
    if (!nul) nul = end;
    const std::string_view field(at, static_cast<std::size_t>(nul - at));
    at = nul < end ? nul + 1 : end;
    return field;
}
// The bytes from `at` to the next `c` (or `end`); `at` moves past it.
inline std::string_view UpTo(const char*& at, const char* end, char c) {
    const char* found = static_cast<const char*>(std::memchr(at, c, static_cast<std::size_t>(end - at)));
    if (!found) found = end;
    const std::string_view field(at, static_cast<std::size_t>(found - at));
    at = found < end ? found + 1 : end;
    return field;
}
}  // namespace floor_detail

template <typename OnEvent>
std::size_t CutPackets(std::string_view bytes, OnEvent&& onEvent) {
    using namespace floor_detail;
    constexpr std::size_t NameOffset = 4 + 24;  // header, then event id, flags, ping, three dwords
    std::size_t events = 0;
    for (std::size_t at = 0; at + 4 <= bytes.size();) {
        const std::size_t length = static_cast<unsigned char>(bytes[at + 2]) |
                                   static_cast<std::size_t>(static_cast<unsigned char>(bytes[at + 3])) << 8;
        if (length < NameOffset || at + length > bytes.size()) break;
        const char* field = bytes.data() + at + NameOffset;
        const char* end = bytes.data() + at + length;
        if (bytes[at + 1] == 0x0F && Dword(bytes.data() + at + 4) == 0x05) {
            const std::string_view name = UpToNul(field, end);
            onEvent(name, UpToNul(field, end));
            ++events;
        }
        at += length;
    }
    return events;
}

template <typename OnEvent>
std::size_t CutEventLines(std::string_view bytes, OnEvent&& onEvent) {
    using namespace floor_detail;
    std::size_t events = 0;
    const char* at = bytes.data();
    const char* const end = at + bytes.size();
    while (at < end) {
        const char* lineEnd =
            static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at)));
        if (!lineEnd) break;
        const char* last = lineEnd > at && lineEnd[-1] == '\r' ? lineEnd - 1 : lineEnd;
        const std::string_view number = UpTo(at, last, ' ');
        UpTo(at, last, ' ');  // the event's word
        if (number == "1005") {
            const std::string_view name = UpTo(at, last, ' ');
            UpTo(at, last, ' ');  // the flags
            const bool quoted = last - at >= 2 && *at == '"' && last[-1] == '"';
            onEvent(name, quoted ? std::string_view(at + 1, static_cast<std::size_t>(last - at - 2))
                                 : std::string_view(at, static_cast<std::size_t>(last - at)));
            ++events;
        }
        at = lineEnd + 1;
    }
    return events;
}

// "[HH:MM:SS.hh] <name> text\n" added to out: the floor of a face that formats a line.
inline void FormatTalkLine(std::string& out, std::string_view name, std::string_view text) {
    out += "[14:03:27.45] <";
    out += name;
    out += "> ";
    out += text;
    out += '\n';
}

}  // namespace morva::bench
