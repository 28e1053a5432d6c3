#pragma once

#include "support/bot_on_doubles.h"

namespace morva::testing {

// A bot on test doubles, connected on socket 0, for feeding it arbitrary input.
struct FuzzBot : BotOnDoubles {
    explicit FuzzBot(bool binary);
    // Stops the run when the member list no longer mirrors the channel model row for member.
    void checkMembers() const;
};

}  // namespace morva::testing
