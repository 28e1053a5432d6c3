#include <QCoreApplication>
#include <cstdio>
#include <filesystem>
#include <string>

#include "launcher/command_line.h"
#include "launcher/desktop_program.h"
#include "launcher/display_probe.h"
#include "launcher/profile_folder.h"
#include "terminal/terminal_face.h"

// The launcher and the terminal face. It links Qt Core and Network only; the window is a program of
// its own (morvachat-desktop), so a run in the terminal never loads the widget libraries.
int main(int argc, char** argv) {
    morva::Options options;
    if (!morva::ParseCommandLine(argc, argv, options)) return 2;
    if (options.help || options.version) {
        std::fputs(options.help ? morva::Usage : "morvachat " MORVA_VERSION "\n", stdout);
        return 0;
    }
    const std::filesystem::path programFolder = morva::ProgramFolder(argv[0]);
    std::filesystem::path profile;
    if (!morva::ResolveProfile(options, programFolder, profile)) return 2;
    if (!options.terminal) {
        std::string why;
        if (morva::DisplayAnswers(why)) {
            morva::ExecDesktopProgram(argv[0], programFolder, profile);
        } else if (options.window) {
            std::fprintf(stderr, "morvachat: the window cannot open: %s\n", why.c_str());
            return 1;
        } else if (morva::DisplayNamed()) {
            std::fprintf(stderr, "morvachat: no usable display (%s); running in the terminal\n", why.c_str());
        }
    }

    QCoreApplication app(argc, argv);
    return morva::RunTerminalFace(profile);
}
