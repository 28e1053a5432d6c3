#include "terminal/terminal_shell.h"

namespace morva {

void TerminalShell::whisperWindowOpen(int slot, const std::string& caption) {
    // The caption is "user: Whisper window."; the user's name makes the prefix.
    const std::string user = caption.substr(0, caption.find(": Whisper window."));
    whisperPanes_[slot] = std::make_unique<TerminalPane>(printer_, "[whisper " + user + "] ");
}

Pane& TerminalShell::whisperWindowPane(int slot) {
    auto& pane = whisperPanes_[slot];
    if (!pane) pane = std::make_unique<TerminalPane>(printer_, "[whisper] ");
    return *pane;
}

}  // namespace morva
