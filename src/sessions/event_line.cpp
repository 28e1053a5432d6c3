#include "sessions/event_line.h"

#include <array>
#include <cstddef>

namespace morva {

namespace {

constexpr long FirstEvent = 1001;
constexpr long LastEvent = 3000;
constexpr std::size_t NumberWidth = 4;

// The head's first fields: number, kind, name, flags, product, ping.
struct Head {
    std::array<std::string_view, 6> fields;
    std::size_t count = 0;

    std::optional<std::string_view> field(std::size_t i) const {
        return i < count ? std::optional<std::string_view>(fields[i]) : std::nullopt;
    }
};

// Splits at every single blank, so two blanks in a row give an empty field.
Head splitHead(std::string_view head) {
    Head result;
    std::size_t start = 0;
    while (result.count < result.fields.size()) {
        const std::size_t blank = head.find(' ', start);
        result.fields[result.count++] =
            head.substr(start, blank == std::string_view::npos ? blank : blank - start);
        if (blank == std::string_view::npos) break;
        start = blank + 1;
    }
    return result;
}

}  // namespace

long LeadingNumber(std::string_view text) {
    long value = 0;
    bool negative = false;
    bool started = false;
    for (const char c : text) {
        if (c == ' ' || c == '\t' || c == '\n') continue;
        if (!started && (c == '-' || c == '+')) {
            negative = c == '-';
            started = true;
        } else if (c >= '0' && c <= '9') {
            started = true;
            if (value < 100000000) value = value * 10 + (c - '0');
        } else {
            break;
        }
    }
    return negative ? -value : value;
}

std::optional<ChatEvent> ParseEventLine(std::string_view line) {
    if (!line.empty() && line.front() == '\n') line.remove_prefix(1);
    const long number = LeadingNumber(line.substr(0, NumberWidth));
    if (number < FirstEvent || number > LastEvent) return std::nullopt;

    ChatEvent event;
    std::string_view head = line;
    if (const std::size_t quote = line.find('"'); quote != std::string_view::npos) {
        // The blank before the quote and the closing quote at the end are not part of either. The
        // number in front puts the quote at the fifth character or later.
        head = line.substr(0, quote - 1);
        event.text = line.substr(quote + 1, line.size() >= quote + 2 ? line.size() - quote - 2 : 0);
    }
    const Head fields = splitHead(head);
    event.id = static_cast<EventId>(LeadingNumber(fields.fields[0]));
    event.name = fields.field(2);
    event.flags = fields.field(3);
    event.product = fields.field(4);
    if (const auto ping = fields.field(5)) event.ping = static_cast<std::int32_t>(LeadingNumber(*ping));
    return event;
}

}  // namespace morva
