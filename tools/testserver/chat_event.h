#pragma once

#include <cstdint>
#include <string>

namespace testserver {

// One chat event as the server reports it, before it is put in a client's protocol.
struct ChatEvent {
    enum Id : std::uint32_t {
        ShowUser = 0x01,
        Join = 0x02,
        Leave = 0x03,
        Whisper = 0x04,
        Talk = 0x05,
        Channel = 0x07,
        UserFlags = 0x09,
        WhisperSent = 0x0A,
        Info = 0x12,
        Error = 0x13,
        Emote = 0x17,
    };
    Id id;
    std::uint32_t flags = 0;
    std::string name;
    std::string text;  // the message, or for ShowUser and Join the product code as on the wire ("RATS")
};

// SID_CHATEVENT (0xFF 0x0F) with the event's fields.
std::string BinaryChatEvent(const ChatEvent& event);
// The numbered line of the text protocol, with its CR LF.
std::string TextChatEvent(const ChatEvent& event);

// A binary packet: 0xFF, id, 16-bit length, body.
std::string Packet(std::uint8_t id, const std::string& body);
std::string Dword(std::uint32_t value);

}  // namespace testserver
