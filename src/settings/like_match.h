#pragma once

#include <string>
#include <string_view>

namespace morva {

// True when the whole text matches the whole pattern. Pattern elements: "*" any run of characters
// (the empty run too), "?" one character, "#" one digit, "[list]" one character in the list and
// "[!list]" one character not in it; inside a list "a-z" is an inclusive range of byte values, a "-"
// at the start or end stands for itself, and so do "[", "*", "?" and "#". Anything else, "]" outside a
// list included, stands for itself, compared by byte value (so case matters). A pattern with a "["
// that is never closed is invalid and matches nothing.
bool LikeMatch(std::string_view text, std::string_view pattern);

// A name as name patterns compare it: the characters that are special to LikeMatch (and a few more)
// become Windows-1252 letters and signs, then letters are lower-cased. After folding, only "*" and "?"
// are wildcards in a name pattern.
std::string FoldName(std::string_view text);

// A name against a name pattern, without regard to case: LikeMatch of both sides folded.
bool NameMatches(std::string_view name, std::string_view pattern);

}  // namespace morva
