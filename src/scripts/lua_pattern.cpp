#include "scripts/lua_pattern.h"

#include <cstdio>
#include <cstring>
#include <optional>

namespace morva {

namespace {

constexpr char Escape = '%';
// Lua's limit on the nesting of pattern items, which bounds the matcher's own stack.
constexpr int MaxDepth = 200;

// The character classes by the C locale's rules, whatever locale the program runs in: a script's
// patterns mean the same everywhere.
bool isUpper(unsigned char c) {
    return c >= 'A' && c <= 'Z';
}
bool isLower(unsigned char c) {
    return c >= 'a' && c <= 'z';
}
bool isDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}
bool isAlpha(unsigned char c) {
    return isUpper(c) || isLower(c);
}
bool isGraph(unsigned char c) {
    return c > 32 && c < 127;
}

// Whether c is in the class a lower-case letter names; nothing when it names none.
std::optional<bool> inClass(unsigned char c, unsigned char letter) {
    switch (letter) {
        case 'a':
            return isAlpha(c);
        case 'c':
            return c < 32 || c == 127;
        case 'd':
            return isDigit(c);
        case 'g':
            return isGraph(c);
        case 'l':
            return isLower(c);
        case 'p':
            return isGraph(c) && !isAlpha(c) && !isDigit(c);
        case 's':
            return c == ' ' || (c >= '\t' && c <= '\r');
        case 'u':
            return isUpper(c);
        case 'w':
            return isAlpha(c) || isDigit(c);
        case 'x':
            return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        case 'z':
            return c == '\0';  // kept by Lua for old scripts
        default:
            return std::nullopt;
    }
}

// A class letter in upper case matches the rest of its class; any other character stands for itself.
bool matchClass(unsigned char c, unsigned char letter) {
    const std::optional<bool> in = inClass(c, isUpper(letter) ? letter - 'A' + 'a' : letter);
    if (!in) return letter == c;
    return isUpper(letter) ? !*in : *in;
}

}  // namespace

LuaPattern::LuaPattern(std::string_view subject, std::string_view pattern, long long budget)
    : subject_(subject.data()),
      subjectEnd_(subject.data() + subject.size()),
      pattern_(pattern.data()),
      patternEnd_(pattern.data() + pattern.size()),
      budget_(budget) {}

bool LuaPattern::matchAt(std::size_t at, std::size_t patternStart) {
    level_ = 0;
    depth_ = MaxDepth;
    const char* e = match(subject_ + at, pattern_ + patternStart);
    if (!e) return false;
    end_ = static_cast<std::size_t>(e - subject_);
    return true;
}

long long LuaPattern::takeSpent() {
    const long long spent = spent_ - spentBefore_;
    spentBefore_ = spent_;
    return spent;
}

void LuaPattern::fail(const char* format, int number) {
    if (error_[0] == '\0') std::snprintf(error_, sizeof error_, format, number);
}

bool LuaPattern::step(long long count) {
    spent_ += count;
    if (spent_ > budget_) outOfBudget_ = true;
    return !outOfBudget_;
}

const char* LuaPattern::classEnd(const char* p) {
    const char c = *p++;
    if (c == Escape) {
        if (p >= patternEnd_) fail("malformed pattern (ends with '%%')");
        return p + 1;
    }
    if (c == '[') {
        if (at(p) == '^') p++;
        // The first character of a set is taken as it is, so "[]]" holds "]".
        do {
            if (p >= patternEnd_) {
                fail("malformed pattern (missing ']')");
                return p;
            }
            if (*(p++) == Escape && p < patternEnd_) p++;
        } while (at(p) != ']');
        return p + 1;
    }
    return p;
}

bool LuaPattern::matchBracketClass(unsigned char c, const char* p, const char* ec) const {
    bool in = true;
    if (*(p + 1) == '^') {
        in = false;
        p++;
    }
    while (++p < ec) {
        if (*p == Escape) {
            p++;
            if (matchClass(c, static_cast<unsigned char>(*p))) return in;
        } else if (*(p + 1) == '-' && p + 2 < ec) {
            p += 2;
            if (static_cast<unsigned char>(*(p - 2)) <= c && c <= static_cast<unsigned char>(*p)) return in;
        } else if (static_cast<unsigned char>(*p) == c) {
            return in;
        }
    }
    return !in;
}

bool LuaPattern::singleMatch(const char* s, const char* p, const char* ep) const {
    if (s >= subjectEnd_) return false;
    const auto c = static_cast<unsigned char>(*s);
    switch (*p) {
        case '.':
            return true;
        case Escape:
            return matchClass(c, static_cast<unsigned char>(*(p + 1)));
        case '[':
            return matchBracketClass(c, p, ep - 1);
        default:
            return static_cast<unsigned char>(*p) == c;
    }
}

const char* LuaPattern::matchBalance(const char* s, const char* p) {
    if (p + 1 >= patternEnd_) {
        fail("malformed pattern (missing arguments to '%%b')");
        return nullptr;
    }
    if (s >= subjectEnd_ || *s != *p) return nullptr;
    const char open = *p, close = *(p + 1);
    int depth = 1;
    while (++s < subjectEnd_) {
        if (!step()) return nullptr;
        if (*s == close) {
            if (--depth == 0) return s + 1;
        } else if (*s == open) {
            depth++;
        }
    }
    return nullptr;
}

