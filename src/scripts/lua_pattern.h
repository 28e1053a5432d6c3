#pragma once

#include <cstddef>
#include <string_view>

namespace morva {

// Lua's pattern language (string.find, match, gmatch, gsub) with a budget of steps. Lua's own matcher
// runs in C, where the instruction count cannot stop it, and some patterns take time that grows with a
// power of the subject's length ("(.-)(.-)(.-)x" over a long line). This one gives the same results and
// the same errors, and gives up once it has tried as many characters as its budget allows.
//
// It holds nothing that needs a destructor: the functions that use it may leave by Lua's longjmp.
class LuaPattern {
public:
    static constexpr int MaxCaptures = 32;
    // The length of a capture that is still open, and of a position capture "()".
    static constexpr std::ptrdiff_t Unfinished = -1;
    static constexpr std::ptrdiff_t Position = -2;

    LuaPattern(std::string_view subject, std::string_view pattern, long long budget);

    // Matches the pattern, from its byte patternStart on, at subject offset at, forgetting the captures
    // of an earlier attempt. Returns whether it matched; end() then tells where the match ends. On a
    // fault of the pattern or the end of the budget it returns false and failed() says so.
    bool matchAt(std::size_t at, std::size_t patternStart = 0);
    std::size_t end() const { return end_; }
    int captures() const { return level_; }
    // Where capture index starts in the subject, and its length (or Unfinished, or Position).
    std::size_t captureStart(int index) const { return capture_[index].start - subject_; }
    std::ptrdiff_t captureLength(int index) const { return capture_[index].length; }

    bool failed() const { return error_[0] != '\0' || outOfBudget_; }
    // The fault of the pattern, in Lua's words.
    const char* error() const { return error_; }
    // The steps taken since the last call; the count starts again.
    long long takeSpent();

private:
    void fail(const char* format, int number = 0);
    const char* match(const char* s, const char* p);
    const char* matchItem(const char* s, const char*& p, bool& more);
    const char* matchFrontier(const char* s, const char*& p, bool& more);
    const char* matchSingle(const char* s, const char*& p, bool& more);
    const char* maxExpand(const char* s, const char* p, const char* ep);
    const char* minExpand(const char* s, const char* p, const char* ep);
    const char* startCapture(const char* s, const char* p, std::ptrdiff_t what);
    const char* endCapture(const char* s, const char* p);
    const char* matchBalance(const char* s, const char* p);
    const char* matchCapture(const char* s, int index);
    const char* classEnd(const char* p);
    bool singleMatch(const char* s, const char* p, const char* ep) const;
    bool matchBracketClass(unsigned char c, const char* p, const char* ec) const;
    bool step(long long count = 1);
    char at(const char* p) const { return p < patternEnd_ ? *p : '\0'; }

    struct Capture {
        const char* start;
        std::ptrdiff_t length;
    };

    const char* subject_;
    const char* subjectEnd_;
    const char* pattern_;
    const char* patternEnd_;
    long long budget_;
    long long spent_ = 0;
    long long spentBefore_ = 0;
    bool outOfBudget_ = false;
    int depth_ = 0;
    int level_ = 0;
    std::size_t end_ = 0;
    Capture capture_[MaxCaptures] = {};
    char error_[80] = {};
};

}  // namespace morva
