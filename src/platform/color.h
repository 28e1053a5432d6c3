#pragma once

#include <cstdint>

namespace morva {

// A 24-bit colour as the panes and the member list take it.
struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

constexpr Rgb RGB(int r, int g, int b) {
    return Rgb{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b)};
}

}  // namespace morva
