// An arbitrary config.bot: loading it with the profile, and writing a key into it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_bot.h"
#include "fuzz_input.h"
#include "settings/ini_text.h"
#include "settings/profile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    morva::testing::FuzzBot fuzz(true);
    const std::string bytes(morva::testing::Bytes(data, size));
    fuzz.write("config.bot", bytes);
    morva::LoadProfile(fuzz.bot.settings);
    morva::ReadChannelLogList(fuzz.bot.settings);
    const std::string written = morva::IniWrite(bytes, "Commands", "Trigger", "#");
    if (morva::IniLookup(written, "Commands", "Trigger") != std::string("#")) __builtin_trap();
    return 0;
}
