#pragma once

#include <string>
#include <string_view>

namespace morva {

// Case rules of the program: only ASCII letters change case; every other byte stays as it is.
std::string LowerCase(std::string_view text);
std::string UpperCase(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);

}  // namespace morva
