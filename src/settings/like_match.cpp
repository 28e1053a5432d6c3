#include "settings/like_match.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <optional>
#include <utility>
#include <vector>

namespace morva {

namespace {

// One element of a compiled pattern: a star, or exactly one character out of a set of bytes.
struct Element {
    bool star = false;
    std::bitset<256> accepts;
};

unsigned char byteOf(char c) {
    return static_cast<unsigned char>(c);
}

Element one(std::bitset<256> accepts) {
    return Element{false, accepts};
}

Element literal(char c) {
    std::bitset<256> accepts;
    accepts.set(byteOf(c));
    return one(accepts);
}

Element digit() {
    std::bitset<256> accepts;
    for (char c = '0'; c <= '9'; ++c) accepts.set(byteOf(c));
    return one(accepts);
}

// The inside of "[...]", without the brackets.
Element list(std::string_view inside) {
    const bool negated = !inside.empty() && inside.front() == '!';
    if (negated) inside.remove_prefix(1);
    std::bitset<256> accepts;
    for (std::size_t i = 0; i < inside.size();) {
        if (i + 2 < inside.size() && inside[i + 1] == '-') {
            const unsigned from = byteOf(inside[i]), to = byteOf(inside[i + 2]);
            for (unsigned code = std::min(from, to); code <= std::max(from, to); ++code) accepts.set(code);
            i += 3;
        } else {
            accepts.set(byteOf(inside[i]));
            ++i;
        }
    }
    return one(negated ? ~accepts : accepts);
}

// The elements of a pattern, runs of stars merged into one; nothing when a "[" is never closed.
std::optional<std::vector<Element>> compile(std::string_view pattern) {
    std::vector<Element> elements;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '*') {
            if (elements.empty() || !elements.back().star) elements.push_back(Element{true, {}});
        } else if (c == '?') {
            elements.push_back(one(std::bitset<256>().set()));
        } else if (c == '#') {
            elements.push_back(digit());
        } else if (c == '[') {
            const std::size_t close = pattern.find(']', i + 1);
            if (close == std::string_view::npos) return std::nullopt;
            elements.push_back(list(pattern.substr(i + 1, close - i - 1)));
            i = close;
        } else {
            elements.push_back(literal(c));
        }
    }
    return elements;
}

// Every element but a star takes exactly one character, so on a mismatch only the last star needs to
// take one more character: no backtracking beyond it, time at most text length × pattern length.
bool matches(std::string_view text, const std::vector<Element>& pattern) {
    constexpr std::size_t none = static_cast<std::size_t>(-1);
    std::size_t t = 0, p = 0;
    std::size_t lastStar = none, textAtStar = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p].star) {
            lastStar = p++;
            textAtStar = t;
        } else if (p < pattern.size() && pattern[p].accepts.test(byteOf(text[t]))) {
            ++p;
            ++t;
        } else if (lastStar != none) {
            p = lastStar + 1;
            t = ++textAtStar;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p].star) ++p;
    return p == pattern.size();
}

// The fold table: each character special to patterns (and a few more) becomes one Windows-1252 byte.
constexpr std::array<std::pair<char, unsigned char>, 14> FoldTable{{
    {'[', 0xFF},  // ÿ
    {']', 0xD6},  // Ö
    {'~', 0xDC},  // Ü
    {'#', 0xA2},  // ¢
    {'-', 0xA3},  // £
    {'&', 0xA5},  // ¥
    {'@', 0xA4},  // ¤
    {'{', 0x83},  // ƒ
    {'}', 0xE1},  // á
    {'^', 0xED},  // í
    {'`', 0xF3},  // ó
    {'_', 0xFA},  // ú
    {'+', 0xF1},  // ñ
    {'$', 0xF7},  // ÷
}};

// The replacements never produce a character that a later one replaces, so one pass does them all.
char foldChar(char c) {
    for (const auto& [from, to] : FoldTable) {
        if (c == from) {
            c = static_cast<char>(to);
            break;
        }
    }
    const unsigned char b = byteOf(c);
    if (b >= 'A' && b <= 'Z') return static_cast<char>(b - 'A' + 'a');
    // The two capitals the table brings in have their small letters 0x20 higher in Windows-1252.
    if (b == 0xD6 || b == 0xDC) return static_cast<char>(b + 0x20);
    return c;
}

}  // namespace

bool LikeMatch(std::string_view text, std::string_view pattern) {
    const auto compiled = compile(pattern);
    return compiled && matches(text, *compiled);
}

std::string FoldName(std::string_view text) {
    std::string folded(text);
    std::transform(folded.begin(), folded.end(), folded.begin(), foldChar);
    return folded;
}

bool NameMatches(std::string_view name, std::string_view pattern) {
    return LikeMatch(FoldName(name), FoldName(pattern));
}

}  // namespace morva
