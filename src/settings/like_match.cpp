#include "settings/like_match.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
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

// Calls visit with each element of a pattern, runs of stars merged into one; false when a "[" is
// never closed.
template <class Visit>
bool forEachElement(std::string_view pattern, Visit visit) {
    bool afterStar = false;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '*') {
            if (!afterStar) visit(Element{true, {}});
            afterStar = true;
            continue;
        }
        afterStar = false;
        if (c == '?') {
            visit(one(ByteSet().negated()));
        } else if (c == '#') {
            visit(digit());
        } else if (c == '[') {
            const std::size_t close = pattern.find(']', i + 1);
            if (close == std::string_view::npos) return false;
            visit(list(pattern.substr(i + 1, close - i - 1)));
            i = close;
        } else {
            visit(literal(c));
        }
    }
    return true;
}

constexpr std::size_t WordBits = 64;

// A set of pattern positions, one bit each: bit i stands for "the first i elements are matched".
// Up to InPlace words live in place, so that the patterns people write cost no allocation.
template <std::size_t InPlace>
class Positions {
public:
    explicit Positions(std::size_t words) : data_(local_.data()) {
        if (words <= InPlace) return;
        heap_.resize(words);
        data_ = heap_.data();
    }
    Positions(const Positions&) = delete;
    Positions& operator=(const Positions&) = delete;

    std::uint64_t& operator[](std::size_t word) { return data_[word]; }
    std::uint64_t operator[](std::size_t word) const { return data_[word]; }
    const std::uint64_t* from(std::size_t word) const { return data_ + word; }
    void set(std::size_t i) { data_[i / WordBits] |= std::uint64_t{1} << (i % WordBits); }

private:
    std::array<std::uint64_t, InPlace> local_{};
    std::vector<std::uint64_t> heap_;
    std::uint64_t* data_;
};

// The pattern run as a set of positions that all move on together, one text character at a time:
// time is text length × pattern length / 64 whatever the stars and classes, with nothing to
// backtrack (a matcher that backtracks to its last star takes text length × pattern length).
class Matcher {
public:
    Matcher(std::string_view pattern, std::size_t elements)
        : end_(elements), words_(end_ / WordBits + 1), takes_(256 * words_), stars_(words_) {
        std::size_t i = 0;
        forEachElement(pattern, [&](const Element& element) {
            if (element.star) {
                stars_.set(i++);
                return;
            }
            element.accepts.forEach([&](unsigned byte) {
                takes_[byte * words_ + i / WordBits] |= std::uint64_t{1} << (i % WordBits);
            });
            ++i;
        });
    }

    bool matches(std::string_view text) const {
        Positions<1> at(words_);
        at.set(0);
        at[0] |= (at[0] & stars_[0]) << 1;
        for (const char c : text)
            if (!step(&at[0], takes_.from(byteOf(c) * words_))) return false;
        return (at[end_ / WordBits] >> (end_ % WordBits)) & 1;
    }

private:
    // Moves every position on by one character: past an element that takes it, or staying on a star,
    // which takes it too. Then a position before a star is one after it too, as a star may take
    // nothing; runs of stars are merged, so one pass does it. False when no position is left.
    bool step(std::uint64_t* at, const std::uint64_t* takes) const {
        const std::uint64_t* stars = stars_.from(0);
        std::uint64_t taken = 0, starred = 0, any = 0;
        for (std::size_t w = 0; w < words_; ++w) {
            const std::uint64_t takenBefore = taken, starredBefore = starred;
            const std::uint64_t now = at[w], star = stars[w];
            taken = now & takes[w];
            std::uint64_t next = (taken << 1) | (takenBefore >> (WordBits - 1)) | (now & star);
            starred = next & star;
            next |= (starred << 1) | (starredBefore >> (WordBits - 1));
            at[w] = next;
            any |= next;
        }
        return any != 0;
    }

    std::size_t end_;
    std::size_t words_;
    // For each byte, the positions whose element takes it; the positions of the stars.
    Positions<256> takes_;
    Positions<1> stars_;
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
    std::size_t elements = 0;
    if (!forEachElement(pattern, [&](const Element&) { ++elements; })) return false;
    return Matcher(pattern, elements).matches(text);
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
