// Random sequences of chat events, commands, typed lines, clock steps and reloads through a script that
// calls every function of the bot table, and the pattern functions, with what it hears. The bot never
// crashes, the member list mirrors the channel model, and the script writes nothing outside its data
// folder.
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>

#include "fuzz_bot.h"
#include "fuzz_input.h"
#include "moderation/input_enter.h"
#include "support/packets.h"

namespace {

const char* const Source = R"(
local function use(name, text)
  pcall(bot.say, text)
  pcall(bot.whisper, name, text)
  pcall(bot.kick, name, text)
  pcall(bot.ban, name)
  for _, member in ipairs(bot.members()) do pcall(bot.matches, member.name, name) end
  bot.is_operator()
  pcall(bot.is_access, name)
  pcall(bot.is_safe, name)
  pcall(bot.print, text, #text % 2 == 0 and "error" or #text * 4099)
  pcall(bot.setting, name, text)
  pcall(string.gsub, text, name, "<%1>")
  pcall(function() for a, b in string.gmatch(text, name) do end end)
  pcall(bot.timer, 100 + #text * 50, function(timer)
    pcall(bot.say, name)
    if #name % 2 == 0 then timer:stop() end
  end)
end
function on_logon(name, channel) use(name, channel) end
function on_channel(channel) use(channel, channel) end
function on_join(name, flags, product) use(name, flags .. product) end
function on_leave(name) use(name, name) end
function on_talk(name, text, flags) use(name, text) end
function on_emote(name, text) use(name, text) end
function on_whisper(name, text) use(name, text) end
function on_flags(name, flags) use(name, flags) end
function on_info(text) use(text, text) end
function on_error(text) use(text, text) end
function on_disconnect(reason) use(reason, reason) end
-- Writes wait for the disk, so only commands write.
function on_command(speaker, word, argument)
  use(word, argument)
  if pcall(bot.write, word, argument) then pcall(bot.read, word) end
  return #argument % 2 == 0
end
function on_input(text) use(text, text) return #text % 2 == 0 end
)";

// The binary protocol's chat event ids.
constexpr std::array<std::uint32_t, 10> EventIds = {0x01, 0x02, 0x03, 0x04, 0x05,
                                                    0x07, 0x09, 0x12, 0x13, 0x17};
constexpr std::array<const char*, 6> Speakers = {"Boss", "Helper", "Friend", "Joe", "Safety", "bot1"};

// The next field of a record, up to a tab.
std::string Field(std::string_view& record) {
    const std::size_t tab = record.find('\t');
    const std::string field(record.substr(0, tab));
    record.remove_prefix(tab == std::string_view::npos ? record.size() : tab + 1);
    return field;
}

// One record: a byte that picks what happens, then its name and text separated by a tab.
void Play(morva::testing::FuzzBot& fuzz, std::string_view record) {
    const unsigned head = record.empty() ? 0 : static_cast<unsigned char>(record.front());
    if (!record.empty()) record.remove_prefix(1);
    const std::string name = Field(record);
    const std::string text(record);
    switch (head % 5) {
        case 0:
        case 1:
            fuzz.sockets.made[0]->receive(morva::testing::ChatEventPacket(
                EventIds[(head / 5) % EventIds.size()], head & 0x02, 0, name, text));
            break;
        case 2:
            fuzz.sockets.made[0]->receive(morva::testing::ChatEventPacket(
                0x05, 0, 0, Speakers[(head / 5) % Speakers.size()], "!" + text));
            break;
        case 3: {
            std::string typed = text;
            morva::txtSend_Enter(fuzz.bot.chat, typed);
            break;
        }
        default:
            if (head / 5 == 0) fuzz.bot.scripts.load();
            fuzz.clock.advance(static_cast<std::int64_t>(head) * 100);
            break;
    }
}

// What may be in the profile folder: what the bot itself writes, and the scripts' folder with this
// script and its data folder.
void CheckFolder(const std::filesystem::path& folder) {
    static const std::set<std::string> top = {"Scripts", "config.bot", "acces.bot", "safelist.bot",
                                              "filter.bot"};
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (!top.contains(entry.path().filename().string())) __builtin_trap();
    for (const auto& entry : std::filesystem::directory_iterator(folder / "Scripts"))
        if (entry.path().filename() != "fuzz.lua" && entry.path().filename() != "data") __builtin_trap();
    if (!std::filesystem::exists(folder / "Scripts" / "data")) return;
    for (const auto& entry : std::filesystem::directory_iterator(folder / "Scripts" / "data"))
        if (entry.path().filename() != "fuzz") __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes = morva::testing::Bytes(data, size);
    morva::testing::FuzzBot fuzz(true);
    std::filesystem::create_directories(fuzz.folder() / "Scripts");
    fuzz.write("Scripts/fuzz.lua", Source);
    fuzz.bot.scripts.load();
    fuzz.joinAsOperator();
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        Play(fuzz, bytes.substr(0, end));
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    }
    fuzz.clock.advance(1000);
    fuzz.checkMembers();
    CheckFolder(fuzz.folder());
    return 0;
}
