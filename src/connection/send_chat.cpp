// Sending chat lines: the checks every line passes, then the flood queue or the socket.
#include <string>

#include "connection/connection.h"
#include "output/add_chat.h"
#include "output/palette.h"
#include "settings/settings.h"

namespace morva {

namespace {
// The chat text of a line: binary mode sends it without CR LF pairs.
std::string chatText(bool binary, std::string text) {
    if (binary)
        for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 2);
    return text;
}
}  // namespace

bool Connection::IsConnected() const {
    return sckKol[static_cast<std::size_t>(ActiveSocket_)]->state() == Socket::Connected;
}

bool Connection::SendChat(const std::string& text, std::function<void()> onSent) {
    if (!IsConnected()) return false;
    std::string line = chatText(config().Binary, text);
    if (config().Binary && line.size() > BinarySession::MaxChatText) {
        AddChat(output_, {{ColorError, "Bot: A chat line of " + std::to_string(line.size()) +
                                           " bytes is too long for one packet; it was not sent."}});
        return false;
    }
    queue_.push(std::move(line), std::move(onSent));
    return true;
}

void Connection::SendChatNow(const std::string& text) {
    if (!IsConnected()) return;
    if (!config().Binary) {
        sckKol[static_cast<std::size_t>(ActiveSocket_)]->send(text);
        return;
    }
    if (const auto packet = BinarySession::chatCommand(chatText(true, text))) sendPacket(*packet);
}

}  // namespace morva
