// Saves killed at random moments: every file is always its old or its new content, never a mix.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "platform/files.h"
#include "support/bot_fixture.h"

namespace morva::testing {
namespace {

namespace fs = std::filesystem;

const char* const Saved[] = {"config.bot", "acces.bot", "safelist.bot", "filter.bot"};

// Two versions of a saved file, large enough that a save takes several writes.
std::string Version(const std::string& name, int which) {
    std::string bytes;
    for (int line = 0; line < 20000; ++line) bytes += name + ":" + std::to_string(which) + "\r\n";
    return bytes;
}

// What the program does all day: replace its files, write census files, append to the chat log.
[[noreturn]] void WriteForever(const fs::path& dir, int round) {
    for (int i = 0;; ++i) {
        for (const char* name : Saved) ReplaceFileAtomically(dir / name, Version(name, i % 2));
        ReplaceFileAtomically(dir / "Census" / (std::to_string(round) + "-" + std::to_string(i) + ".txt"),
                              "lobby\r\n");
        std::string lines;
        for (int line = 0; line < 100; ++line)
            lines += "[12:00:00.00] line of round " + std::to_string(round) + "\n";
        AppendToFile(dir / "Chat Logs" / "lobby.log", lines);
    }
}

void ExpectWhole(const fs::path& dir) {
    for (const char* name : Saved) {
        const std::string bytes = ReadWholeFile(dir / name).bytes.value_or("");
        EXPECT_TRUE(bytes == Version(name, 0) || bytes == Version(name, 1)) << name << ": " << bytes.size();
    }
    for (const auto& entry : fs::directory_iterator(dir / "Census")) {
        const bool census = entry.path().extension() == ".txt";
        EXPECT_TRUE(!census || ReadWholeFile(entry.path()).bytes == "lobby\r\n") << entry.path();
    }
    const std::string log = ReadWholeFile(dir / "Chat Logs" / "lobby.log").bytes.value_or("");
    EXPECT_TRUE(log.empty() || log.back() == '\n') << "the log ends inside a line";
}

TEST(CrashSafeFiles, AWriterKilledAtAnyMomentLeavesEveryFileOldOrNewAndTheNextStartNoTemporary) {
    TempProfile profile;
    const fs::path dir = profile.dir();
    fs::create_directories(dir / "Census");
    for (const char* name : Saved) profile.write(name, Version(name, 0));
    std::mt19937 random(20261210);
    for (int round = 0; round < 300; ++round) {
        const pid_t writer = ::fork();
        ASSERT_GE(writer, 0);
        if (writer == 0) WriteForever(dir, round);
        ::usleep(std::uniform_int_distribution<useconds_t>(0, 3000)(random));
        ::kill(writer, SIGKILL);
        int status = 0;
        ::waitpid(writer, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));
        ExpectWhole(dir);
        if (HasFailure()) return;
    }
    RemoveStaleTemporaries(dir);
    for (const auto& entry : fs::recursive_directory_iterator(dir))
        EXPECT_EQ(entry.path().filename().string().find(".tmp-"), std::string::npos) << entry.path();
}

}  // namespace
}  // namespace morva::testing
