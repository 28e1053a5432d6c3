#pragma once

#include <string>
#include <string_view>

namespace morva {

// Case rules of the program: only ASCII letters change case; every other byte stays as it is.
std::string LowerCase(std::string_view text);
inline char LowerCaseByte(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
std::string UpperCase(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);

}  // namespace morva
