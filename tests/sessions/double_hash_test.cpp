#include "sessions/double_hash.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace morva {
namespace {

using namespace std::string_literals;

std::string Hex(const std::string& bytes) {
    std::string hex;
    char pair[3];
    for (const char byte : bytes) {
        std::snprintf(pair, sizeof pair, "%02x", static_cast<unsigned char>(byte));
        hex += pair;
    }
    return hex;
}

// The printable bytes 0x20, 0x21, ... : inputs around the 64-byte block edge.
std::string Printable(std::size_t length) {
    std::string text;
    for (std::size_t i = 0; i < length; ++i) text.push_back(static_cast<char>(0x20 + i));
    return text;
}

constexpr std::array<std::uint32_t, 5> InitialState{0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476,
                                                    0xC3D2E1F0};

std::string LittleEndianDigest(const std::array<std::uint32_t, 5>& state) {
    std::string digest;
    for (const std::uint32_t word : state)
        for (int i = 0; i < 4; ++i) digest.push_back(static_cast<char>(word >> (8 * i)));
    return digest;
}

std::array<std::uint8_t, 64> BlockOf(const std::string& bytes) {
    std::array<std::uint8_t, 64> block{};
    for (std::size_t i = 0; i < bytes.size() && i < block.size(); ++i)
        block[i] = static_cast<std::uint8_t>(bytes[i]);
    return block;
}

struct DigestCase {
    const char* name;
    std::string input;
    const char* digest;
};

class BrokenSha1Digest : public ::testing::TestWithParam<DigestCase> {};

TEST_P(BrokenSha1Digest, MatchesReference) {
    const std::string digest = BrokenSHA1(GetParam().input);
    EXPECT_EQ(digest.size(), 20u);
    EXPECT_EQ(Hex(digest), GetParam().digest);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, BrokenSha1Digest,
    ::testing::Values(DigestCase{"Abc", "abc", "7a7af57b99e91bcce6dc75f981fe2255d6c878ab"},
                      DigestCase{"Empty", "", "eea03a4d5a1d2694576f4a5860998d6b80c64615"},
                      DigestCase{"Bytes63", Printable(63), "15f367198fa079e8afd0e8901b8966c8e0fc9846"},
                      DigestCase{"Bytes64", Printable(64), "20a3dc44efa942f38842f0cf259bb1a2c451e8fc"},
                      DigestCase{"Bytes65", Printable(65), "425ee22de1a267d2f817adf51b4c16ebe1620dbd"},
                      DigestCase{"HighBytes", "\xFF\x80\xE9\x7F\x00\xC3"s,
                                 "c52e09e4d289572557164e65130c2885cdde8108"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HashBlock, CompressesOneBlockIntoTheState) {
    auto state = InitialState;
    HashBlock(state, BlockOf(Printable(64)));
    EXPECT_EQ(Hex(LittleEndianDigest(state)), "611142b1d9ba49205782473080be7bcaeb56a110");
}

TEST(BrokenSha1, EmptyInputIsOneAllZeroBlock) {
    auto state = InitialState;
    HashBlock(state, {});
    EXPECT_EQ(BrokenSHA1(""), LittleEndianDigest(state));
}

TEST(BrokenSha1, InputOfWholeBlocksEndsWithAnAllZeroBlock) {
    auto state = InitialState;
    HashBlock(state, BlockOf(Printable(64)));
    HashBlock(state, {});
    EXPECT_EQ(BrokenSHA1(Printable(64)), LittleEndianDigest(state));
}

TEST(BrokenSha1, ShortInputIsOneBlock) {
    auto state = InitialState;
    HashBlock(state, BlockOf(Printable(63)));
    EXPECT_EQ(BrokenSHA1(Printable(63)), LittleEndianDigest(state));
}

// Padding is zero bytes and nothing else: a trailing 0x00 changes the digest only when it starts
// another block.
struct TrailingZeroCase {
    const char* name;
    std::string input;
    bool sameDigest;
};

class BrokenSha1TrailingZero : public ::testing::TestWithParam<TrailingZeroCase> {};

TEST_P(BrokenSha1TrailingZero, MattersOnlyAcrossABlockEdge) {
    const std::string& input = GetParam().input;
    EXPECT_EQ(BrokenSHA1(input) == BrokenSHA1(input + '\0'), GetParam().sameDigest);
}

INSTANTIATE_TEST_SUITE_P(Lengths, BrokenSha1TrailingZero,
                         ::testing::Values(TrailingZeroCase{"Within", "abc", true},
                                           TrailingZeroCase{"FillsTheBlock", Printable(63), false},
                                           TrailingZeroCase{"AfterAWholeBlock", Printable(64), true}),
                         [](const auto& info) { return std::string(info.param.name); });

struct ProofCase {
    const char* name;
    std::string password;
    std::uint32_t serverToken;
    const char* proof;
};

class DoubleHashProof : public ::testing::TestWithParam<ProofCase> {};

TEST_P(DoubleHashProof, MatchesReference) {
    const std::string proof = DoubleHash(GetParam().password, GetParam().serverToken);
    EXPECT_EQ(proof.size(), 20u);
    EXPECT_EQ(Hex(proof), GetParam().proof);
}

INSTANTIATE_TEST_SUITE_P(
    Logons, DoubleHashProof,
    ::testing::Values(
        ProofCase{"Lower", "hunter2", 0x1A2B3C4D, "1679481378ae687b7df3980c4a9d5d043bb75ac1"},
        ProofCase{"CaseKept", "Hunter2", 0x1A2B3C4D, "adb9c50478bb838413986e5f49cc2ad5983d0805"},
        ProofCase{"HighToken", "Secret", 0xDEADBEEF, "6ab39d50141543e5add3f44db8bcb1f2bb8fb088"},
        ProofCase{"EmptyPassword", "", 0, "36a80966dab3d7ad93fa400e1e9a8b83a44ae735"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DoubleHash, DependsOnTheServerToken) {
    EXPECT_NE(DoubleHash("hunter2", 1), DoubleHash("hunter2", 2));
}

}  // namespace
}  // namespace morva
