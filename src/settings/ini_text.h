#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace morva {

// The INI rules of config.bot, on the file's bytes. Section and key names compare without case;
// blanks around names and values are ignored; a value in a matching pair of quotes loses them; a
// value reads as its first 127 characters. Lines starting with ";" are comments.
std::optional<std::string> IniLookup(std::string_view content, std::string_view section,
                                     std::string_view key);

// The keys of the first section of that name with their values as IniLookup reads them, in file
// order (a key that comes twice is there twice).
std::vector<std::pair<std::string, std::string>> IniEntries(std::string_view content,
                                                            std::string_view section);

// The content read once for many lookups, by the rules of IniLookup and IniEntries: a large file
// costs one pass, not one per key.
class IniSections {
public:
    explicit IniSections(std::string_view content);
    std::optional<std::string> lookup(std::string_view section, std::string_view key) const;
    std::vector<std::pair<std::string, std::string>> entries(std::string_view section) const;

private:
    using Entries = std::vector<std::pair<std::string, std::string>>;
    const Entries* find(std::string_view section) const;
    std::vector<Entries> sections_;
    // Each section's place in sections_, by its name in lower case.
    std::unordered_map<std::string, std::size_t> byName_;
};

// The content with key=value written into section: an existing key gets its value replaced in
// place, a missing key is added after the last line of its section, a missing section is added at
// the end. Every other byte stays as it was.
std::string IniWrite(std::string_view content, std::string_view section, std::string_view key,
                     std::string_view value);

}  // namespace morva
