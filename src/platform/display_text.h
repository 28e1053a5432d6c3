#pragma once

#include <string>
#include <string_view>

namespace morva {

// Bytes as a face shows them: valid UTF-8 stays as it is, anything else is read as Windows-1252.
// The result is UTF-8.
std::string DisplayText(std::string_view bytes);
bool IsValidUtf8(std::string_view bytes);

}  // namespace morva
