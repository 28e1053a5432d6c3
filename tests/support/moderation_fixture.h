#pragma once

#include <string>
#include <vector>

#include "support/bot_fixture.h"

namespace morva::testing {

// A bot logged on as MorvaBot over a connected text-mode socket 0, so every line it sends is
// recorded as typed. Master "Boss", trigger "!", Helper on the access list, Friend on the safe list.
class ModerationFixture : public BotFixture {
protected:
    ModerationFixture();

    // The bot's own member, with operator flags or without, then Joe, Jim, Friend and Helper.
    void fillChannel(bool op);
    // One event line from the server, as the text protocol sends it.
    void feed(const std::string& line) { receive(line + "\r\n"); }
    // A new race with two sockets that socket 1 wins, so the active connection is no longer socket
    // 0; its logon bytes and the chat pane are cleared away.
    void reconnectOnSocket1();
    // The chat pane's lines as "colour|text"; colour is status, grey, error or other, and every
    // line must be one colour throughout.
    std::vector<std::string> coloredLines() const;
};

}  // namespace morva::testing
