#pragma once

#include <QTimer>

#include <map>
#include <string>

namespace testserver {

class Client;
class Server;

// The pause before each scripted action: a random length between these two.
struct DemoPace {
    // A calm pace: a newcomer can read every line as it comes.
    int shortestMs = 3000;
    int longestMs = 6000;
};

// The demo channel's life: a few members without connections who talk, emote, whisper whoever else is
// in the channel, leave and come back, one scripted action every few seconds, round and round.
class DemoScript {
public:
    static constexpr const char* Channel = "Morva Demo";

    // Puts the members in the channel at once, so that the first of them holds operator status.
    DemoScript(Server& server, DemoPace pace);

private:
    void step();
    int nextPauseMs() const;

    Server& server_;
    DemoPace pace_;
    std::map<std::string, Client*> members_;
    std::size_t next_ = 0;
    QTimer timer_;
};

}  // namespace testserver
