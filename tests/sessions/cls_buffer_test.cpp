#include "sessions/cls_buffer.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

namespace morva {
namespace {

using namespace std::string_literals;

struct WriteCase {
    const char* name;
    std::function<void(clsBuffer&)> write;
    std::string body;
};

class ClsBufferWrites : public ::testing::TestWithParam<WriteCase> {};

TEST_P(ClsBufferWrites, AppendsTheFieldBytes) {
    clsBuffer buffer;
    GetParam().write(buffer);
    EXPECT_EQ(buffer.Body(), GetParam().body);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, ClsBufferWrites,
    ::testing::Values(
        WriteCase{"WordLowByteFirst", [](clsBuffer& b) { b.iWORD(0x1234); }, "\x34\x12"s},
        WriteCase{"WordNegative", [](clsBuffer& b) { b.iWORD(-1); }, "\xFF\xFF"s},
        WriteCase{"WordMinimum", [](clsBuffer& b) { b.iWORD(-32768); }, "\x00\x80"s},
        WriteCase{"DwordLowByteFirst", [](clsBuffer& b) { b.iDWORD(0x12345678); }, "\x78\x56\x34\x12"s},
        WriteCase{"DwordNegative", [](clsBuffer& b) { b.iDWORD(-2); }, "\xFE\xFF\xFF\xFF"s},
        WriteCase{"ByteZero", [](clsBuffer& b) { b.iByte(0); }, "\x00"s},
        WriteCase{"ByteHighest", [](clsBuffer& b) { b.iByte(255); }, "\xFF"s},
        WriteCase{"NtStringGetsTerminator", [](clsBuffer& b) { b.iNTString("ab"); }, "ab\x00"s},
        WriteCase{"EmptyNtStringIsOnlyTerminator", [](clsBuffer& b) { b.iNTString(""); }, "\x00"s},
        WriteCase{"NtStringKeepsHighBytes", [](clsBuffer& b) { b.iNTString("\xE9\xFF"); }, "\xE9\xFF\x00"s},
        WriteCase{"NonNtStringHasNoTerminator", [](clsBuffer& b) { b.iNonNTString("68XI"); }, "68XI"s},
        WriteCase{"FieldsInOrder",
                  [](clsBuffer& b) {
                      b.iDWORD(2);
                      b.iNTString("ab");
                  },
                  "\x02\x00\x00\x00"
                  "ab\x00"s},
        WriteCase{"ClearBufferStartsOver",
                  [](clsBuffer& b) {
                      b.iDWORD(7);
                      b.ClearBuffer();
                      b.iByte(1);
                  },
                  "\x01"s}),
    [](const auto& info) { return std::string(info.param.name); });

struct WordCase {
    std::int16_t value;
    std::string bytes;
};

class ClsBufferMakeWord : public ::testing::TestWithParam<WordCase> {};

TEST_P(ClsBufferMakeWord, GivesTwoBytesLowFirst) {
    EXPECT_EQ(clsBuffer::MakeWORD(GetParam().value), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(Values, ClsBufferMakeWord,
                         ::testing::Values(WordCase{4, "\x04\x00"s}, WordCase{11, "\x0B\x00"s},
                                           WordCase{0x0130, "\x30\x01"s}, WordCase{32767, "\xFF\x7F"s},
                                           WordCase{-1, "\xFF\xFF"s}));

TEST(ClsBufferFrame, EmptyBodyIsTheBareHeader) {
    clsBuffer buffer;
    EXPECT_EQ(buffer.sBNCSPacket(0x0C), "\xFF\x0C\x04\x00"s);
}

TEST(ClsBufferFrame, FramesTheBodyAndEmptiesIt) {
    clsBuffer buffer;
    buffer.iDWORD(2);
    buffer.iNTString("ab");
    EXPECT_EQ(buffer.sBNCSPacket(0x0C),
              "\xFF\x0C\x0B\x00\x02\x00\x00\x00"
              "ab\x00"s);
    EXPECT_EQ(buffer.Body(), "");
}

TEST(ClsBufferFrame, LengthFieldUsesBothBytes) {
    clsBuffer buffer;
    buffer.iNonNTString(std::string(300, '\xAA'));
    const auto packet = buffer.sBNCSPacket(0x0E);
    ASSERT_TRUE(packet.has_value());
    EXPECT_EQ(packet->substr(0, 4), "\xFF\x0E\x30\x01"s);
    EXPECT_EQ(packet->size(), 304u);
}

TEST(ClsBufferFrame, LargestBodyFillsTheLengthField) {
    clsBuffer buffer;
    buffer.iNonNTString(std::string(clsBuffer::MaxBodyLength, 'x'));
    const auto packet = buffer.sBNCSPacket(0x0E);
    ASSERT_TRUE(packet.has_value());
    EXPECT_EQ(packet->substr(0, 4), "\xFF\x0E\xFF\x7F"s);
    EXPECT_EQ(packet->size(), 32767u);
}

TEST(ClsBufferFrame, OversizeBodyGivesNothingAndKeepsTheBody) {
    const std::string body(clsBuffer::MaxBodyLength + 1, 'x');
    clsBuffer buffer;
    buffer.iNonNTString(body);
    EXPECT_EQ(buffer.sBNCSPacket(0x0E), std::nullopt);
    EXPECT_EQ(buffer.Body(), body);
}

}  // namespace
}  // namespace morva
