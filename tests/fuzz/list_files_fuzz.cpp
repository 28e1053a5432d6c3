// Arbitrary list files: acces.bot, safelist.bot and filter.bot read and written back, and the look-ups
// over what they hold.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "settings/name_lists.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = morva::testing::Bytes(data, size);
    const auto entries = morva::ParseListFile(bytes);
    for (const auto& entry : entries) {
        // A line end never stays inside an entry, so every entry is one line of the file.
        if (entry.find_first_of("\r\n") != std::string::npos) __builtin_trap();
        if (!morva::ContainsNoCase(entries, entry)) __builtin_trap();
        morva::MatchesSafeEntry(entry, entry);
    }
    // What is saved loads again as it was.
    if (morva::ParseListFile(morva::FormatListFile(entries)) != entries) __builtin_trap();
    const std::string text = entries.empty() ? std::string(bytes) : entries.front();
    morva::MatchesAnyFilter(entries, text);
    return 0;
}
