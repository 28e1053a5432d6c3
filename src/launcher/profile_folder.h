#pragma once

#include <filesystem>

#include "launcher/command_line.h"

namespace morva {

// The folder of the running executable, found before any QCoreApplication exists (the window's
// program is started by exec, and a QCoreApplication would only be thrown away).
std::filesystem::path ProgramFolder(const char* argv0);

// The profile folder: the one given with --profile; else the program's folder when it holds a
// config.bot (a portable copy); else $XDG_CONFIG_HOME/morvachat ($HOME/.config/morvachat), made
// (private to its user) when missing. Returns false, having said why on standard error, when there
// is no such folder.
bool ResolveProfile(const Options& options, const std::filesystem::path& programFolder,
                    std::filesystem::path& profile);

}  // namespace morva
