#include "chat_event.h"

#include <algorithm>
#include <cstdio>

namespace testserver {

std::string Dword(std::uint32_t value) {
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

std::string Packet(std::uint8_t id, const std::string& body) {
    const std::size_t length = body.size() + 4;
    std::string packet = {'\xFF', static_cast<char>(id), static_cast<char>(length & 0xFF),
                          static_cast<char>((length >> 8) & 0xFF)};
    return packet + body;
}

std::string BinaryChatEvent(const ChatEvent& event) {
    const std::uint32_t ping = 32;
    return Packet(0x0F, Dword(event.id) + Dword(event.flags) + Dword(ping) + Dword(0) + Dword(0xBAADF00D) +
                            Dword(0xBAADF00D) + event.name + '\0' + event.text + '\0');
}

std::string TextChatEvent(const ChatEvent& event) {
    char flags[16];
    std::snprintf(flags, sizeof flags, "%04X", event.flags);
    std::string product = event.text.substr(0, 4);
    std::reverse(product.begin(), product.end());
    const std::string user = event.name + " " + flags;
    const std::string quoted = "\"" + event.text + "\"";
    switch (event.id) {
        case ChatEvent::ShowUser:
            return "1001 USER " + user + " [" + product + "]\r\n";
        case ChatEvent::Join:
            return "1002 JOIN " + user + " [" + product + "]\r\n";
        case ChatEvent::Leave:
            return "1003 LEAVE " + user + "\r\n";
        case ChatEvent::Whisper:
            return "1004 WHISPER " + user + " " + quoted + "\r\n";
        case ChatEvent::Talk:
            return "1005 TALK " + user + " " + quoted + "\r\n";
        case ChatEvent::Channel:
            return "1007 CHANNEL " + quoted + "\r\n";
        case ChatEvent::UserFlags:
            return "1009 USER " + user + "\r\n";
        case ChatEvent::WhisperSent:
            return "1010 WHISPER " + user + " " + quoted + "\r\n";
        case ChatEvent::Info:
            return "1018 INFO " + quoted + "\r\n";
        case ChatEvent::Error:
            return "1019 ERROR " + quoted + "\r\n";
        case ChatEvent::Emote:
            return "1023 EMOTE " + user + " " + quoted + "\r\n";
    }
    return {};
}

}  // namespace testserver
