#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace morva {

// Builds the body of one outgoing binary packet field by field, then frames it.
// Numbers go out little-endian; strings are byte strings, one char per byte. A fresh object serves
// each packet.
class clsBuffer {
public:
    // The largest body whose total length (body + 4-byte header) still fits the signed 16-bit length field.
    static constexpr std::size_t MaxBodyLength = 32763;

    void ClearBuffer();
    void iWORD(std::int16_t intData);
    void iDWORD(std::int32_t lngData);
    void iByte(std::uint8_t intData);
    void iNTString(std::string_view strData);
    // For fixed-width codes such as "68XI": the bytes without a terminator.
    void iNonNTString(std::string_view strData);

    // The packet to send: 0xFF, the id, the 16-bit total length and the body; the body is then
    // emptied. Nothing when the body is too long for the length field (the body is kept).
    std::optional<std::string> sBNCSPacket(std::uint8_t bPacketID);

    // The two bytes of Value, low byte first.
    static std::string MakeWORD(std::int16_t Value);

    const std::string& Body() const { return buffer_; }

private:
    std::string buffer_;
};

}  // namespace morva
