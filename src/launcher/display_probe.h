#pragma once

#include <string>

namespace morva {

// Whether the window could open now: Qt is told a platform (QT_QPA_PLATFORM), or the Wayland or X
// display that the environment names answers a connection. Otherwise why not, in a few words: a
// DISPLAY left over from an ssh session or a tmux started elsewhere is the usual case.
bool DisplayAnswers(std::string& why);

}  // namespace morva
