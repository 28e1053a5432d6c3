#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace morva {

// "True" or "False" in any case, or a number (0 is false, any other number true).
std::optional<bool> ParseFlag(std::string_view text);
// A decimal number from -32768 to 32767; a fraction rounds to the nearest whole number, a half to
// the even neighbour.
std::optional<std::int16_t> ParseInt16(std::string_view text);
// A TCP port from 1 to 65535, or 0 for none. A negative number from -32768 on is the port it meant
// when ports were kept in 16 signed bits (-25536 is 40000).
std::optional<int> ParsePort(std::string_view text);
// A decimal number with an optional fraction.
std::optional<double> ParseDecimal(std::string_view text);

}  // namespace morva
