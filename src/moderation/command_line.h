#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace morva {

// A command line taken apart: the word before the first blank, lower-cased, and the argument after
// that blank exactly as typed (later blanks included).
struct CommandLine {
    std::string word;
    std::string argument;
};

// Drops the prefix (the "/" or the trigger) and splits the rest.
CommandLine SplitCommandLine(std::string_view line, std::size_t prefixLength);

// The pieces of "a, b, c" in order; a text without ", " is one piece.
std::vector<std::string> SplitList(std::string_view list);

}  // namespace morva
