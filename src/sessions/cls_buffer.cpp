#include "sessions/cls_buffer.h"

namespace morva {

namespace {
constexpr char PacketMarker = '\xFF';

void appendLittleEndian(std::string& out, std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}
}  // namespace

void clsBuffer::ClearBuffer() {
    buffer_.clear();
}

void clsBuffer::iWORD(std::int16_t intData) {
    appendLittleEndian(buffer_, static_cast<std::uint16_t>(intData), 2);
}

void clsBuffer::iDWORD(std::int32_t lngData) {
    appendLittleEndian(buffer_, static_cast<std::uint32_t>(lngData), 4);
}

void clsBuffer::iByte(std::uint8_t intData) {
    buffer_.push_back(static_cast<char>(intData));
}

void clsBuffer::iNTString(std::string_view strData) {
    buffer_ += strData;
    buffer_.push_back('\0');
}

void clsBuffer::iNonNTString(std::string_view strData) {
    buffer_ += strData;
}

std::optional<std::string> clsBuffer::sBNCSPacket(std::uint8_t bPacketID) {
    if (buffer_.size() > MaxBodyLength) return std::nullopt;
    std::string packet{PacketMarker, static_cast<char>(bPacketID)};
    packet += MakeWORD(static_cast<std::int16_t>(buffer_.size() + 4));
    packet += buffer_;
    ClearBuffer();
    return packet;
}

std::string clsBuffer::MakeWORD(std::int16_t Value) {
    std::string word;
    appendLittleEndian(word, static_cast<std::uint16_t>(Value), 2);
    return word;
}

}  // namespace morva
