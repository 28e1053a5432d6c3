#include "platform/display_text.h"

#include <array>
#include <cstdint>

namespace morva {

namespace {

// Windows-1252 code points of the bytes 0x80 to 0x9F; the five unassigned ones map to themselves.
constexpr std::array<char32_t, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Length of the valid UTF-8 sequence starting at i, or 0.
std::size_t sequenceLength(std::string_view s, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(s[k]); };
    const std::uint8_t lead = byte(i);
    std::size_t length = 0;
    char32_t min = 0, c = 0;
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0)
        length = 2, min = 0x80, c = lead & 0x1F;
    else if ((lead & 0xF0) == 0xE0)
        length = 3, min = 0x800, c = lead & 0x0F;
    else if ((lead & 0xF8) == 0xF0)
        length = 4, min = 0x10000, c = lead & 0x07;
    else
        return 0;
    if (i + length > s.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        c = (c << 6) | (byte(i + k) & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    return length;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    // Chat is mostly ASCII: a plain loop passes over it before the full decoding starts.
    std::size_t ascii = 0;
    while (ascii < bytes.size() && static_cast<std::uint8_t>(bytes[ascii]) < 0x80) ++ascii;
    for (std::size_t i = ascii; i < bytes.size();) {
        const std::size_t length = sequenceLength(bytes, i);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

std::string DisplayText(std::string_view bytes) {
    if (IsValidUtf8(bytes)) return std::string(bytes);
    std::string out;
    for (const char ch : bytes) {
        const auto b = static_cast<std::uint8_t>(ch);
        appendUtf8(out, b >= 0x80 && b <= 0x9F ? Cp1252High[b - 0x80] : static_cast<char32_t>(b));
    }
    return out;
}

}  // namespace morva
