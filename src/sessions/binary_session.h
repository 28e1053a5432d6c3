#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "sessions/chat_event.h"

namespace morva {

// What the server answered to the logon packets.
struct AuthInfoReply {
    std::uint32_t serverToken = 0;
};
struct AuthCheckReply {
    std::int32_t result = 0;
};
struct LogonReply {
    std::int32_t result = 0;  // 0 logged on, 1 no such account, 2 wrong password
};
// A length field that no packet can have: the stream cannot be read any further.
struct BrokenStream {
    int length = 0;
};
using BinaryEvent = std::variant<AuthInfoReply, AuthCheckReply, LogonReply, ChatEvent, BrokenStream>;

// The binary client protocol of one connection, without I/O: the caller feeds it the bytes it
// received and takes the events out, and asks it for the bytes to send. It cuts the stream into
// packets by their 16-bit length field; a read of any size costs time linear in its size.
class BinarySession {
public:
    // Appends received bytes.
    void feed(std::string_view bytes);
    // The event of the next whole packet, or nothing until more bytes arrive. Packets of other ids
    // and SID_CHATEVENTs too short for their flags are passed over. After a BrokenStream nothing more
    // comes until reset().
    std::optional<BinaryEvent> next();
    // A new connection: nothing received so far counts any more.
    void reset();
    // The bytes fed that are not yet taken out as events.
    std::size_t unhandled() const { return buffer_.size() - offset_; }

    // The token of the last SID_AUTH_INFO reply.
    std::uint32_t serverToken() const { return serverToken_; }

    // The bytes to send. The protocol byte goes first on a new connection. A packet whose texts are
    // too long for its length field comes out empty: there is nothing to send.
    static std::string protocolByte();
    static std::string authInfo(std::string_view binaryClient);
    // The proof is made from the password as given.
    std::string logonResponse2(std::string_view password, std::string_view username) const;
    static std::string joinChannel(std::string_view channel);
    // SID_CHATCOMMAND, or nothing when the text is too long for one packet.
    static std::optional<std::string> chatCommand(std::string_view text);
    // The longest text chatCommand takes.
    static constexpr std::size_t MaxChatText = 32762;

private:
    // The event of one whole packet, or nothing for a packet that is passed over.
    std::optional<BinaryEvent> eventOf(std::string_view packet);

    std::string buffer_;
    std::size_t offset_ = 0;
    bool broken_ = false;
    std::uint32_t serverToken_ = 0;
    // Texts a chat event shows that are not bytes of the packet as they stand.
    std::string flags_, product_;
};

}  // namespace morva
