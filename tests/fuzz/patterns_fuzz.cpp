// The wildcard matcher with pattern and text both fuzzed, against a plain matcher written straight
// from the pattern language: the two must agree on every pair.
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "settings/like_match.h"

namespace {

using Accepts = std::bitset<256>;

unsigned ByteOf(char c) {
    return static_cast<unsigned char>(c);
}

// One pattern element: a star (nothing accepted) or the set of bytes one character may be.
struct Step {
    bool star = false;
    Accepts accepts;
};

Accepts Bracket(std::string_view inside) {
    Accepts accepts;
    const bool negated = inside.starts_with('!');
    if (negated) inside.remove_prefix(1);
    while (!inside.empty()) {
        const bool range = inside.size() >= 3 && inside[1] == '-';
        const unsigned a = ByteOf(inside[0]), b = range ? ByteOf(inside[2]) : a;
        for (unsigned code = std::min(a, b); code <= std::max(a, b); ++code) accepts.set(code);
        inside.remove_prefix(range ? 3 : 1);
    }
    return negated ? ~accepts : accepts;
}

std::optional<std::vector<Step>> Steps(std::string_view pattern) {
    std::vector<Step> steps;
    while (!pattern.empty()) {
        Step step;
        std::size_t used = 1;
        switch (pattern.front()) {
            case '*':
                step.star = true;
                break;
            case '?':
                step.accepts.set();
                break;
            case '#':
                for (char d = '0'; d <= '9'; ++d) step.accepts.set(ByteOf(d));
                break;
            case '[': {
                used = pattern.find(']', 1);
                if (used == std::string_view::npos) return std::nullopt;
                step.accepts = Bracket(pattern.substr(1, used - 1));
                ++used;
                break;
            }
            default:
                step.accepts.set(ByteOf(pattern.front()));
        }
        steps.push_back(step);
        pattern.remove_prefix(used);
    }
    return steps;
}

// Which pattern prefixes match which text prefixes, one table row per text prefix.
bool PlainMatch(std::string_view text, std::string_view pattern) {
    const auto steps = Steps(pattern);
    if (!steps) return false;
    const std::size_t n = steps->size();
    std::vector<std::vector<bool>> match(text.size() + 1, std::vector<bool>(n + 1));
    match[0][0] = true;
    for (std::size_t t = 0; t <= text.size(); ++t)
        for (std::size_t p = 1; p <= n; ++p) {
            const Step& step = (*steps)[p - 1];
            if (step.star)
                match[t][p] = match[t][p - 1] || (t > 0 && match[t - 1][p]);
            else
                match[t][p] = t > 0 && match[t - 1][p - 1] && step.accepts.test(ByteOf(text[t - 1]));
        }
    return match[text.size()][n];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = morva::testing::Bytes(data, size);
    const std::size_t cut = bytes.find('\0');
    const std::string_view pattern = bytes.substr(0, cut);
    const std::string_view text = cut == std::string_view::npos ? "" : bytes.substr(cut + 1);
    if (morva::LikeMatch(text, pattern) != PlainMatch(text, pattern)) __builtin_trap();
    const bool named = morva::NameMatches(text, pattern);
    if (named != morva::LikeMatch(morva::FoldName(text), morva::FoldName(pattern))) __builtin_trap();
    // Every name matches itself once case is set aside.
    if (pattern.find_first_of("*?") == std::string_view::npos && !morva::NameMatches(pattern, pattern))
        __builtin_trap();
    return 0;
}
