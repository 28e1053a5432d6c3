// Broken config.bot and list files: the bot reads what it can, says what it could not, never crashes
// and never writes over a file it only read.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "moderation/list_commands.h"
#include "output/palette.h"
#include "settings/name_lists.h"
#include "settings/profile.h"
#include "support/bot_fixture.h"
#include "support/config_text.h"

namespace morva::testing {
namespace {

using namespace std::string_literals;

std::string Junk(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& byte : bytes) byte = static_cast<char>(random() & 0xFF);
    return bytes;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    text.replace(text.find(from), from.size(), to);
    return text;
}

class BadConfigFile : public BotFixture {
protected:
    void SetUp() override {
        profile.write("acces.bot", "Helper\r\n");
        profile.write("safelist.bot", "Friend\r\n");
    }
    // Loads config.bot holding these bytes; every line the load prints must be an error line that
    // names config.bot, and no file of the profile may change.
    void load(const std::string& bytes) {
        profile.write("config.bot", bytes);
        LoadProfile(bot.settings);
        for (const auto& [color, text] : chat.runs())
            EXPECT_TRUE(text.find("config.bot") == std::string::npos || color == ColorError) << text;
        EXPECT_EQ(profile.read("config.bot"), bytes);
        EXPECT_EQ(profile.read("acces.bot"), "Helper\r\n");
        EXPECT_EQ(profile.read("safelist.bot"), "Friend\r\n");
        EXPECT_EQ(bot.settings.AccesNames, std::vector<std::string>{"Helper"});
    }
};

TEST_F(BadConfigFile, JunkAndNulBytesAndAFileWithoutKeysReportEachMissingKeyOnce) {
    const std::string files[] = {"",
                                 Junk(64 * 1024, 1),
                                 Junk(64 * 1024, 2),
                                 std::string(4096, '\0'),
                                 "[Profile]\0Username=bot1\r\n"s,
                                 "\r\r\r\n\n[\r\n]\r\n=\r\n==\r\n"};
    for (const std::string& bytes : files) {
        SCOPED_TRACE(bytes.size());
        chat.clear();
        load(bytes);
        EXPECT_EQ(chatLines().size(), 16u) << "one line per required key";
    }
}

TEST_F(BadConfigFile, KeysAroundTheDamageAreStillRead) {
    const struct {
        const char* what;
        std::string bytes;
        std::string username;
        int port;
    } cases[] = {
        {"no line end at the end", ValidConfig().substr(0, ValidConfig().size() - 2), "bot1", 6112},
        {"a key twice: the first counts",
         Replaced(ValidConfig(), "Port=6112\r\n", "Port=6112\r\nPort=7000\r\n"), "bot1", 6112},
        {"a NUL in a value", Replaced(ValidConfig(), "Username=bot1", "Username=bo\0t1"s), "bo\0t1"s, 6112},
        {"junk before the first section", Junk(4096, 3) + "\r\n" + ValidConfig(), "bot1", 6112},
        {"a 10 MB line before the keys", std::string(10 << 20, 'x') + "\r\n" + ValidConfig(), "bot1", 6112},
        {"a 10 MB value", Replaced(ValidConfig(), "Username=bot1", "Username=" + std::string(10 << 20, 'u')),
         std::string(127, 'u'), 6112},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        config = BotConfig{};
        chat.clear();
        load(c.bytes);
        EXPECT_TRUE(config.Username == c.username) << config.Username.size() << " bytes";
        EXPECT_EQ(config.Port, c.port);
        EXPECT_EQ(config.Master, "Boss");
        EXPECT_EQ(config.IdleMessage, "hello");
        EXPECT_EQ(ReadChannelLogList(bot.settings), (std::vector<std::string>{"lobby", "op x"}))
            << "the keys at the end of the file";
    }
}

class BadListFile : public BotFixture {};

TEST_F(BadListFile, NulsAndLoneCrsAndJunkKeepTheEntriesAroundThem) {
    const struct {
        const char* what;
        std::string bytes;
        std::vector<std::string> entries;
    } cases[] = {
        {"NUL inside an entry", "Ann\r\nBo\0b\r\nCid\r\n"s, {"Ann", "Bo\0b"s, "Cid"}},
        {"NUL lines", "\0\r\nAnn\r\n\0\0\r\n"s, {"\0"s, "Ann", "\0\0"s}},
        {"lone CRs", "Ann\rBob\rCid\r", {"Ann", "Bob", "Cid"}},
        {"no line end", "Ann\r\nBob", {"Ann", "Bob"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        profile.write("acces.bot", c.bytes);
        Acceslist(bot.settings);
        EXPECT_EQ(bot.settings.AccesNames, c.entries);
        EXPECT_EQ(profile.read("acces.bot"), c.bytes) << "reading never writes";
    }
    profile.write("acces.bot", Junk(256 * 1024, 4));
    Acceslist(bot.settings);
    EXPECT_FALSE(bot.settings.AccesNames.empty());
}

TEST_F(BadListFile, AHundredThousandEntriesLoadAnswerAndSaveBack) {
    std::string bytes;
    for (int i = 0; i < 100000; ++i) bytes += "user" + std::to_string(i) + "\r\n";
    profile.write("acces.bot", bytes);
    Acceslist(bot.settings);
    ASSERT_EQ(bot.settings.AccesNames.size(), 100000u);
    EXPECT_TRUE(IsAcces(bot.settings, "USER99999"));
    EXPECT_FALSE(IsAcces(bot.settings, "user100000"));
    EXPECT_EQ(AddToAcceslist(bot.settings, "newcomer"), "newcomer added to acceslist.");
    EXPECT_EQ(profile.read("acces.bot"), bytes + "newcomer\r\n");
}

}  // namespace
}  // namespace morva::testing
