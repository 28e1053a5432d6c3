#include "chat/event_line.h"

namespace morva {

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

std::vector<std::string> SplitWords(std::string_view text) {
    std::vector<std::string> words;
    std::size_t start = 0;
    for (std::size_t blank; (blank = text.find(' ', start)) != std::string_view::npos; start = blank + 1)
        words.emplace_back(text.substr(start, blank - start));
    words.emplace_back(text.substr(start));
    return words;
}

EventLine SplitEventLine(const std::string& line) {
    const std::size_t quote = line.find('"');
    if (quote == std::string::npos) return EventLine{SplitWords(line), ""};
    const std::string head = line.substr(0, quote == 0 ? 0 : quote - 1);
    const std::size_t textLength = line.size() >= quote + 2 ? line.size() - quote - 2 : 0;
    return EventLine{SplitWords(head), line.substr(quote + 1, textLength)};
}

}  // namespace morva
