#include "settings/ini_text.h"

#include <vector>

#include "platform/text_case.h"

namespace morva {

namespace {

constexpr std::size_t MaxValueLength = 127;

std::string_view trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

struct Line {
    std::size_t start = 0;  // first byte of the line
    std::size_t end = 0;    // one past its last byte, line end excluded
    std::size_t next = 0;   // start of the following line
    std::string_view text;  // the line without its line end
};

template <typename Visit>
void forEachLine(std::string_view content, Visit visit) {
    std::size_t start = 0;
    while (start < content.size()) {
        const std::size_t lf = content.find('\n', start);
        const std::size_t next = lf == std::string_view::npos ? content.size() : lf + 1;
        std::size_t end = lf == std::string_view::npos ? content.size() : lf;
        if (end > start && content[end - 1] == '\r') --end;
        visit(Line{start, end, next, content.substr(start, end - start)});
        start = next;
    }
}

std::vector<Line> splitLines(std::string_view content) {
    std::vector<Line> lines;
    forEachLine(content, [&](const Line& line) { lines.push_back(line); });
    return lines;
}

// The section name of a "[name]" line.
std::optional<std::string_view> sectionName(std::string_view line) {
    line = trimBlanks(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    const auto close = line.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return trimBlanks(line.substr(1, close - 1));
}

struct KeyLine {
    std::string_view name;
    std::string_view value;
};

std::optional<KeyLine> keyLine(std::string_view line) {
    const auto trimmed = trimBlanks(line);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '[') return std::nullopt;
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return KeyLine{trimBlanks(line.substr(0, equals)), trimBlanks(line.substr(equals + 1))};
}

// The lines of the first section of that name: [first, last) as indexes, first being the header.
struct SectionSpan {
    std::size_t header, end;
};

std::optional<SectionSpan> findSection(const std::vector<Line>& lines, std::string_view section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto name = sectionName(lines[i].text);
        if (!name || !EqualsNoCase(*name, section)) continue;
        std::size_t end = i + 1;
        while (end < lines.size() && !sectionName(lines[end].text)) ++end;
        return SectionSpan{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> findKey(const std::vector<Line>& lines, SectionSpan span, std::string_view key) {
    for (std::size_t i = span.header + 1; i < span.end; ++i) {
        const auto parsed = keyLine(lines[i].text);
        if (parsed && EqualsNoCase(parsed->name, key)) return i;
    }
    return std::nullopt;
}

std::string_view unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// A line break inside a value would let a written value add lines of its own to the file.
std::string_view firstLineOf(std::string_view value) {
    return value.substr(0, value.find_first_of("\r\n"));
}

// What finishes the file's last line before more lines go after it: a file may end without a line
// end, or cut between the CR and the LF of one.
const char* endOfLastLine(std::string_view content) {
    if (content.empty() || content.back() == '\n') return "";
    return content.back() == '\r' ? "\n" : "\r\n";
}

std::string valueOf(const KeyLine& line) {
    return std::string(unquote(line.value).substr(0, MaxValueLength));
}

}  // namespace

IniSections::IniSections(std::string_view content) {
    // Only the first section of a name is read; the lines of a later one are skipped.
    Entries* current = nullptr;
    forEachLine(content, [&](const Line& line) {
        if (const auto name = sectionName(line.text)) {
            const bool first = byName_.try_emplace(LowerCase(*name), sections_.size()).second;
            current = first ? &sections_.emplace_back() : nullptr;
        } else if (current) {
            if (const auto parsed = keyLine(line.text)) current->emplace_back(parsed->name, valueOf(*parsed));
        }
    });
}

const IniSections::Entries* IniSections::find(std::string_view section) const {
    const auto found = byName_.find(LowerCase(section));
    return found == byName_.end() ? nullptr : &sections_[found->second];
}

std::optional<std::string> IniSections::lookup(std::string_view section, std::string_view key) const {
    const Entries* found = find(section);
    if (!found) return std::nullopt;
    for (const auto& [name, value] : *found)
        if (EqualsNoCase(name, key)) return value;
    return std::nullopt;
}

std::vector<std::pair<std::string, std::string>> IniSections::entries(std::string_view section) const {
    const Entries* found = find(section);
    return found ? *found : Entries{};
}

std::optional<std::string> IniLookup(std::string_view content, std::string_view section,
                                     std::string_view key) {
    return IniSections(content).lookup(section, key);
}

std::vector<std::pair<std::string, std::string>> IniEntries(std::string_view content,
                                                            std::string_view section) {
    return IniSections(content).entries(section);
}

std::string IniWrite(std::string_view content, std::string_view section, std::string_view key,
                     std::string_view value) {
    const auto lines = splitLines(content);
    const std::string entry = std::string(key) + "=" + std::string(firstLineOf(value));
    std::string result(content);
    const auto span = findSection(lines, section);
    if (!span) return result + endOfLastLine(content) + "[" + std::string(section) + "]\r\n" + entry + "\r\n";
    if (const auto index = findKey(lines, *span, key)) {
        const Line& line = lines[*index];
        const std::string existing(keyLine(line.text)->name);
        return result.replace(line.start, line.end - line.start,
                              existing + "=" + std::string(firstLineOf(value)));
    }
    std::size_t last = span->header;
    for (std::size_t i = span->header + 1; i < span->end; ++i)
        if (!trimBlanks(lines[i].text).empty()) last = i;
    const Line& after = lines[last];
    if (after.next == content.size()) return result + endOfLastLine(content) + entry + "\r\n";
    return result.insert(after.next, entry + "\r\n");
}

}  // namespace morva
