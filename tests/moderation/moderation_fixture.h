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

    // The bot's own record, with operator flags or without, then Joe, Jim, Friend and Helper.
    void fillChannel(bool op);
    // The lines sent on socket 0 since the fixture was made, one per send.
    // The chat pane's lines as "colour|text"; colour is status, grey, error or other, and every
    // line must be one colour throughout.
    std::vector<std::string> paneLines() const;
};

}  // namespace morva::testing
