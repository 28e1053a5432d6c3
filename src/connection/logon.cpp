// The protocols on the connected socket: the logon of each, and what the server's data means.
#include "connection/connection.h"
#include "connection/connection_listener.h"
#include "output/add_chat.h"
#include "output/palette.h"
#include "platform/text_case.h"
#include "sessions/overloaded.h"
#include "settings/settings.h"

namespace morva {

void Connection::connectBinary() {
    AddChat(output_, {{ColorStatus, "Bot: (" + std::to_string(ActiveSocket_) + ") Connected!"}});
    sendPacket(BinarySession::protocolByte());
    SendAuthInfo();
}

void Connection::connectText() {
    const BotConfig& c = config();
    AddChat(output_, {{ColorStatus, "Bot: (" + std::to_string(ActiveSocket_) + ") Connected!"}});
    AddChat(output_, {{ColorGrey, "Bot: Sending username and password."}});
    AddChat(output_, {{ColorGrey, "Bot: Joining channel: " + c.Channel + "."}});
    SendChatNow(TextSession::logonLine(c.Username, c.Password, c.Channel));
    tmrLogin->start();
    if (listener_) listener_->textLogonSent();
}

void Connection::SendAuthInfo() {
    AddChat(output_, {{ColorGrey, "Bot: Sending SID_AUTH_INFO..."}});
    sendPacket(BinarySession::authInfo(config().BinaryClient));
}

void Connection::SendLogonResponse2() {
    AddChat(output_, {{ColorGrey, "Bot: Sending SID_LOGONRESPONSE2..."}});
    // Servers store the hash of the lower-cased password, as the official clients send it.
    sendPacket(binary_.logonResponse2(LowerCase(config().Password), config().Username));
}

void Connection::SendJoinChannel(const std::string& channel) {
    AddChat(output_, {{ColorGrey, "Bot: Sending SID_JOINCHANNEL..."}});
    sendPacket(BinarySession::joinChannel(channel));
}

// A builder gives no bytes for a packet that the settings' texts would make too long.
void Connection::sendPacket(const std::string& packet) {
    if (IsConnected() && !packet.empty()) sckKol[static_cast<std::size_t>(ActiveSocket_)]->send(packet);
}

// Takes the session's next event and handles it to its end; false when the session has none until
// it is fed more.
// Trying again would be refused the same way, and a server bans an address that keeps trying: the
// bot waits for the operator to mend config.bot and Reconnect.
void Connection::logonRefused(const std::string& key) {
    endSession(SessionEnd::Refused);
    AddChat(output_,
            {{ColorError, "Bot: The server refused the logon of \"" + config().Username + "\"; check " + key +
                              "= in section [Profile] of config.bot, then Reconnect."}});
}

bool Connection::handleNextEvent() {
    if (config().Binary) {
        const auto event = binary_.next();
        if (event) binaryEvent(*event);
        return event.has_value();
    }
    const auto event = text_.next();
    if (event) textEvent(*event);
    return event.has_value();
}

void Connection::binaryEvent(const BinaryEvent& event) {
    const auto logonAndJoin = [this] {
        SendLogonResponse2();
        SendJoinChannel(config().Channel);
    };
    std::visit(Overloaded{
                   [&](const AuthInfoReply&) {
                       tmrLoginTimeout->stop();
                       AddChat(output_, {{ColorStatus, "Bot: Recv SID_AUTH_INFO."}});
                       logonAndJoin();
                   },
                   [&](const AuthCheckReply& reply) {
                       AddChat(output_, {{ColorStatus, "Bot: Recv SID_AUTH_INFO."}});
                       if (reply.result != 0) {
                           AddChat(output_, {{ColorError, "Bot: Failed SID_AUTH_INFO."}});
                       } else {
                           logonAndJoin();
                       }
                   },
                   [&](const LogonReply& reply) {
                       AddChat(output_, {{ColorStatus, "Bot: Recv SID_LOGONRESPONS2."}});
                       if (reply.result == 0) {
                           AddChat(output_, {{ColorStatus, "Bot: Logged on."}});
                           loggedOn();
                           if (listener_) listener_->binaryLoggedOn();
                       } else if (reply.result == 1) {
                           AddChat(output_, {{ColorError, "Error: Account does not exist."}});
                           logonRefused("Username");
                       } else if (reply.result == 2) {
                           AddChat(output_, {{ColorError, "Error: Invalid password."}});
                           logonRefused("Password");
                       }
                   },
                   [&](const ChatEvent& chat) {
                       if (listener_) listener_->chatEvent(chat);
                   },
                   [&](const BrokenStream& broken) {
                       // The field as it was on the wire: 0x8000 is 32768, not the signed -32768.
                       AddChat(output_,
                               {{ColorError, "Bot: The server sent a packet length of " +
                                                 std::to_string(static_cast<std::uint16_t>(broken.length)) +
                                                 "; the connection is broken and is made anew."}});
                       connectionLost("");
                   },
               },
               event);
}

void Connection::textEvent(const TextEvent& event) {
    std::visit(Overloaded{
                   [&](const FriendAdded& notice) {
                       if (notice.location.empty()) return;
                       AddChat(output_, {{ColorStatus, "Bot: " + notice.account + " using " + notice.product +
                                                           " in channel " + notice.location + "."}});
                   },
                   [&](const ChatEvent& chat) {
                       if (chat.id == EventId::LoggedOn) loggedOn();
                       if (listener_) listener_->chatEvent(chat);
                   },
                   [&](const OverlongLine&) {
                       AddChat(output_, {{ColorError,
                                          "Bot: The server sent more than 64 KiB without a line "
                                          "end; that text was dropped."}});
                   },
               },
               event);
}

}  // namespace morva
