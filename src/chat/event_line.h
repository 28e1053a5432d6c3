#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morva {

// The number at the start of a text the way the event lines are read: blanks, tabs and line feeds
// are skipped, reading stops at the first character that cannot continue the number; 0 when there
// is none.
long LeadingNumber(std::string_view text);

// An event line taken apart: the head's fields (split at every single blank) and the quoted text T.
struct EventLine {
    std::vector<std::string> fields;
    std::string text;

    long number() const { return fields.empty() ? 0 : LeadingNumber(fields[0]); }
    // Field i, when the line has it.
    std::optional<std::string> field(std::size_t i) const {
        return i < fields.size() ? std::optional<std::string>(fields[i]) : std::nullopt;
    }
};

// Splits a line at its first double quote: the head before the blank that precedes it, and the text
// from after it up to the line's last character (the closing quote).
EventLine SplitEventLine(const std::string& line);

// Splits text at every blank; two blanks in a row give an empty word.
std::vector<std::string> SplitWords(std::string_view text);

}  // namespace morva
