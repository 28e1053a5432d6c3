#pragma once

#include <string>
#include <vector>

#include "support/bot_fixture.h"

namespace morva::testing {

// A bot logged on as MorvaBot in channel Home over a connected text-mode socket 0, so every line it
// sends is recorded as typed. Master "Boss", trigger "!", Helper on the access list, Friend on the safe
// list. Scripts are written into the profile's Scripts folder and then loaded.
class ScriptFixture : public BotFixture {
protected:
    ScriptFixture();

    // Writes Scripts/fileName below the profile.
    void script(const std::string& fileName, const std::string& source);
    // Writes the one script "test.lua" and loads the scripts, then clears the chat pane.
    void run(const std::string& source);
    // One event line from the server, as the text protocol sends it.
    void feed(const std::string& line) { receive(line + "\r\n"); }
    // The bot's own member with operator flags or without, then Joe, Jim, Friend and Helper.
    void fillChannel(bool op);
    // The chat pane's error lines.
    std::vector<std::string> errorLines() const;
    // The lines the scripts printed in plain white, without the core's own lines.
    std::vector<std::string> printed() const;
    // Every file below the profile folder, as paths relative to it.
    std::vector<std::string> profileFiles() const;
};

}  // namespace morva::testing
