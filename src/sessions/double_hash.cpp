#include "sessions/double_hash.h"

#include <algorithm>
#include <bit>
#include <cstddef>

#include "sessions/cls_buffer.h"

namespace morva {

namespace {
constexpr std::size_t BlockLength = 64;
constexpr std::int32_t ClientToken = 0;

std::uint32_t readLittleEndian(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

std::array<std::uint32_t, 80> expand(const std::array<std::uint8_t, 64>& block) {
    std::array<std::uint32_t, 80> w{};
    for (std::size_t t = 0; t < 16; ++t) w[t] = readLittleEndian(&block[4 * t]);
    for (std::size_t t = 16; t < 80; ++t) {
        const std::uint32_t x = w[t - 3] ^ w[t - 8] ^ w[t - 14] ^ w[t - 16];
        w[t] = std::uint32_t{1} << (x & 31);
    }
    return w;
}

std::uint32_t roundFunction(std::size_t t, std::uint32_t b, std::uint32_t c, std::uint32_t d) {
    if (t < 20) return (b & c) | (~b & d);
    if (t < 40) return b ^ c ^ d;
    if (t < 60) return (b & c) | (b & d) | (c & d);
    return b ^ c ^ d;
}

std::uint32_t roundConstant(std::size_t t) {
    if (t < 20) return 0x5A827999;
    if (t < 40) return 0x6ED9EBA1;
    if (t < 60) return 0x8F1BBCDC;
    return 0xCA62C1D6;
}
}  // namespace

void HashBlock(std::array<std::uint32_t, 5>& state, const std::array<std::uint8_t, 64>& block) {
    const std::array<std::uint32_t, 80> w = expand(block);
    auto [a, b, c, d, e] = state;
    for (std::size_t t = 0; t < 80; ++t) {
        const std::uint32_t temp = w[t] + e + std::rotl(a, 5) + roundFunction(t, b, c, d) + roundConstant(t);
        e = d;
        d = c;
        c = std::rotl(b, 30);
        b = a;
        a = temp;
    }
    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;
    state[4] += e;
}

std::string BrokenSHA1(std::string_view data) {
    std::array<std::uint32_t, 5> state{0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476, 0xC3D2E1F0};
    // "<=": an input whose length is a multiple of 64 (the empty one too) ends with an all-zero block.
    for (std::size_t p = 0; p <= data.size(); p += BlockLength) {
        std::array<std::uint8_t, 64> block{};
        const std::size_t n = std::min(BlockLength, data.size() - p);
        std::copy_n(data.begin() + static_cast<std::ptrdiff_t>(p), n, block.begin());
        HashBlock(state, block);
    }
    clsBuffer digest;
    for (const std::uint32_t word : state) digest.iDWORD(static_cast<std::int32_t>(word));
    return digest.Body();
}

std::string DoubleHash(std::string_view password, std::uint32_t serverToken) {
    clsBuffer data;
    data.iDWORD(ClientToken);
    data.iDWORD(static_cast<std::int32_t>(serverToken));
    data.iNonNTString(BrokenSHA1(password));
    return BrokenSHA1(data.Body());
}

}  // namespace morva
