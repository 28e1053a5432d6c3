#include "support/recording_shell.h"

namespace morva::testing {

void RecordingShell::trayMinimize() { inTray = true; }

void RecordingShell::trayRestore() { inTray = false; }

void RecordingShell::traySetTip(const std::string& tip) {
    trayTip = tip;
    if (inTray) captionText = tip;
}

void RecordingShell::whisperWindowOpen(int slot, const std::string& caption) {
    whisperCaptions[slot] = caption;
    activations.push_back(slot);
}

}  // namespace morva::testing
