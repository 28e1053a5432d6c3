#include "sessions/cls_debuffer.h"

#include <limits>
#include <utility>

namespace morva {

namespace {
// Stands in for each byte a short content lacks when a number is peeked.
constexpr std::uint32_t MissingByte = 0x20;
constexpr std::int16_t FiletimeLength = 8;
}  // namespace

void clsDebuffer::DebuffPacket(const std::string& PacketData) {
    buffer_ = PacketData;
}

void clsDebuffer::Clear() {
    buffer_.clear();
}

std::int32_t clsDebuffer::DebuffDWORD() {
    if (!HasBytes(4)) return 0;
    const std::int32_t value = GetDWORD();
    RemoveDWORD();
    return value;
}

std::int16_t clsDebuffer::DebuffWORD() {
    if (!HasBytes(2)) return 0;
    const std::int16_t value = GetWORD();
    RemoveWORD();
    return value;
}

std::uint8_t clsDebuffer::DebuffBYTE() {
    const auto value = GetBYTE();
    if (!value) return 0;
    RemoveBYTE();
    return *value;
}

std::string clsDebuffer::DebuffFILETIME() {
    if (!HasBytes(FiletimeLength)) return {};
    std::string value = GetFILETIME();
    RemoveFILETIME();
    return value;
}

std::string clsDebuffer::DebuffNTString() {
    auto value = GetNTString();
    if (!value) return {};
    RemoveNTString();
    return std::move(*value);
}

std::string clsDebuffer::DebuffRaw(std::int32_t nBytes) {
    if (nBytes < 0 || nBytes > std::numeric_limits<std::int16_t>::max()) return {};
    if (!HasBytes(static_cast<std::int16_t>(nBytes))) return {};
    std::string value = buffer_.substr(0, static_cast<std::size_t>(nBytes));
    Advance(nBytes);
    return value;
}

void clsDebuffer::RemoveBYTE() {
    drop(1);
}

void clsDebuffer::RemoveWORD() {
    drop(2);
}

void clsDebuffer::RemoveDWORD() {
    drop(4);
}

void clsDebuffer::RemoveFILETIME() {
    drop(FiletimeLength);
}

void clsDebuffer::RemoveNTString() {
    const std::size_t terminator = buffer_.find('\0');
    if (terminator != std::string::npos) drop(terminator + 1);
}

void clsDebuffer::Advance(std::int32_t nBytes) {
    if (nBytes > 0) drop(static_cast<std::size_t>(nBytes));
}

std::optional<std::uint8_t> clsDebuffer::GetBYTE() const {
    if (buffer_.empty()) return std::nullopt;
    return static_cast<std::uint8_t>(buffer_.front());
}

std::int16_t clsDebuffer::GetWORD() const {
    return static_cast<std::int16_t>(peekPadded(2));
}

std::int32_t clsDebuffer::GetDWORD() const {
    return static_cast<std::int32_t>(peekPadded(4));
}

std::string clsDebuffer::GetFILETIME() const {
    return buffer_.substr(0, FiletimeLength);
}

std::optional<std::string> clsDebuffer::GetNTString() const {
    const std::size_t terminator = buffer_.find('\0');
    if (terminator == std::string::npos) return std::nullopt;
    return buffer_.substr(0, terminator);
}

bool clsDebuffer::HasBytes(std::int16_t X) const {
    return X <= 0 || buffer_.size() >= static_cast<std::size_t>(X);
}

std::uint32_t clsDebuffer::peekPadded(int width) const {
    std::uint32_t value = 0;
    for (int i = 0; i < width; ++i) {
        const std::size_t at = static_cast<std::size_t>(i);
        const std::uint32_t byte = at < buffer_.size() ? static_cast<std::uint8_t>(buffer_[at]) : MissingByte;
        value |= byte << (8 * i);
    }
    return value;
}

void clsDebuffer::drop(std::size_t count) {
    if (buffer_.size() <= count) {
        buffer_.clear();
    } else {
        buffer_.erase(0, count);
    }
}

}  // namespace morva
