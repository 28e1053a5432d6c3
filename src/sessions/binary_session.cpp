#include "sessions/binary_session.h"

#include <algorithm>

#include "platform/text_case.h"
#include "sessions/binary_events.h"
#include "sessions/cls_buffer.h"
#include "sessions/double_hash.h"

namespace morva {

namespace {

constexpr std::uint8_t SID_JOINCHANNEL = 0x0C;
constexpr std::uint8_t SID_CHATCOMMAND = 0x0E;
constexpr std::uint8_t SID_CHATEVENT = 0x0F;
constexpr std::uint8_t SID_LOGONRESPONSE2 = 0x3A;
constexpr std::uint8_t SID_AUTH_INFO = 0x50;
constexpr std::uint8_t SID_AUTH_CHECK = 0x51;

constexpr std::size_t HeaderLength = 4;
constexpr int MaxPacketLength = 32767;
constexpr std::size_t TokenOffset = 8;
constexpr std::size_t ResultOffset = 4;

// The 16-bit length field at offsets 2 and 3, as a signed number.
int lengthField(std::string_view header) {
    const int raw = static_cast<unsigned char>(header[2]) | static_cast<unsigned char>(header[3]) << 8;
    return raw >= 0x8000 ? raw - 0x10000 : raw;
}

std::int32_t resultOf(std::string_view packet) {
    return static_cast<std::int32_t>(DwordAt(packet, ResultOffset));
}

// The builders' fields never outgrow a packet except through the caller's texts; such a packet is
// not sent at all.
std::string framed(clsBuffer& buffer, std::uint8_t id) {
    return buffer.sBNCSPacket(id).value_or(std::string());
}

}  // namespace

void BinarySession::feed(std::string_view bytes) {
    // A broken stream is read no further, so nothing need be kept of it.
    if (broken_) return;
    buffer_.erase(0, offset_);
    offset_ = 0;
    buffer_.append(bytes);
}

std::optional<BinaryEvent> BinarySession::next() {
    // A packet of just a header at the very end waits for one more byte, as the stream always did.
    while (!broken_ && buffer_.size() - offset_ > HeaderLength) {
        const std::string_view rest = std::string_view(buffer_).substr(offset_);
        const int length = lengthField(rest);
        if (length < static_cast<int>(HeaderLength) || length > MaxPacketLength) {
            broken_ = true;
            return BrokenStream{length};
        }
        if (rest.size() < static_cast<std::size_t>(length)) return std::nullopt;
        offset_ += static_cast<std::size_t>(length);
        if (auto event = eventOf(rest.substr(0, static_cast<std::size_t>(length)))) return event;
    }
    return std::nullopt;
}

std::optional<BinaryEvent> BinarySession::eventOf(std::string_view packet) {
    switch (static_cast<std::uint8_t>(packet[1])) {
        case SID_AUTH_INFO:
            serverToken_ = DwordAt(packet, TokenOffset);
            return AuthInfoReply{serverToken_};
        case SID_AUTH_CHECK:
            return AuthCheckReply{resultOf(packet)};
        case SID_LOGONRESPONSE2:
            return LogonReply{resultOf(packet)};
        case SID_CHATEVENT:
            if (auto event = ChatEventOf(packet, flags_, product_)) return *event;
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

void BinarySession::reset() {
    buffer_.clear();
    offset_ = 0;
    broken_ = false;
    serverToken_ = 0;
}

std::string BinarySession::protocolByte() {
    return std::string(1, '\x01');
}

std::string BinarySession::authInfo(std::string_view binaryClient) {
    std::string product = UpperCase(binaryClient);
    std::reverse(product.begin(), product.end());
    clsBuffer buffer;
    buffer.iDWORD(0);
    buffer.iNonNTString("68XI");
    buffer.iNonNTString(product);
    for (int field = 0; field < 6; ++field) buffer.iDWORD(0);
    buffer.iNTString("USA");
    buffer.iNTString("United States");
    return framed(buffer, SID_AUTH_INFO);
}

std::string BinarySession::logonResponse2(std::string_view password, std::string_view username) const {
    clsBuffer buffer;
    buffer.iDWORD(0);
    buffer.iDWORD(static_cast<std::int32_t>(serverToken_));
    buffer.iNonNTString(DoubleHash(password, serverToken_));
    buffer.iNTString(username);
    return framed(buffer, SID_LOGONRESPONSE2);
}

std::string BinarySession::joinChannel(std::string_view channel) {
    clsBuffer buffer;
    buffer.iDWORD(2);
    buffer.iNTString(channel);
    return framed(buffer, SID_JOINCHANNEL);
}

std::optional<std::string> BinarySession::chatCommand(std::string_view text) {
    clsBuffer buffer;
    buffer.iNTString(text);
    return buffer.sBNCSPacket(SID_CHATCOMMAND);
}

}  // namespace morva
