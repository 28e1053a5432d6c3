#include "settings/like_match.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace morva {

namespace {

// The bytes one element takes, 64 to a word, so that the set ones are found without a test of all
// 256.
struct ByteSet {
    std::array<std::uint64_t, 4> words{};

    void add(unsigned byte) { words[byte / 64] |= std::uint64_t{1} << (byte % 64); }
    ByteSet negated() const {
        ByteSet others;
        for (std::size_t w = 0; w < words.size(); ++w) others.words[w] = ~words[w];
        return others;
    }
    template <class Visit>
    void forEach(Visit visit) const {
        for (std::size_t w = 0; w < words.size(); ++w)
            for (std::uint64_t bits = words[w]; bits != 0; bits &= bits - 1)
                visit(static_cast<unsigned>(w * 64 + static_cast<std::size_t>(std::countr_zero(bits))));
    }
};

// One element of a compiled pattern: a star, or exactly one character out of a set of bytes.
struct Element {
    bool star = false;
    ByteSet accepts;
};

unsigned char byteOf(char c) {
    return static_cast<unsigned char>(c);
}

Element one(ByteSet accepts) {
    return Element{false, accepts};
}

Element literal(char c) {
    ByteSet accepts;
    accepts.add(byteOf(c));
    return one(accepts);
}

Element digit() {
    ByteSet accepts;
    for (char c = '0'; c <= '9'; ++c) accepts.add(byteOf(c));
    return one(accepts);
}

// The inside of "[...]", without the brackets.
Element list(std::string_view inside) {
    const bool negated = !inside.empty() && inside.front() == '!';
    if (negated) inside.remove_prefix(1);
    ByteSet accepts;
    for (std::size_t i = 0; i < inside.size();) {
        if (i + 2 < inside.size() && inside[i + 1] == '-') {
            const unsigned from = byteOf(inside[i]), to = byteOf(inside[i + 2]);
            for (unsigned code = std::min(from, to); code <= std::max(from, to); ++code) accepts.add(code);
            i += 3;
        } else {
            accepts.add(byteOf(inside[i]));
            ++i;
        }
    }
    return one(negated ? accepts.negated() : accepts);
}

// The elements of a pattern, runs of stars merged into one; nothing when a "[" is never closed.
std::optional<std::vector<Element>> compile(std::string_view pattern) {
    std::vector<Element> elements;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '*') {
            if (elements.empty() || !elements.back().star) elements.push_back(Element{true, {}});
        } else if (c == '?') {
            elements.push_back(one(ByteSet().negated()));
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

// A set of pattern positions, one bit each: bit i stands for "the first i elements are matched".
using Positions = std::vector<std::uint64_t>;

constexpr std::size_t WordBits = 64;

void set(Positions& bits, std::size_t i) {
    bits[i / WordBits] |= std::uint64_t{1} << (i % WordBits);
}

// The pattern run as a set of positions that all move on together, one text character at a time:
// time is text length × pattern length / 64 whatever the stars and classes, with nothing to
// backtrack (a matcher that backtracks to its last star takes text length × pattern length).
class Matcher {
public:
    explicit Matcher(const std::vector<Element>& pattern)
        : end_(pattern.size()), words_(end_ / WordBits + 1), takes_(256 * words_), stars_(words_) {
        for (std::size_t i = 0; i < pattern.size(); ++i) {
            if (pattern[i].star) {
                set(stars_, i);
                continue;
            }
            pattern[i].accepts.forEach([&](unsigned byte) {
                takes_[byte * words_ + i / WordBits] |= std::uint64_t{1} << (i % WordBits);
            });
        }
    }

    bool matches(std::string_view text) const {
        Positions at(words_);
        set(at, 0);
        at[0] |= (at[0] & stars_[0]) << 1;
        for (const char c : text)
            if (!step(at, &takes_[byteOf(c) * words_])) return false;
        return (at[end_ / WordBits] >> (end_ % WordBits)) & 1;
    }

private:
    // Moves every position on by one character: past an element that takes it, or staying on a star,
    // which takes it too. Then a position before a star is one after it too, as a star may take
    // nothing; runs of stars are merged, so one pass does it. False when no position is left.
    bool step(Positions& at, const std::uint64_t* takes) const {
        std::uint64_t taken = 0, starred = 0, any = 0;
        for (std::size_t w = 0; w < words_; ++w) {
            const std::uint64_t takenBefore = taken, starredBefore = starred;
            taken = at[w] & takes[w];
            at[w] = (taken << 1) | (takenBefore >> (WordBits - 1)) | (at[w] & stars_[w]);
            starred = at[w] & stars_[w];
            at[w] |= (starred << 1) | (starredBefore >> (WordBits - 1));
            any |= at[w];
        }
        return any != 0;
    }

    std::size_t end_;
    std::size_t words_;
    // For each byte, the positions whose element takes it; the positions of the stars.
    Positions takes_;
    Positions stars_;
};

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
    return compiled && Matcher(*compiled).matches(text);
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
