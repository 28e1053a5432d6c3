#include "platform/folder_names.h"

#include <cstdio>
#include <string_view>

namespace morva {

namespace {

// The escape character itself, and characters that separate paths, end C strings or are refused
// in file names on Windows.
bool isUnsafe(unsigned char c) {
    return c < 0x20 || c == 0x7F ||
           std::string_view("%/\\:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos;
}

// A leading dot makes "." and ".." or a hidden folder; Windows drops a trailing dot or blank.
bool isUnsafeAt(const std::string& name, std::size_t i) {
    const auto c = static_cast<unsigned char>(name[i]);
    if (isUnsafe(c)) return true;
    if (i == 0 && c == '.') return true;
    return i + 1 == name.size() && (c == '.' || c == ' ');
}

std::string escaped(unsigned char c) {
    char text[4];
    std::snprintf(text, sizeof text, "%%%02X", c);
    return text;
}

std::string padded(int value, int width) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*d", width, value);
    return text;
}

}  // namespace

std::string SafeFolderName(const std::string& channel) {
    if (channel.empty()) return "%";
    std::string folder;
    for (std::size_t i = 0; i < channel.size(); ++i) {
        if (isUnsafeAt(channel, i)) {
            folder += escaped(static_cast<unsigned char>(channel[i]));
        } else {
            folder += channel[i];
        }
    }
    return folder;
}

std::string DateText(const LocalTime& time) {
    return padded(time.year, 4) + "-" + padded(time.month, 2) + "-" + padded(time.day, 2);
}

}  // namespace morva
