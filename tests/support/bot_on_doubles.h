#pragma once

#include "bot/bot.h"
#include "platform/memory_member_view.h"
#include "platform/memory_pane.h"
#include "support/bot_fixture.h"
#include "support/fake_socket.h"
#include "support/recording_shell.h"
#include "support/virtual_clock.h"

namespace morva::testing {

// A bot on the test doubles in a profile folder of its own, for programs that are not gtest
// fixtures: fuzz targets and benchmarks.
struct BotOnDoubles {
    BotOnDoubles() : bot(Ports{clock, sockets, clock, chat, whispers, members, shell}, profile.dir()) {
        bot.settings.BotConfig.Server = "chat.test";
        bot.settings.BotConfig.Port = 6112;
    }

    TempProfile profile;
    VirtualClock clock;
    FakeSocketFactory sockets;
    MemoryPane chat, whispers;
    MemoryMemberView members;
    RecordingShell shell;
    Bot bot;
};

}  // namespace morva::testing
