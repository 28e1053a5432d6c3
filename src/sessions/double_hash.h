#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace morva {

// The server's variant of SHA-1: the SHA-1 rounds, but each expanded word is the single bit
// 1 << (x & 31) instead of x rotated by one, words are read and written little-endian, and the
// input is padded with zero bytes only (no 0x80 marker, no length), with a block starting at every
// multiple of 64 up to and including the input length. The result is 20 bytes.
std::string BrokenSHA1(std::string_view data);

// One 80-step compression of a 64-byte block into the five state words.
void HashBlock(std::array<std::uint32_t, 5>& state, const std::array<std::uint8_t, 64>& block);

// The logon's password proof: BrokenSHA1 of the client token (always 0), the server token (both
// 4 bytes little-endian) and BrokenSHA1 of the password as given, byte for byte. 20 bytes.
std::string DoubleHash(std::string_view password, std::uint32_t serverToken);

}  // namespace morva
