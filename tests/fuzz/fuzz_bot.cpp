#include "fuzz_bot.h"

#include <filesystem>
#include <fstream>

#include "support/packets.h"

namespace morva::testing {

namespace {

const std::filesystem::path& SharedFolder() {
    static const TempProfile folder;
    return folder.dir();
}

// When the folder last changed: emptying it takes far longer than the input, so it is left alone when
// nothing was made in it.
std::filesystem::file_time_type Changed() {
    std::error_code ignored;
    return std::filesystem::last_write_time(SharedFolder(), ignored);
}

}  // namespace

FuzzBot::FuzzBot(bool binary) : BotInFolder(SharedFolder()), folderChanged_(Changed()) {
    BotConfig& c = bot.settings.BotConfig;
    c.Binary = binary;
    c.Master = "Boss";
    c.Trigger = "!";
    c.JoinNotifications = c.LeaveNotifications = c.EmotesEnabled = true;
    c.ChannelProtect = true;
    c.WhisperWindow = true;
    c.FloodLines = 4;
    c.FloodSeconds = 6;
    c.LoggingEnabled = false;
    bot.chat.CurrentName = "bot1";
    bot.settings.FilterPatterns = {"*spam*", "[a-", "#*"};
    bot.connection.Bot_Connect();
    sockets.made[0]->acceptConnect();
}

FuzzBot::~FuzzBot() {
    if (Changed() == folderChanged_) return;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(SharedFolder(), ignored))
        std::filesystem::remove_all(entry.path(), ignored);
}

void FuzzBot::checkMembers() const {
    const auto& model = bot.chat.ChannelUsers;
    const std::vector<MemberRow> rows = members.rows();
    if (rows.size() != model.size()) __builtin_trap();
    std::size_t i = 0;
    for (const Member& member : model)
        if (rows[i++].name != member.name) __builtin_trap();
}

void FuzzBot::write(const std::string& fileName, const std::string& bytes) const {
    std::ofstream(SharedFolder() / fileName, std::ios::binary) << bytes;
}

const std::filesystem::path& FuzzBot::folder() const {
    return SharedFolder();
}

void FuzzBot::joinAsOperator() {
    bot.settings.AccesNames = {"Helper"};
    bot.settings.SafeNames = {"Friend", "Sa*"};
    std::string events = ChatEventPacket(0x07, 0, 0, "bot1", "Home");
    events += ChatEventPacket(0x01, 0x02, 0, "bot1", "TAHC");
    for (const char* name : {"Boss", "Helper", "Friend", "Safety", "Joe"})
        events += ChatEventPacket(0x01, 0, 0, name, "RATS");
    sockets.made[0]->receive(events);
    clock.advance(20000);
}

std::size_t FuzzBot::sentCount() const {
    return sockets.made[0]->sent.size();
}

}  // namespace morva::testing
