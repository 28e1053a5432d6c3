#include "sessions/cls_debuffer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

#include "sessions/cls_buffer.h"

namespace morva {
namespace {

using namespace std::string_literals;

clsDebuffer Loaded(const std::string& bytes) {
    clsDebuffer debuffer;
    debuffer.DebuffPacket(bytes);
    return debuffer;
}

// Every consuming read: its result (numbers widened, strings as they are) and what is left after it.
struct ReadCase {
    const char* name;
    std::string content;
    std::function<std::string(clsDebuffer&)> read;
    std::string result;
    std::string rest;
};

std::string Number(std::int64_t value) {
    return std::to_string(value);
}

class ClsDebufferReads : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ClsDebufferReads, ReturnsTheFieldAndConsumesIt) {
    clsDebuffer debuffer = Loaded(GetParam().content);
    EXPECT_EQ(GetParam().read(debuffer), GetParam().result);
    EXPECT_EQ(debuffer.Content(), GetParam().rest);
}

const auto DWord = [](clsDebuffer& d) { return Number(d.DebuffDWORD()); };
const auto Word = [](clsDebuffer& d) { return Number(d.DebuffWORD()); };
const auto Byte = [](clsDebuffer& d) { return Number(d.DebuffBYTE()); };
const auto Filetime = [](clsDebuffer& d) { return d.DebuffFILETIME(); };
const auto NtString = [](clsDebuffer& d) { return d.DebuffNTString(); };
std::function<std::string(clsDebuffer&)> Raw(std::int32_t count) {
    return [count](clsDebuffer& d) { return d.DebuffRaw(count); };
}

INSTANTIATE_TEST_SUITE_P(
    Fields, ClsDebufferReads,
    ::testing::Values(ReadCase{"DwordLowByteFirst", "\x78\x56\x34\x12\xAA"s, DWord, "305419896", "\xAA"s},
                      ReadCase{"DwordNegative", "\xFE\xFF\xFF\xFF"s, DWord, "-2", ""},
                      ReadCase{"DwordShortIsZeroAndUntouched", "\x01\x02\x03"s, DWord, "0", "\x01\x02\x03"s},
                      ReadCase{"DwordEmpty", "", DWord, "0", ""},
                      ReadCase{"WordLowByteFirst", "\x34\x12\x00"s, Word, "4660", "\x00"s},
                      ReadCase{"WordNegative", "\xFF\xFF"s, Word, "-1", ""},
                      ReadCase{"WordShortIsZeroAndUntouched", "\x01"s, Word, "0", "\x01"s},
                      ReadCase{"ByteHighValue", "\xFF\x01"s, Byte, "255", "\x01"s},
                      ReadCase{"ByteEmpty", "", Byte, "0", ""},
                      ReadCase{"FiletimeIsEightRawBytes", "\x00\x01\x02\x03\x04\x05\x06\xFF\x09"s, Filetime,
                               "\x00\x01\x02\x03\x04\x05\x06\xFF"s, "\x09"s},
                      ReadCase{"FiletimeShortIsEmptyAndUntouched", "1234567", Filetime, "", "1234567"},
                      ReadCase{"NtStringStopsAtTerminator",
                               "ab\x00"
                               "cd"s,
                               NtString, "ab", "cd"},
                      ReadCase{"NtStringLastField", "ab\x00"s, NtString, "ab", ""},
                      ReadCase{"NtStringEmptyField", "\x00x"s, NtString, "", "x"},
                      ReadCase{"NtStringUnterminatedIsEmptyAndUntouched", "ab", NtString, "", "ab"},
                      ReadCase{"NtStringEmptyContent", "", NtString, "", ""},
                      ReadCase{"RawTakesCount", "abc", Raw(2), "ab", "c"},
                      ReadCase{"RawTakesEverything", "abc", Raw(3), "abc", ""},
                      ReadCase{"RawShortIsEmptyAndUntouched", "abc", Raw(4), "", "abc"},
                      ReadCase{"RawZero", "abc", Raw(0), "", "abc"},
                      ReadCase{"RawNegativeIsEmptyAndUntouched", "abc", Raw(-1), "", "abc"},
                      // A count past 16 bits must not wrap into a small or negative one.
                      ReadCase{"RawPast16BitsDoesNotWrapToSmall", "abc", Raw(65538), "", "abc"},
                      ReadCase{"RawPast16BitsDoesNotWrapToNegative", "abc", Raw(32768), "", "abc"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ClsDebufferRaw, LargestCountReadsAFullPacket) {
    const std::string packet(32767, '\x5A');
    clsDebuffer debuffer = Loaded(packet + "tail");
    EXPECT_EQ(debuffer.DebuffRaw(32767), packet);
    EXPECT_EQ(debuffer.Content(), "tail");
}

TEST(ClsDebufferRaw, CountPast16BitsFailsEvenWhenTheBytesAreThere) {
    clsDebuffer debuffer = Loaded(std::string(40000, 'x'));
    EXPECT_EQ(debuffer.DebuffRaw(32768), "");
    EXPECT_EQ(debuffer.Content().size(), 40000u);
}

struct DropCase {
    const char* name;
    std::string content;
    std::function<void(clsDebuffer&)> drop;
    std::string rest;
};

class ClsDebufferDrops : public ::testing::TestWithParam<DropCase> {};

TEST_P(ClsDebufferDrops, LeavesTheRest) {
    clsDebuffer debuffer = Loaded(GetParam().content);
    GetParam().drop(debuffer);
    EXPECT_EQ(debuffer.Content(), GetParam().rest);
}

std::function<void(clsDebuffer&)> Advance(std::int32_t count) {
    return [count](clsDebuffer& d) { d.Advance(count); };
}

INSTANTIATE_TEST_SUITE_P(
    Fields, ClsDebufferDrops,
    ::testing::Values(
        DropCase{"ByteFromEmpty", "", [](clsDebuffer& d) { d.RemoveBYTE(); }, ""},
        DropCase{"Byte", "ab", [](clsDebuffer& d) { d.RemoveBYTE(); }, "b"},
        DropCase{"WordFromShort", "a", [](clsDebuffer& d) { d.RemoveWORD(); }, ""},
        DropCase{"Word", "abc", [](clsDebuffer& d) { d.RemoveWORD(); }, "c"},
        DropCase{"DwordFromShort", "abc", [](clsDebuffer& d) { d.RemoveDWORD(); }, ""},
        DropCase{"Dword", "abcde", [](clsDebuffer& d) { d.RemoveDWORD(); }, "e"},
        DropCase{"FiletimeFromShort", "1234567", [](clsDebuffer& d) { d.RemoveFILETIME(); }, ""},
        DropCase{"Filetime", "123456789", [](clsDebuffer& d) { d.RemoveFILETIME(); }, "9"},
        DropCase{"NtStringUnterminatedStays", "ab", [](clsDebuffer& d) { d.RemoveNTString(); }, "ab"},
        DropCase{"NtStringLastField", "ab\x00"s, [](clsDebuffer& d) { d.RemoveNTString(); }, ""},
        DropCase{"NtStringBeforeMore",
                 "ab\x00"
                 "cd"s,
                 [](clsDebuffer& d) { d.RemoveNTString(); }, "cd"},
        DropCase{"NtStringOnlyTheFirst", "\x00\x00"s, [](clsDebuffer& d) { d.RemoveNTString(); }, "\x00"s},
        DropCase{"NtStringFromEmpty", "", [](clsDebuffer& d) { d.RemoveNTString(); }, ""},
        DropCase{"AdvanceWholeContent", "abcd", Advance(4), ""},
        DropCase{"AdvancePastEnd", "ab", Advance(5), ""},
        DropCase{"AdvanceOverMarker", "\xFF\x0C"s, Advance(1), "\x0C"s},
        DropCase{"AdvanceZero", "ab", Advance(0), "ab"},
        DropCase{"AdvanceNegativeDropsNothing", "ab", Advance(-1), "ab"},
        DropCase{"Clear", "abc", [](clsDebuffer& d) { d.Clear(); }, ""},
        DropCase{"DebuffPacketReplaces", "abc", [](clsDebuffer& d) { d.DebuffPacket("xy"); }, "xy"}),
    [](const auto& info) { return std::string(info.param.name); });

// Peeks never consume; the numbers stand 0x20 in for each missing byte.
struct PeekNumberCase {
    std::string content;
    std::int16_t word;
    std::int32_t dword;
};

class ClsDebufferPeekNumbers : public ::testing::TestWithParam<PeekNumberCase> {};

TEST_P(ClsDebufferPeekNumbers, ReadWithoutConsuming) {
    const clsDebuffer debuffer = Loaded(GetParam().content);
    EXPECT_EQ(debuffer.GetWORD(), GetParam().word);
    EXPECT_EQ(debuffer.GetDWORD(), GetParam().dword);
    EXPECT_EQ(debuffer.Content(), GetParam().content);
}

INSTANTIATE_TEST_SUITE_P(Contents, ClsDebufferPeekNumbers,
                         ::testing::Values(PeekNumberCase{"", 0x2020, 0x20202020},
                                           PeekNumberCase{"\x01"s, 0x2001, 0x20202001},
                                           PeekNumberCase{"\x01\x02\x03"s, 0x0201, 0x20030201},
                                           PeekNumberCase{"\x01\x02\x03\x04\x05"s, 0x0201, 0x04030201},
                                           PeekNumberCase{"\xFF\xFF\xFF\xFF"s, -1, -1}));

TEST(ClsDebufferPeek, ByteHasNoValueOnEmptyContent) {
    EXPECT_EQ(Loaded("").GetBYTE(), std::nullopt);
    const clsDebuffer debuffer = Loaded("\xFF\x01"s);
    EXPECT_EQ(debuffer.GetBYTE(), std::uint8_t{0xFF});
    EXPECT_EQ(debuffer.Content(), "\xFF\x01"s);
}

TEST(ClsDebufferPeek, NtStringHasNoValueWithoutTerminator) {
    EXPECT_EQ(Loaded("ab").GetNTString(), std::nullopt);
    EXPECT_EQ(Loaded("").GetNTString(), std::nullopt);
    EXPECT_EQ(Loaded("\x00"s).GetNTString(), "");
    const clsDebuffer debuffer = Loaded(
        "ab\x00"
        "c"s);
    EXPECT_EQ(debuffer.GetNTString(), "ab");
    EXPECT_EQ(debuffer.Content(),
              "ab\x00"
              "c"s);
}

TEST(ClsDebufferPeek, FiletimeTakesUpToEightBytes) {
    EXPECT_EQ(Loaded("abc").GetFILETIME(), "abc");
    const clsDebuffer debuffer = Loaded("0123456789");
    EXPECT_EQ(debuffer.GetFILETIME(), "01234567");
    EXPECT_EQ(debuffer.Content(), "0123456789");
}

struct HasBytesCase {
    std::size_t length;
    std::int16_t count;
    bool has;
};

class ClsDebufferHasBytes : public ::testing::TestWithParam<HasBytesCase> {};

TEST_P(ClsDebufferHasBytes, ComparesLength) {
    EXPECT_EQ(Loaded(std::string(GetParam().length, 'x')).HasBytes(GetParam().count), GetParam().has);
}

INSTANTIATE_TEST_SUITE_P(Counts, ClsDebufferHasBytes,
                         ::testing::Values(HasBytesCase{0, 0, true}, HasBytesCase{0, 1, false},
                                           HasBytesCase{3, 4, false}, HasBytesCase{4, 4, true},
                                           HasBytesCase{5, 4, true}, HasBytesCase{0, -1, true},
                                           HasBytesCase{5, 32767, false}));

// How received packets are read: past the marker for the id, past the header for a body field.
TEST(ClsDebufferPacket, ReadsIdAndBodyFieldsOfAReceivedPacket) {
    const std::string packet = "\xFF\x50\x0C\x00\x00\x00\x00\x00\xEF\xBE\xAD\xDE"s;
    clsDebuffer id = Loaded(packet);
    id.Advance(1);
    EXPECT_EQ(id.DebuffBYTE(), 0x50);

    clsDebuffer token = Loaded(packet);
    token.Advance(8);
    EXPECT_EQ(static_cast<std::uint32_t>(token.DebuffDWORD()), 0xDEADBEEFu);
    EXPECT_EQ(token.Content(), "");
}

TEST(ClsDebufferPacket, ReadsBackWhatTheBuilderSent) {
    clsBuffer buffer;
    buffer.iDWORD(-5);
    buffer.iWORD(300);
    buffer.iByte(0xE9);
    buffer.iNTString("chan\xFFnel");
    buffer.iNonNTString("68XI");
    const auto packet = buffer.sBNCSPacket(0x3A);
    ASSERT_TRUE(packet.has_value());

    clsDebuffer debuffer = Loaded(*packet);
    debuffer.Advance(1);
    EXPECT_EQ(debuffer.DebuffBYTE(), 0x3A);
    EXPECT_EQ(debuffer.DebuffWORD(), static_cast<std::int16_t>(packet->size()));
    EXPECT_EQ(debuffer.DebuffDWORD(), -5);
    EXPECT_EQ(debuffer.DebuffWORD(), 300);
    EXPECT_EQ(debuffer.DebuffBYTE(), 0xE9);
    EXPECT_EQ(debuffer.DebuffNTString(), "chan\xFFnel");
    EXPECT_EQ(debuffer.DebuffRaw(4), "68XI");
    EXPECT_EQ(debuffer.Content(), "");
}

}  // namespace
}  // namespace morva
