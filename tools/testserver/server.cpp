#include "server.h"

#include <QDateTime>
#include <QHostAddress>
#include <QTcpSocket>

#include <algorithm>
#include <cctype>

#include "client.h"

namespace testserver {

namespace {

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// "word rest" -> {"word", "rest"}.
std::pair<std::string, std::string> firstWord(const std::string& text) {
    const std::size_t blank = text.find(' ');
    if (blank == std::string::npos) return {text, ""};
    return {text.substr(0, blank), text.substr(blank + 1)};
}

constexpr std::uint32_t OperatorFlag = 0x02;

}  // namespace

Server::Server(Options options) : options_(std::move(options)) {
    QObject::connect(&listener_, &QTcpServer::newConnection, [this] {
        while (QTcpSocket* socket = listener_.nextPendingConnection()) {
            clients_.push_back(std::make_unique<Client>(*this, socket));
            Client* client = clients_.back().get();
            QObject::connect(socket, &QTcpSocket::disconnected, this, [this, client] { gone(*client); });
        }
    });
}

bool Server::listen(quint16 port) {
    return listener_.listen(QHostAddress::LocalHost, port);
}

std::optional<std::string> Server::passwordOf(const std::string& name) const {
    if (isOpen()) return std::string();
    const auto account = options_.accounts.find(lower(name));
    if (account == options_.accounts.end()) return std::nullopt;
    return account->second;
}

bool Server::passwordMatches(const std::string& name, const std::string& password) const {
    const auto stored = passwordOf(name);
    return stored && (isOpen() || hashedPassword(*stored) == hashedPassword(password));
}

std::string Server::hashedPassword(const std::string& password) const {
    return options_.classic ? password : lower(password);
}

std::string Server::loggedOn(Client& client, const std::string& account) {
    std::string name = account;
    if (options_.classic) {
        // The original service let an account log on twice, the second as "name#2".
        for (int n = 2; find(name); ++n) name = account + "#" + std::to_string(n);
    } else if (Client* earlier = find(account)) {
        // Community servers end the earlier session without a word.
        earlier->loggedOn = false;
        earlier->close();
    }
    client.loggedOn = true;
    return name;
}

Client& Server::addVirtualMember(const std::string& name, const std::string& product) {
    clients_.push_back(std::make_unique<Client>(*this));
    Client& member = *clients_.back();
    member.name = loggedOn(member, name);
    member.product = product;
    return member;
}

std::vector<std::string> Server::connectedMembersOf(const std::string& channel) const {
    std::vector<std::string> names;
    const auto it = channels_.find(lower(channel));
    if (it == channels_.end()) return names;
    for (const Client* member : it->second.members)
        if (member->hasConnection()) names.push_back(member->name);
    return names;
}

bool Server::admit(Client& client, const std::string& line) {
    if (options_.classic) return true;
    const long long windowMs = options_.floodWindowMs;
    constexpr int QuotaUnits = 5, MaxLineBytes = 200, LinesThatDisconnect = 10;
    const long long now = QDateTime::currentMSecsSinceEpoch();
    while (!client.admitted.empty() && client.admitted.front().first + windowMs <= now)
        client.admitted.pop_front();
    while (!client.tried.empty() && client.tried.front() + windowMs <= now) client.tried.pop_front();
    client.tried.push_back(now);
    if (static_cast<int>(client.tried.size()) >= LinesThatDisconnect) {
        client.close();
        return false;
    }
    if (line.size() > MaxLineBytes) {
        error(client, "Your line length quota has been exceeded!");
        return false;
    }
    const int cost = std::max<int>(1, static_cast<int>((line.size() + 39) / 40));
    int used = 0;
    for (const auto& [at, units] : client.admitted) used += units;
    if (used + cost > QuotaUnits) {
        error(client, "Your message quota has been exceeded!");
        return false;
    }
    client.admitted.emplace_back(now, cost);
    return true;
}

Client* Server::find(const std::string& name) const {
    for (const auto& client : clients_)
        if (client->loggedOn && lower(client->name) == lower(name)) return client.get();
    return nullptr;
}

Client* Server::findIn(const std::string& channel, const std::string& name) const {
    Client* client = find(name);
    return client && lower(client->channel) == lower(channel) ? client : nullptr;
}

bool Server::isOperator(const Client& client) const {
    return (client.flags & OperatorFlag) != 0;
}

void Server::broadcast(const std::string& channel, const ChatEvent& event, const Client* except) {
    const auto it = channels_.find(lower(channel));
    if (it == channels_.end()) return;
    for (Client* member : it->second.members)
        if (member != except) member->send(event);
}

void Server::info(Client& client, const std::string& text) {
    client.send({ChatEvent::Info, 0, "", text});
}

void Server::error(Client& client, const std::string& text) {
    client.send({ChatEvent::Error, 0, "", text});
}

void Server::setFlags(Client& client, std::uint32_t flags) {
    client.flags = flags;
    broadcast(client.channel, {ChatEvent::UserFlags, flags, client.name, ""});
}

void Server::leave(Client& client) {
    if (client.channel.empty()) return;
    auto& channel = channels_[lower(client.channel)];
    std::erase(channel.members, &client);
    broadcast(client.channel, {ChatEvent::Leave, client.flags, client.name, ""});
    client.flags &= ~OperatorFlag;
    client.channel.clear();
}

void Server::join(Client& client, const std::string& name) {
    auto& channel = channels_[lower(name)];
    if (channel.banned.count(lower(client.name))) {
        error(client, "You are banned from that channel.");
        return;
    }
    leave(client);
    channel.members.push_back(&client);
    client.channel = name;
    if (channel.members.size() == 1 && lower(name) != "the void") client.flags |= OperatorFlag;
    client.send({ChatEvent::Channel, 0, "", name});
    for (Client* member : channel.members)
        client.send({ChatEvent::ShowUser, member->flags, member->name, member->product});
    broadcast(name, {ChatEvent::Join, client.flags, client.name, client.product}, &client);
    if (options_.floodEvents > 0 && client.hasConnection() && !flood_)
        flood_ = std::make_unique<Flood>(*this, client, options_.floodEvents, options_.floodDelayMs);
}

void Server::talk(Client& client, const std::string& text) {
    broadcast(client.channel, {ChatEvent::Talk, client.flags, client.name, text}, &client);
}

void Server::gone(Client& client) {
    if (flood_ && flood_->floods(client)) flood_.reset();
    leave(client);
    client.loggedOn = false;
    // The client may be deep in its own handler: let it go once the event loop has it back.
    QMetaObject::invokeMethod(
        this, [this, &client] { std::erase_if(clients_, [&](const auto& c) { return c.get() == &client; }); },
        Qt::QueuedConnection);
}

void Server::command(Client& client, const std::string& line) {
    const auto [word, args] = firstWord(line.substr(1));
    const std::string verb = lower(word);
    if (verb == "join" || verb == "j") {
        join(client, args);
    } else if (verb == "w" || verb == "whisper" || verb == "m" || verb == "msg") {
        whisper(client, args);
    } else if (verb == "who") {
        who(client, args);
    } else if (verb == "emote" || verb == "me") {
        broadcast(client.channel, {ChatEvent::Emote, client.flags, client.name, args});
    } else if (verb == "kick" || verb == "ban") {
        kickOrBan(client, args, verb == "ban");
    } else if (verb == "unban") {
        unban(client, args);
    } else if (verb == "designate") {
        designate(client, args);
    } else if (verb == "resign") {
        resign(client);
    } else {
        error(client, "That is not a valid command.");
    }
}

void Server::whisper(Client& from, const std::string& args) {
    const auto [target, text] = firstWord(args);
    Client* to = find(target);
    if (!to) {
        error(from, "That user is not logged on.");
        return;
    }
    to->send({ChatEvent::Whisper, from.flags, from.name, text});
    from.send({ChatEvent::WhisperSent, to->flags, to->name, text});
}

void Server::who(Client& client, const std::string& name) {
    const auto it = channels_.find(lower(name));
    if (it == channels_.end() || it->second.members.empty()) {
        error(client, "That channel does not exist.");
        return;
    }
    const auto& members = it->second.members;
    if (options_.classic) {
        info(client, "Users in channel " + name + ":");
        for (std::size_t i = 0; i < members.size(); i += 2)
            info(client, members[i]->name + (i + 1 < members.size() ? ", " + members[i + 1]->name : ""));
        return;
    }
    // One line with the names after the colon, wrapped only past 255 characters.
    std::string line = "Users in channel " + name + ":";
    for (const Client* member : members) {
        if (line.size() + 1 + member->name.size() > 255) {
            info(client, line);
            line.clear();
        }
        line += (line.empty() ? "" : " ") + member->name;
    }
    info(client, line);
}

void Server::kickOrBan(Client& op, const std::string& args, bool ban) {
    if (!isOperator(op)) {
        error(op, "You are not a channel operator.");
        return;
    }
    const auto [name, reason] = firstWord(args);
    Client* target = findIn(op.channel, name);
    if (ban) channels_[lower(op.channel)].banned.insert(lower(name));
    if (!target && !ban) {
        error(op, "That user is not in this channel.");
        return;
    }
    const std::string targetName = target ? target->name : name;
    broadcast(op.channel, {ChatEvent::Info, 0, "", notice(targetName, op.name, reason, ban)});
    if (target) join(*target, "The Void");
}

std::string Server::notice(const std::string& target, const std::string& by, const std::string& reason,
                           bool ban) const {
    if (options_.classic)
        return ban ? target + " was banned by " + by + "."
                   : target + " was kicked out of the channel by " + by + ".";
    return target + (ban ? " has been banned by " : " has been kicked by ") + by +
           (reason.empty() ? "." : " (" + reason + ").");
}

void Server::unban(Client& op, const std::string& name) {
    if (!isOperator(op)) {
        error(op, "You are not a channel operator.");
        return;
    }
    channels_[lower(op.channel)].banned.erase(lower(name));
    broadcast(op.channel, {ChatEvent::Info, 0, "", name + " was unbanned by " + op.name + "."});
}

void Server::designate(Client& op, const std::string& name) {
    if (!isOperator(op) || !findIn(op.channel, name)) {
        error(op, "That user is not in this channel.");
        return;
    }
    channels_[lower(op.channel)].heir = name;
    info(op, name + " is your new designated heir.");
}

void Server::resign(Client& op) {
    if (!isOperator(op)) return;
    const std::string heir = channels_[lower(op.channel)].heir;
    setFlags(op, op.flags & ~OperatorFlag);
    if (Client* next = findIn(op.channel, heir)) setFlags(*next, next->flags | OperatorFlag);
}

}  // namespace testserver
