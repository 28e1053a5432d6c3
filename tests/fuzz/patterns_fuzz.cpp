// Arbitrary patterns and texts for the wildcard matcher and the list file format.
#include <cstddef>
#include <cstdint>
#include <string>

#include "settings/like_match.h"
#include "settings/name_lists.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t cut = bytes.find('\0');
    const std::string pattern = bytes.substr(0, cut);
    const std::string text = cut == std::string::npos ? "" : bytes.substr(cut + 1);
    morva::LikeMatch(text, pattern);
    morva::NameMatches(text, pattern);
    // A pattern always matches itself once its wildcards and lists are taken literally.
    if (pattern.find_first_of("*?#[]") == std::string::npos && !morva::LikeMatch(pattern, pattern))
        __builtin_trap();
    const auto entries = morva::ParseListFile(bytes);
    if (morva::ParseListFile(morva::FormatListFile(entries)) != entries) {
        // Entries holding a CR cannot survive a save; everything else must.
        for (const auto& entry : entries)
            if (entry.find('\r') != std::string::npos) return 0;
        __builtin_trap();
    }
    return 0;
}
