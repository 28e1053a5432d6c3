#include <QCoreApplication>
#include <cstdio>
#include <filesystem>

#include "launcher/command_line.h"
#include "launcher/desktop_program.h"
#include "launcher/profile_folder.h"
#include "terminal/terminal_face.h"

// The launcher and the terminal face. It links Qt Core and Network only; the window is a program of
// its own (morvachat-desktop), so a run in the terminal never loads the widget libraries.
int main(int argc, char** argv) {
    morva::Options options;
    if (!morva::ParseCommandLine(argc, argv, options)) return 2;
    if (options.help) {
        std::fputs(morva::Usage, stdout);
        return 0;
    }
    const std::filesystem::path programFolder = morva::ProgramFolder(argv[0]);
    std::filesystem::path profile;
    if (!morva::ResolveProfile(options, programFolder, profile)) return 2;
    if (!options.terminal && morva::DisplayAvailable())
        morva::ExecDesktopProgram(argv[0], programFolder, profile);

    QCoreApplication app(argc, argv);
    return morva::RunTerminalFace(profile);
}
