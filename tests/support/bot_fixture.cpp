#include "support/bot_fixture.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace morva::testing {

TempProfile::TempProfile() {
    std::string pattern = (std::filesystem::temp_directory_path() / "morva-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
    dir_ = pattern;
}

TempProfile::~TempProfile() {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
}

void TempProfile::write(const std::string& fileName, const std::string& bytes) const {
    std::ofstream(dir_ / fileName, std::ios::binary) << bytes;
}

std::string TempProfile::read(const std::string& fileName) const {
    std::ifstream in(dir_ / fileName, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

BotFixture::BotFixture()
    : botPtr(
          std::make_unique<Bot>(Ports{clock, sockets, clock, chat, whispers, members, shell}, profile.dir())),
      bot(*botPtr),
      config(bot.settings.BotConfig) {
    // An address to dial, as every usable config.bot has.
    config.Server = "chat.test";
    config.Port = 6112;
}

void BotFixture::connect(bool binary) {
    config.Binary = binary;
    config.LoginTimeout = 0;
    bot.connection.Bot_Connect();
    sockets.made[0]->acceptConnect();
    if (!binary) receive("2010 NAME\r\n");
    sockets.made[0]->sent.clear();
    chat.clear();
}

std::vector<std::string> BotFixture::chatLines() const {
    std::vector<std::string> lines;
    for (const auto& line : chat.lines()) lines.push_back(WithoutStamp(line));
    return lines;
}

std::string BotFixture::lastChatLine() const {
    const auto lines = chatLines();
    return lines.empty() ? std::string() : lines.back();
}

std::string WithoutStamp(const std::string& line) {
    const std::size_t stampLength = std::string("[14:03:27.45] ").size();
    return line.size() >= stampLength && line[0] == '[' ? line.substr(stampLength) : line;
}

}  // namespace morva::testing
