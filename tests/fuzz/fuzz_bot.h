#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

#include "support/bot_on_doubles.h"

namespace morva::testing {

// A bot on test doubles, connected on socket 0, for feeding it arbitrary input. The bots of one run
// share a profile folder that is emptied after each, so that an input costs no folder of its own
// and leaves nothing for the next. The chat log is off: it would only write into that folder.
struct FuzzBot : BotInFolder {
    explicit FuzzBot(bool binary);
    ~FuzzBot();
    // Stops the run when the member list no longer mirrors the channel model row for member.
    void checkMembers() const;
    // Puts a file into the profile folder.
    void write(const std::string& fileName, const std::string& bytes) const;
    // The profile folder the bots of this run share.
    const std::filesystem::path& folder() const;
    // Logs the bot on as an operator in a channel with the master, an access-list user, a safe-listed
    // user and a stranger; the access and safe lists hold them.
    void joinAsOperator();
    // The packets or lines sent on the connection so far.
    std::size_t sentCount() const;

private:
    std::filesystem::file_time_type folderChanged_;
};

}  // namespace morva::testing
