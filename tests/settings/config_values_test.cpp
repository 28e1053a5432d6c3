#include "settings/config_values.h"

#include <gtest/gtest.h>

#include <optional>

namespace morva {
namespace {

TEST(ParseFlag, AcceptsWordsInAnyCaseAndNumbers) {
    const std::pair<const char*, std::optional<bool>> cases[] = {
        {"True", true},     {"TRUE", true},        {"true", true},      {"1", true},
        {"-1", true},       {"2.5", true},         {"False", false},    {"fAlSe", false},
        {"0", false},       {"0.0", false},        {" True ", true},    {"maybe", std::nullopt},
        {"", std::nullopt}, {"yes", std::nullopt}, {"1x", std::nullopt}};
    for (const auto& [text, expected] : cases) EXPECT_EQ(ParseFlag(text), expected) << '"' << text << '"';
}

TEST(ParseInt16, ReadsSixteenBitNumbersRoundingHalvesToEven) {
    const std::pair<const char*, std::optional<std::int16_t>> cases[] = {{"6112", 6112},
                                                                         {"-32768", -32768},
                                                                         {"32767", 32767},
                                                                         {"32768", std::nullopt},
                                                                         {"-32769", std::nullopt},
                                                                         {"2.5", 2},
                                                                         {"3.5", 4},
                                                                         {"-2.5", -2},
                                                                         {"2.6", 3},
                                                                         {"+7", 7},
                                                                         {" 12 ", 12},
                                                                         {"", std::nullopt},
                                                                         {"abc", std::nullopt},
                                                                         {"12abc", std::nullopt},
                                                                         {".", std::nullopt},
                                                                         {"1.2.3", std::nullopt},
                                                                         {"32767.4", 32767},
                                                                         {"32767.5", std::nullopt}};
    for (const auto& [text, expected] : cases) EXPECT_EQ(ParseInt16(text), expected) << '"' << text << '"';
}

TEST(ParsePort, ReadsOneTo65535AndOldSixteenBitNegatives) {
    const std::pair<const char*, std::optional<int>> cases[] = {{"6112", 6112},
                                                                {"40000", 40000},
                                                                {"65535", 65535},
                                                                {"1", 1},
                                                                {"0", 0},
                                                                {"-25536", 40000},
                                                                {"-1", 65535},
                                                                {"-32768", 32768},
                                                                {"65536", std::nullopt},
                                                                {"-32769", std::nullopt},
                                                                {"", std::nullopt},
                                                                {"http", std::nullopt}};
    for (const auto& [text, expected] : cases) EXPECT_EQ(ParsePort(text), expected) << '"' << text << '"';
}

TEST(ParseDecimal, ReadsTwips) {
    EXPECT_EQ(ParseDecimal("12375"), 12375.0);
    EXPECT_EQ(ParseDecimal("8655.5"), 8655.5);
    EXPECT_EQ(ParseDecimal("-15"), -15.0);
    EXPECT_EQ(ParseDecimal("wide"), std::nullopt);
}

}  // namespace
}  // namespace morva
