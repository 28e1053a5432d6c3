// A profile on a full disk or in a folder the program may not write: every save says why it failed,
// nothing on disk changes, nothing in memory is lost, and the bot goes on.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "bot/startup.h"
#include "moderation/list_commands.h"
#include "output/add_chat.h"
#include "output/palette.h"
#include "settings/config_file.h"
#include "settings/name_lists.h"
#include "support/bot_fixture.h"
#include "support/config_text.h"

namespace morva::testing {
namespace {

namespace fs = std::filesystem;

// Files larger than this cannot grow, as on a disk that is full.
void FillTheDisk() {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, 4096};
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

// The folder and its files may be read, not written; root, who may write anything, becomes nobody.
void MakeReadOnly(const fs::path& dir) {
    for (const auto& entry : fs::recursive_directory_iterator(dir))
        ::chmod(entry.path().c_str(), entry.is_directory() ? 0555 : 0444);
    ::chmod(dir.c_str(), 0555);
    if (::geteuid() == 0 && ::setuid(65534) != 0) ::_exit(3);
}

struct Fault {
    const char* name;
    void (*apply)(const fs::path& dir);
    const char* reason;
};

const Fault Faults[] = {
    {"full disk", [](const fs::path&) { FillTheDisk(); }, "File too large"},
    {"read-only folder", MakeReadOnly, "Permission denied"},
};

class ProfileFaults : public BotFixture, public ::testing::WithParamInterface<Fault> {
protected:
    void SetUp() override {
        std::string bigList;
        for (int i = 0; i < 1000; ++i) bigList += "member" + std::to_string(i) + "\r\n";
        profile.write("config.bot", ValidConfig());
        profile.write("acces.bot", bigList);
        profile.write("safelist.bot", bigList);
        profile.write("filter.bot", bigList);
        Form_Load(bot);
        chat.clear();
    }
    // Everything the program saves, each asked once.
    void saveEverything() {
        EXPECT_FALSE(WriteConfig(bot.settings, "Commands", "Trigger", std::string(5000, '#')));
        AddToAcceslist(bot.settings, "newcomer");
        AddToSafelist(bot.settings, "newcomer");
        bot.settings.FilterPatterns.push_back("newcomer");
        EXPECT_FALSE(WriteFilter(bot.settings));
        bot.settings.FilterPatterns.pop_back();
        for (int line = 0; line < 200; ++line) AddChat(bot.output, {{ColorWhite, std::string(100, 'x')}});
        clock.advance(2000);
    }
    void expectSavedNothingAndToldWhy(const std::vector<std::string>& before) {
        std::vector<std::string> now;
        for (const char* name : {"config.bot", "acces.bot", "safelist.bot", "filter.bot"})
            now.push_back(profile.read(name));
        EXPECT_TRUE(now == before) << "a file changed";
        EXPECT_EQ(bot.settings.AccesNames.size(), 1000u);
        EXPECT_EQ(bot.settings.SafeNames.size(), 1000u);
        int told = 0;
        for (const auto& [color, text] : chat.runs())
            told += color == ColorError && text.find(GetParam().reason) != std::string::npos;
        EXPECT_GE(told, 5) << chat.text();
        for (const auto& entry : fs::recursive_directory_iterator(profile.dir()))
            EXPECT_EQ(entry.path().filename().string().find(".tmp-"), std::string::npos) << entry.path();
    }
};

TEST_P(ProfileFaults, EverySaveSaysWhyNothingChangesNothingIsLost) {
    std::vector<std::string> before;
    for (const char* name : {"config.bot", "acces.bot", "safelist.bot", "filter.bot"})
        before.push_back(profile.read(name));
    // The fault holds for the whole process, so it is tried in a child of its own.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        GetParam().apply(profile.dir());
        saveEverything();
        expectSavedNothingAndToldWhy(before);
        ::_exit(HasFailure() ? 1 : 0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "see the child's failures above";
    // The child's changes of mode are the parent's too; the folder is removed at the end.
    fs::permissions(profile.dir(), fs::perms::owner_all);
    for (const auto& entry : fs::recursive_directory_iterator(profile.dir()))
        fs::permissions(entry.path(), fs::perms::owner_all);
}

INSTANTIATE_TEST_SUITE_P(Faults, ProfileFaults, ::testing::ValuesIn(Faults), [](const auto& info) {
    return std::string(info.param.name == std::string("full disk") ? "FullDisk" : "ReadOnlyFolder");
});

}  // namespace
}  // namespace morva::testing
