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

#include "launcher/profile_folder.h"
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

    // What an operator needs besides: the manual, the user unit, the test server, a sample profile, and
    // the scripting guide with its example scripts.
    for (const char* file :
         {"share/man/man1/morvachat.1", "lib/systemd/user/morvachat@.service", "bin/morva-testserver",
          "share/doc/MorvaChat/examples/config.bot", "share/doc/morvachat/scripting.md",
          "share/doc/morvachat/scripts/greeter.lua", "share/doc/morvachat/scripts/seen.lua"})
        EXPECT_TRUE(fs::exists(prefix.dir() / file)) << file;

    // The first start of the installed program in a fresh home: the welcome, and the starter file
    // where the user's settings live.
    TempProfile home;
    ChildProcess first({"/usr/bin/env", "HOME=" + home.dir().string(),
                        "XDG_CONFIG_HOME=" + (home.dir() / "config").string(),
                        (prefix.dir() / "bin" / "morvachat").string(), "--terminal"});
    EXPECT_TRUE(first.waitForOutput("Bot: Welcome to MorvaChat.")) << first.output();
    EXPECT_EQ(first.signalAndWait(SIGTERM), 0);
    EXPECT_TRUE(fs::exists(home.dir() / "config" / "morvachat" / "config.bot"));
}

// Without a display that answers (a DISPLAY left from an ssh session), the terminal face runs and
// says why; --window fails instead, also saying why.
TEST(LauncherDisplay, AStaleDisplayFallsBackToTheTerminalAndFailsTheWindowOption) {
    TempProfile profile;
    profile.write("config.bot", ValidConfig());
    const std::vector<std::string> stale = {
        "/usr/bin/env", "-u",        "WAYLAND_DISPLAY",     "-u", "QT_QPA_PLATFORM", "DISPLAY=:987",
        MORVACHAT_PATH, "--profile", profile.dir().string()};
    ChildProcess terminal(stale);
    ASSERT_TRUE(terminal.waitForOutput("running in the terminal\n")) << terminal.output();
    EXPECT_NE(terminal.output().find("no usable display (DISPLAY=:987: no X server answers ("),
              std::string::npos)
        << terminal.output();
    ExpectLeanTerminalFace(terminal);

    std::vector<std::string> window = stale;
    window.push_back("--window");
    ChildProcess refused(window);
    EXPECT_TRUE(refused.waitForOutput("the window cannot open: DISPLAY=:987: no X server answers ("))
        << refused.output();
    EXPECT_EQ(refused.signalAndWait(0), 1);
}

TEST(LauncherVersion, PrintsTheVersion) {
    ChildProcess child({MORVACHAT_PATH, "--version"});
    EXPECT_TRUE(child.waitForOutput("morvachat 1.0\n")) << child.output();
    EXPECT_EQ(child.signalAndWait(0), 0);
}

// Without --profile and without a config.bot beside the program, the profile is the user's
// XDG folder, made on the first start with a starter config.bot.
TEST(LauncherProfile, WithoutAPortableCopyTheUsersConfigFolderIsMadeAndFilled) {
    TempProfile folder, home;
    const fs::path launcher = folder.dir() / "morvachat";
    fs::copy_file(MORVACHAT_PATH, launcher);
    const std::pair<std::vector<std::string>, fs::path> cases[] = {
        {{"XDG_CONFIG_HOME=" + (home.dir() / "xdg").string()}, home.dir() / "xdg" / "morvachat"},
        {{"-u", "XDG_CONFIG_HOME"}, home.dir() / ".config" / "morvachat"},
    };
    for (const auto& [variables, expected] : cases) {
        std::vector<std::string> argv = {"/usr/bin/env"};
        argv.insert(argv.end(), variables.begin(), variables.end());
        argv.insert(argv.end(), {"HOME=" + home.dir().string(), launcher.string(), "--terminal"});
        ChildProcess child(argv);
        EXPECT_TRUE(child.waitForOutput("A new profile was made in " + expected.string() + "."))
            << child.output();
        EXPECT_EQ(child.signalAndWait(SIGTERM), 0);
        EXPECT_TRUE(fs::exists(expected / "config.bot")) << expected;
        EXPECT_EQ(fs::status(expected).permissions(), fs::perms::owner_all);
    }
}

TEST(LauncherProfile, AGivenFolderIsMadeAbsolute) {
    TempProfile folder;
    const fs::path before = fs::current_path();
    fs::current_path(folder.dir().parent_path());
    Options options;
    options.profile = "./" + folder.dir().filename().string() + "/";
    fs::path profile;
    const bool resolved = ResolveProfile(options, "/nowhere", profile);
    fs::current_path(before);
    EXPECT_TRUE(resolved);
    EXPECT_EQ(profile, folder.dir() / "");
    EXPECT_TRUE(profile.is_absolute());
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
                      RefusedCase{"ProfileIsAFile",
                                  {"--profile", MORVACHAT_PATH},
                                  "the profile folder \"" MORVACHAT_PATH "\" is not a folder\n"},
                      RefusedCase{
                          "UnknownOption", {"--windows"}, "unknown or incomplete option \"--windows\""},
                      RefusedCase{"TerminalAndWindow", {"--terminal", "--window"}, "exclude each other\n"},
                      RefusedCase{"ProfileWithoutFolder",
                                  {"--terminal", "--profile"},
                                  "unknown or incomplete option \"--profile\"\n\nUsage: morvachat"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace morva::testing
