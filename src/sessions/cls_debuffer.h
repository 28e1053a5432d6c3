#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace morva {

// Holds one received packet and hands its fields out front to back. The Debuff reads consume what
// they return and give 0 or an empty string, consuming nothing, when too few bytes are left; the
// Remove reads and Advance never fail; the Get reads only look. Numbers are little-endian.
class clsDebuffer {
public:
    void DebuffPacket(const std::string& PacketData);
    void Clear();

    std::int32_t DebuffDWORD();
    std::int16_t DebuffWORD();
    std::uint8_t DebuffBYTE();
    std::string DebuffFILETIME();
    // The bytes before the next 0x00, which is consumed with them. Without a 0x00 the field is
    // incomplete: empty string, nothing consumed.
    std::string DebuffNTString();
    // The first nBytes bytes. A count that is negative, larger than a 16-bit count can say, or larger
    // than what is left gives an empty string and consumes nothing.
    std::string DebuffRaw(std::int32_t nBytes);

    void RemoveBYTE();
    void RemoveWORD();
    void RemoveDWORD();
    void RemoveFILETIME();
    // Drops up to and including the first 0x00; a content without one is left as it is.
    void RemoveNTString();
    // Drops the first nBytes bytes, or everything when there are no more; a negative count drops nothing.
    void Advance(std::int32_t nBytes);

    // No value on an empty content.
    std::optional<std::uint8_t> GetBYTE() const;
    // Bytes missing from a shorter content count as 0x20.
    std::int16_t GetWORD() const;
    std::int32_t GetDWORD() const;
    // Up to 8 bytes, as they are.
    std::string GetFILETIME() const;
    // The bytes before the first 0x00; no value when there is no 0x00.
    std::optional<std::string> GetNTString() const;
    bool HasBytes(std::int16_t X) const;

    const std::string& Content() const { return buffer_; }

private:
    std::uint32_t peekPadded(int width) const;
    void drop(std::size_t count);

    std::string buffer_;
};

}  // namespace morva
