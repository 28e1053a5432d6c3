#pragma once

#include <QTcpServer>

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "chat_event.h"
#include "client.h"
#include "flood.h"

namespace testserver {

struct Options {
    std::map<std::string, std::string> accounts;  // lower-cased name -> password; empty: everybody may log on
    // The original service's texts and rules instead of those of today's community servers.
    bool classic = false;
    // The flood quota's window; tests shorten it so that a paced queue passes it quickly.
    int floodWindowMs = 5000;
    // Talk events that flood the first connected client to join a channel, floodDelayMs after it joins.
    std::int64_t floodEvents = 0;
    int floodDelayMs = 0;
};

// A small chat server for tests and demos: accounts, channels with members and operators, and the
// server commands a moderated channel needs. Listens on 127.0.0.1 only.
class Server : public QObject {
public:
    explicit Server(Options options);
    bool listen(quint16 port);

    // Without accounts the server is open: every name logs on with any password.
    bool isOpen() const { return options_.accounts.empty(); }
    // The password of an account; nothing when there is no such account.
    std::optional<std::string> passwordOf(const std::string& name) const;
    bool passwordMatches(const std::string& name, const std::string& password) const;
    // The password as the server hashes it: community servers store the lower-cased password.
    std::string hashedPassword(const std::string& password) const;
    bool classic() const { return options_.classic; }

    // Whether a chat line of a logged-on user may pass the flood quota; may close the connection.
    bool admit(Client& client, const std::string& line);

    // A logged-on client; returns the name it goes by.
    std::string loggedOn(Client& client, const std::string& account);
    void join(Client& client, const std::string& channel);
    void talk(Client& client, const std::string& text);
    void command(Client& client, const std::string& line);
    // Out of its channel, if it is in one.
    void leave(Client& client);
    void gone(Client& client);

    // A member without a connection, logged on under that name; the product as on the wire ("RATS").
    Client& addVirtualMember(const std::string& name, const std::string& product);
    // The names of a channel's members that have a connection.
    std::vector<std::string> connectedMembersOf(const std::string& channel) const;

private:
    struct Channel {
        std::vector<Client*> members;
        std::set<std::string> banned;  // lower-cased names
        std::string heir;              // designated by the operator
    };

    void broadcast(const std::string& channel, const ChatEvent& event, const Client* except = nullptr);
    void info(Client& client, const std::string& text);
    void error(Client& client, const std::string& text);
    Client* find(const std::string& name) const;
    Client* findIn(const std::string& channel, const std::string& name) const;
    void setFlags(Client& client, std::uint32_t flags);
    bool isOperator(const Client& client) const;

    void whisper(Client& from, const std::string& args);
    void who(Client& client, const std::string& channel);
    void kickOrBan(Client& op, const std::string& args, bool ban);
    std::string notice(const std::string& target, const std::string& by, const std::string& reason,
                       bool ban) const;
    void unban(Client& op, const std::string& name);
    void designate(Client& op, const std::string& name);
    void resign(Client& op);

    Options options_;
    QTcpServer listener_;
    std::vector<std::unique_ptr<Client>> clients_;
    std::map<std::string, Channel> channels_;  // by lower-cased name
    std::unique_ptr<Flood> flood_;
};

}  // namespace testserver
