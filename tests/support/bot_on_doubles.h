#pragma once

#include <filesystem>

#include "bot/bot.h"
#include "platform/memory_member_view.h"
#include "platform/memory_pane.h"
#include "support/bot_fixture.h"
#include "support/fake_socket.h"
#include "support/recording_shell.h"
#include "support/virtual_clock.h"

namespace morva::testing {

// A bot on the test doubles with its profile in folder, for programs that are not gtest fixtures:
// fuzz targets and benchmarks.
struct BotInFolder {
    explicit BotInFolder(const std::filesystem::path& folder)
        : bot(Ports{clock, sockets, clock, chat, whispers, members, shell}, folder) {
        bot.settings.BotConfig.Server = "chat.test";
        bot.settings.BotConfig.Port = 6112;
    }

    VirtualClock clock;
    FakeSocketFactory sockets;
    MemoryPane chat, whispers;
    MemoryMemberView members;
    RecordingShell shell;
    Bot bot;
};

// The profile folder goes first, so that it is made before the bot and removed after it.
struct OwnProfile {
    TempProfile profile;
};

// A bot on the test doubles in a profile folder of its own.
struct BotOnDoubles : OwnProfile, BotInFolder {
    BotOnDoubles() : BotInFolder(profile.dir()) {}
};

}  // namespace morva::testing
