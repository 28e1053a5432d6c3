#include "client.h"

#include <QRandomGenerator>

#include "server.h"
#include "sessions/double_hash.h"

namespace testserver {

namespace {
std::string stringAt(const std::string& bytes, std::size_t offset) {
    if (offset >= bytes.size()) return {};
    return bytes.substr(offset, bytes.find('\0', offset) - offset);
}
}  // namespace

Client::Client(Server& server, QTcpSocket* socket) : server_(server), socket_(socket) {
    QObject::connect(socket_, &QTcpSocket::readyRead, [this] { readAvailable(); });
}

Client::Client(Server& server) : server_(server), socket_(nullptr) {}

Client::~Client() {
    if (socket_) socket_->deleteLater();
}

// A member without a connection goes as a closed connection would: out of its channel.
void Client::close() {
    if (socket_) {
        socket_->disconnectFromHost();
    } else {
        server_.leave(*this);
    }
}

void Client::sendRaw(const std::string& bytes) {
    if (socket_) socket_->write(bytes.data(), static_cast<qint64>(bytes.size()));
}

void Client::sendPacket(std::uint8_t id, const std::string& body) {
    sendRaw(Packet(id, body));
}

void Client::send(const ChatEvent& event) {
    sendRaw(mode_ == Mode::Binary ? BinaryChatEvent(event) : TextChatEvent(event));
}

void Client::readAvailable() {
    buffer_ += socket_->readAll().toStdString();
    if (mode_ == Mode::Unknown && !buffer_.empty()) {
        mode_ = buffer_[0] == '\x01' ? Mode::Binary : Mode::Text;
        buffer_.erase(0, 1);
        // The text protocol may announce itself with a second byte.
        if (mode_ == Mode::Text && !buffer_.empty() && buffer_[0] == '\x04') buffer_.erase(0, 1);
    }
    if (mode_ == Mode::Binary) {
        binaryPackets();
    } else {
        textLines();
    }
}

void Client::binaryPackets() {
    while (buffer_.size() >= 4) {
        const std::size_t length = static_cast<unsigned char>(buffer_[2]) |
                                   static_cast<std::size_t>(static_cast<unsigned char>(buffer_[3])) << 8;
        if (static_cast<unsigned char>(buffer_[0]) != 0xFF || length < 4) {
            close();
            return;
        }
        if (buffer_.size() < length) return;
        const std::uint8_t id = static_cast<std::uint8_t>(buffer_[1]);
        const std::string body = buffer_.substr(4, length - 4);
        buffer_.erase(0, length);
        binaryPacket(id, body);
    }
}

void Client::binaryPacket(std::uint8_t id, const std::string& body) {
    switch (id) {
        case 0x50: {  // SID_AUTH_INFO: remember the product, answer with a fresh server token
            product = body.substr(8, 4);
            serverToken_ = QRandomGenerator::global()->generate();
            if (!server_.classic()) sendPacket(0x25, Dword(QRandomGenerator::global()->generate()));
            sendPacket(0x50, Dword(0) + Dword(serverToken_) + Dword(0) + std::string(8, '\0') +
                                 "ver-IX86-1.mpq" + '\0' + "A=1 B=2 C=3 4 A=A^S" + '\0');
            break;
        }
        case 0x3A:
            logonResponse(body);
            break;
        case 0x0C:  // SID_JOINCHANNEL
            if (loggedOn) server_.join(*this, stringAt(body, 4));
            break;
        case 0x0E: {  // SID_CHATCOMMAND
            const std::string text = stringAt(body, 0);
            if (!loggedOn || !server_.admit(*this, text)) break;
            if (!text.empty() && text[0] == '/') {
                server_.command(*this, text);
            } else if (!text.empty()) {
                server_.talk(*this, text);
            }
            break;
        }
        default:
            break;
    }
}

void Client::logonResponse(const std::string& body) {
    const std::string account = stringAt(body, 28);
    std::uint32_t status = 1;
    if (const auto password = server_.passwordOf(account)) {
        const std::string inner = morva::BrokenSHA1(server_.hashedPassword(*password));
        const std::string expected = morva::BrokenSHA1(body.substr(0, 4) + Dword(serverToken_) + inner);
        status = server_.isOpen() || body.compare(8, 20, expected) == 0 ? 0 : 2;
    }
    if (!server_.classic()) sendPacket(0x59, "");
    sendPacket(0x3A, Dword(status));
    if (status == 0) name = server_.loggedOn(*this, account);
}

void Client::textLines() {
    for (std::size_t end; (end = buffer_.find('\n')) != std::string::npos;) {
        std::string line = buffer_.substr(0, end);
        buffer_.erase(0, end + 1);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        textLine(line);
    }
}

void Client::textLine(const std::string& line) {
    if (line.empty()) return;  // the client's keep-alive while it waits for the logon
    if (textLogonStep_ == 0) {
        name = line;
        textLogonStep_ = 1;
    } else if (textLogonStep_ == 1) {
        if (!server_.passwordMatches(name, line)) {
            sendRaw("1019 ERROR \"Incorrect username/password.\"\r\n");
            textLogonStep_ = 0;
            return;
        }
        textLogonStep_ = 2;
        name = server_.loggedOn(*this, name);
        sendRaw("2010 NAME " + name + "\r\n");
    } else if (!server_.admit(*this, line)) {
        return;
    } else if (line[0] == '/') {
        server_.command(*this, line);
    } else {
        server_.talk(*this, line);
    }
}

}  // namespace testserver
