#pragma once

#include <memory>

#include "bot/bot.h"
#include "platform/memory_member_view.h"
#include "platform/memory_pane.h"
#include "support/bot_fixture.h"
#include "support/fake_socket.h"
#include "support/recording_shell.h"
#include "support/virtual_clock.h"

namespace morva::testing {

// A bot on test doubles, connected on socket 0, for feeding it arbitrary input.
struct FuzzBot {
    explicit FuzzBot(bool binary);
    // Stops the run when the member list no longer mirrors the channel model row for member.
    void checkMembers() const;

    TempProfile profile;
    VirtualClock clock;
    FakeSocketFactory sockets;
    MemoryPane chat, whispers;
    MemoryMemberView members;
    RecordingShell shell;
    Bot bot;
};

}  // namespace morva::testing
