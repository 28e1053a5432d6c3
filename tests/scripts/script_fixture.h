#pragma once

#include <string>
#include <vector>

#include "support/moderation_fixture.h"

namespace morva::testing {

// The moderation bot with "Home" as its configured channel. Scripts are written into the profile's
// Scripts folder and then loaded.
class ScriptFixture : public ModerationFixture {
protected:
    ScriptFixture();

    // Writes Scripts/fileName below the profile.
    void script(const std::string& fileName, const std::string& source);
    // Writes the one script "test.lua" and loads the scripts, then clears the chat pane.
    void run(const std::string& source);
    // The chat pane's error lines.
    std::vector<std::string> errorLines() const;
    // The lines the scripts printed in plain white, without the core's own lines.
    std::vector<std::string> printed() const;
    // Every file below the profile folder, as paths relative to it.
    std::vector<std::string> profileFiles() const;
};

}  // namespace morva::testing
