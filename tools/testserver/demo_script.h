#pragma once

#include <QTimer>

#include <map>
#include <string>

namespace testserver {

class Client;
class Server;

// The demo channel's life: a few members without connections who talk, emote, whisper whoever else is
// in the channel, leave and come back, one scripted action every few seconds, round and round.
class DemoScript {
public:
    static constexpr const char* Channel = "Morva Demo";

    // Puts the members in the channel at once, so that the first of them holds operator status.
    explicit DemoScript(Server& server);

private:
    void step();

    Server& server_;
    std::map<std::string, Client*> members_;
    std::size_t next_ = 0;
    QTimer timer_;
};

}  // namespace testserver