const char* LuaPattern::matchCapture(const char* s, int index) {
    index -= '1';
    if (index < 0 || index >= level_ || capture_[index].length == Unfinished) {
        fail("invalid capture index %%%d", index + 1);
        return nullptr;
    }
    const std::ptrdiff_t length = capture_[index].length;
    if (length < 0 || subjectEnd_ - s < length || !step(length)) return nullptr;
    return std::memcmp(capture_[index].start, s, static_cast<std::size_t>(length)) == 0 ? s + length
                                                                                        : nullptr;
}

const char* LuaPattern::startCapture(const char* s, const char* p, std::ptrdiff_t what) {
    if (level_ >= MaxCaptures) {
        fail("too many captures");
        return nullptr;
    }
    capture_[level_] = Capture{s, what};
    level_++;
    const char* result = match(s, p);
    if (!result) level_--;
    return result;
}

const char* LuaPattern::endCapture(const char* s, const char* p) {
    int open = level_ - 1;
    while (open >= 0 && capture_[open].length != Unfinished) open--;
    if (open < 0) {
        fail("invalid pattern capture");
        return nullptr;
    }
    capture_[open].length = s - capture_[open].start;
    const char* result = match(s, p);
    if (!result) capture_[open].length = Unfinished;
    return result;
}

// The longest run of the item first, then ever shorter ones.
const char* LuaPattern::maxExpand(const char* s, const char* p, const char* ep) {
    std::ptrdiff_t count = 0;
    while (singleMatch(s + count, p, ep)) {
        if (!step(ep - p)) return nullptr;
        count++;
    }
    for (; count >= 0; count--) {
        if (const char* result = match(s + count, ep + 1)) return result;
        if (failed()) return nullptr;
    }
    return nullptr;
}

// The shortest run of the item first, then ever longer ones.
const char* LuaPattern::minExpand(const char* s, const char* p, const char* ep) {
    for (;;) {
        if (const char* result = match(s, ep + 1)) return result;
        if (failed() || !singleMatch(s, p, ep) || !step(ep - p)) return nullptr;
        s++;
    }
}

// One pattern item after another; an item that may match in several ways recurses for the rest.
const char* LuaPattern::match(const char* s, const char* p) {
    if (depth_-- == 0) {
        fail("pattern too complex");
        return nullptr;
    }
    for (bool more = true; more && step() && p != patternEnd_;) s = matchItem(s, p, more);
    depth_++;
    return failed() ? nullptr : s;
}

// Either the item at p matches once at s and p moves past it (more stays set), or the rest of the
// match is settled here, by recursion or failure, and its end is returned.
const char* LuaPattern::matchItem(const char* s, const char*& p, bool& more) {
    more = false;
    switch (*p) {
        case '(':
            return at(p + 1) == ')' ? startCapture(s, p + 2, Position) : startCapture(s, p + 1, Unfinished);
        case ')':
            return endCapture(s, p + 1);
        case '$':
            if (p + 1 == patternEnd_) return s == subjectEnd_ ? s : nullptr;
            break;
        case Escape:
            if (at(p + 1) == 'b') {
                s = matchBalance(s, p + 2);
                p += 4;
                more = s != nullptr;
                return s;
            }
            if (at(p + 1) == 'f') return matchFrontier(s, p, more);
            if (isDigit(static_cast<unsigned char>(at(p + 1)))) {
                s = matchCapture(s, at(p + 1));
                p += 2;
                more = s != nullptr;
                return s;
            }
            break;
    }
    return matchSingle(s, p, more);
}

// "%f[set]": the character before s is not in the set and the one at s is; the subject's ends count
// as "\0".
const char* LuaPattern::matchFrontier(const char* s, const char*& p, bool& more) {
    p += 2;
    if (at(p) != '[') {
        fail("missing '[' after '%%f' in pattern");
        return nullptr;
    }
    const char* ep = classEnd(p);
    if (failed()) return nullptr;
    const auto previous = static_cast<unsigned char>(s == subject_ ? '\0' : *(s - 1));
    const auto current = static_cast<unsigned char>(s < subjectEnd_ ? *s : '\0');
    more = !matchBracketClass(previous, p, ep - 1) && matchBracketClass(current, p, ep - 1);
    p = ep;
    return more ? s : nullptr;
}

// A single character class with what may follow it: "*", "+", "-" or "?".
const char* LuaPattern::matchSingle(const char* s, const char*& p, bool& more) {
    const char* ep = classEnd(p);
    // A set is read once per character it is tried on: a long one costs its length each time.
    if (failed() || !step(ep - p)) return nullptr;
    const char suffix = at(ep);
    if (!singleMatch(s, p, ep)) {
        more = suffix == '*' || suffix == '?' || suffix == '-';
        p = ep + 1;
        return more ? s : nullptr;
    }
    switch (suffix) {
        case '?':
            if (const char* result = match(s + 1, ep + 1)) return result;
            more = !failed();
            p = ep + 1;
            return s;
        case '+':
            return maxExpand(s + 1, p, ep);
        case '*':
            return maxExpand(s, p, ep);
        case '-':
            return minExpand(s, p, ep);
        default:
            more = true;
            p = ep;
            return s + 1;
    }
}

}  // namespace morva
