#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "support/bot_fixture.h"
#include "support/child_process.h"
#include "support/config_text.h"

namespace morva::testing {
namespace {

namespace fs = std::filesystem;

const char* const Separator = "---------------------------------------\n";

std::string ProcFile(pid_t pid, const char* name) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/" + name);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string ProgramName(pid_t pid) {
    std::error_code error;
    return fs::read_symlink("/proc/" + std::to_string(pid) + "/exe", error).filename().string();
}

// Whether the process has its SIGTERM handler in place (the mask of caught signals in its status).
bool CatchesSigterm(pid_t pid) {
    const std::string status = ProcFile(pid, "status");
    const std::size_t at = status.find("SigCgt:");
    return at != std::string::npos &&
           (std::stoull(status.substr(at + 7), nullptr, 16) & (1ull << (SIGTERM - 1))) != 0;
}

// The launcher execs the window's program in the same process; waits until that program is ready
// to end on SIGTERM.
bool BecomesWindowProgram(const ChildProcess& child) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (ProgramName(child.pid()) != "morvachat-desktop" || !CatchesSigterm(child.pid())) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

// The terminal face is up (its start-up lines are out) in the launcher's own process, which has
// not loaded the widget or GUI libraries.
void ExpectLeanTerminalFace(ChildProcess& child) {
    ASSERT_TRUE(child.waitForOutput(Separator)) << child.output();
    EXPECT_EQ(ProgramName(child.pid()), "morvachat");
    const std::string maps = ProcFile(child.pid(), "maps");
    ASSERT_NE(maps.find("libQt6Core"), std::string::npos) << "the maps could not be read";
    EXPECT_EQ(maps.find("libQt6Widgets"), std::string::npos);
    EXPECT_EQ(maps.find("libQt6Gui"), std::string::npos);
    EXPECT_EQ(child.signalAndWait(SIGTERM), 0);
}

void ExpectWindowFace(ChildProcess& child) {
    ASSERT_TRUE(BecomesWindowProgram(child)) << child.output();
    EXPECT_NE(ProcFile(child.pid(), "maps").find("libQt6Widgets"), std::string::npos);
    EXPECT_EQ(child.signalAndWait(SIGTERM), 0) << child.output();
}

// Which face runs, from the options and the display; the tests run with QT_QPA_PLATFORM=offscreen,
// so a display is available unless the case takes it away.
struct FaceCase {
    const char* name;
    std::vector<std::string> options;
    bool withoutDisplay;
    bool window;
};

class LauncherFace : public ::testing::TestWithParam<FaceCase> {};

TEST_P(LauncherFace, RunsTheFaceItShould) {
    const FaceCase& face = GetParam();
    TempProfile profile;
    profile.write("config.bot", ValidConfig());
    std::vector<std::string> argv;
    if (face.withoutDisplay)
        argv = {"/usr/bin/env", "-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "-u", "QT_QPA_PLATFORM"};
    argv.push_back(MORVACHAT_PATH);
    argv.insert(argv.end(), face.options.begin(), face.options.end());
    argv.insert(argv.end(), {"--profile", profile.dir().string()});
    ChildProcess child(argv);
    if (face.window) {
        ExpectWindowFace(child);
    } else {
        ExpectLeanTerminalFace(child);
    }
}

INSTANTIATE_TEST_SUITE_P(Faces, LauncherFace,
                         ::testing::Values(FaceCase{"Display", {}, false, true},
                                           FaceCase{"TerminalOption", {"--terminal"}, false, false},
                                           FaceCase{"NoDisplay", {}, true, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// The window's program found relative to the launcher in an installed tree, wherever its prefix.
TEST(LauncherLayout, InstalledTreeOpensTheWindow) {
    TempProfile prefix;
    const std::string install = std::string(CMAKE_COMMAND) + " --install \"" + MORVA_BUILD_DIR +
                                "\" --prefix \"" + prefix.dir().string() + "\" >/dev/null";
    ASSERT_EQ(std::system(install.c_str()), 0);
    TempProfile profile;
    profile.write("config.bot", ValidConfig());
    ChildProcess child({(prefix.dir() / "bin" / "morvachat").string(), "--profile", profile.dir().string()});
    ExpectWindowFace(child);
}

// A launcher without its window's program says where it looked and runs in the terminal, on the
// default profile: its own folder.
TEST(LauncherLayout, MissingWindowProgramIsReportedAndTheTerminalFaceRuns) {
    TempProfile folder;
    const fs::path launcher = folder.dir() / "morvachat";
    fs::copy_file(MORVACHAT_PATH, launcher);
    folder.write("config.bot", ValidConfig());
    ChildProcess child({launcher.string()});
    ASSERT_TRUE(child.waitForOutput("running in the terminal\n")) << child.output();
    EXPECT_NE(child.output().find("not found (looked for \"" + (folder.dir() / "morvachat-desktop").string() +
                                  "\" and \""),
              std::string::npos)
        << child.output();
    ExpectLeanTerminalFace(child);
}

// Command lines that cannot run end with status 2 and say why.
struct RefusedCase {
    const char* name;
    std::vector<std::string> options;
    std::string says;
};

class LauncherRefuses : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(LauncherRefuses, WithStatus2AndTheReason) {
    std::vector<std::string> argv = {MORVACHAT_PATH};
    argv.insert(argv.end(), GetParam().options.begin(), GetParam().options.end());
    ChildProcess child(argv);
    EXPECT_TRUE(child.waitForOutput(GetParam().says)) << child.output();
    EXPECT_EQ(child.signalAndWait(0), 2);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, LauncherRefuses,
    ::testing::Values(RefusedCase{"ProfileIsNoFolder",
                                  {"--profile", "/nonexistent/morva"},
                                  "the profile folder \"/nonexistent/morva\" does not exist\n"},
                      RefusedCase{"UnknownOption", {"--window"}, "unknown or incomplete option \"--window\""},
                      RefusedCase{"ProfileWithoutFolder",
                                  {"--terminal", "--profile"},
                                  "unknown or incomplete option \"--profile\"\n\nUsage: morvachat"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace morva::testing
