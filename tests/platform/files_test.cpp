#include "platform/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <optional>

#include "support/bot_fixture.h"

namespace morva {
namespace {

mode_t ModeOf(const std::filesystem::path& path) {
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0);
    return status.st_mode & 07777;
}

struct ModeCase {
    std::optional<mode_t> existing;  // the mode of the file replaced, if there is one
    mode_t newMode;
    mode_t expected;
};

class ReplacedFileMode : public ::testing::TestWithParam<ModeCase> {};

TEST_P(ReplacedFileMode, KeepsTheModeOfTheFileItReplacesOrGivesANewOneItsOwn) {
    const testing::TempProfile folder;
    const auto path = folder.dir() / "config.bot";
    if (GetParam().existing) {
        folder.write("config.bot", "old");
        ASSERT_EQ(::chmod(path.c_str(), *GetParam().existing), 0);
    }
    EXPECT_EQ(ReplaceFileAtomically(path, "new", GetParam().newMode), std::nullopt);
    EXPECT_EQ(folder.read("config.bot"), "new");
    EXPECT_EQ(ModeOf(path), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Modes, ReplacedFileMode,
                         ::testing::Values(ModeCase{0600, 0644, 0600}, ModeCase{0640, 0600, 0640},
                                           ModeCase{0644, 0600, 0644}, ModeCase{std::nullopt, 0600, 0600},
                                           ModeCase{std::nullopt, 0644, 0644}));

TEST(Files, ReadingSaysWhyItFailedAndWhetherTheFileIsMissing) {
    const testing::TempProfile folder;
    const FileContent missing = ReadWholeFile(folder.dir() / "none.bot");
    EXPECT_FALSE(missing.bytes);
    EXPECT_TRUE(missing.missing);
    EXPECT_EQ(missing.error, "No such file or directory");

    std::filesystem::create_directory(folder.dir() / "folder.bot");
    const FileContent folderRead = ReadWholeFile(folder.dir() / "folder.bot");
    EXPECT_FALSE(folderRead.bytes);
    EXPECT_FALSE(folderRead.missing);
    EXPECT_EQ(folderRead.error, "Is a directory");

    folder.write("some.bot", std::string("a\0b", 3));
    EXPECT_EQ(ReadWholeFile(folder.dir() / "some.bot").bytes, std::string("a\0b", 3));
}

TEST(Files, AReplaceThatFailsSaysWhyAndLeavesNoTemporaryFile) {
    const testing::TempProfile folder;
    std::filesystem::create_directory(folder.dir() / "acces.bot");
    EXPECT_EQ(ReplaceFileAtomically(folder.dir() / "acces.bot", "x"), "Is a directory");
    EXPECT_EQ(ReplaceFileAtomically(folder.dir() / "gone" / "acces.bot", "x"), "No such file or directory");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.dir()), {}), 1);
}

}  // namespace
}  // namespace morva
