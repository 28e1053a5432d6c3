// Trigger commands said or whispered by every kind of speaker, with arbitrary text. Only the master
// and the access list command the bot: a line from anybody else never makes it send anything nor
// change a list.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_bot.h"
#include "fuzz_input.h"
#include "moderation/commands.h"

namespace {

struct Speaker {
    const char* name;
    bool commands;
};

constexpr std::array<Speaker, 8> Speakers = {{{"Boss", true},
                                              {"hELPER", true},
                                              {"Friend", false},
                                              {"Safety", false},
                                              {"Joe", false},
                                              {"bot1", false},
                                              {"B*", false},
                                              {"", false}}};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes = morva::testing::Bytes(data, size);
    if (bytes.empty()) return 0;
    const Speaker& speaker = Speakers[static_cast<unsigned char>(bytes.front()) % Speakers.size()];
    bytes.remove_prefix(1);
    morva::testing::FuzzBot fuzz(true);
    fuzz.joinAsOperator();
    const std::size_t sentBefore = fuzz.sentCount();
    const auto access = fuzz.bot.settings.AccesNames;
    const auto safe = fuzz.bot.settings.SafeNames;
    const std::string trigger = fuzz.bot.settings.BotConfig.Trigger;
    morva::CheckTrigger(fuzz.bot.chat, speaker.name, bytes);
    fuzz.clock.advance(60000);
    if (!speaker.commands) {
        if (fuzz.sentCount() != sentBefore || fuzz.bot.settings.AccesNames != access ||
            fuzz.bot.settings.SafeNames != safe || fuzz.bot.settings.BotConfig.Trigger != trigger)
            __builtin_trap();
    }
    fuzz.checkMembers();
    return 0;
}
