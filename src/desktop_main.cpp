#include <QApplication>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "ui/desktop_face.h"

// The window of morvachat. The launcher starts it with the profile folder already resolved and
// checked, and with its own name as argv[0].
int main(int argc, char** argv) {
    if (argc != 3 || std::strcmp(argv[1], "--profile") != 0) {
        std::fputs("morvachat-desktop: the window of morvachat, started by it; run morvachat instead\n",
                   stderr);
        return 2;
    }
    const std::filesystem::path profile = argv[2];
    QApplication app(argc, argv);
    return morva::RunDesktopFace(profile);
}
