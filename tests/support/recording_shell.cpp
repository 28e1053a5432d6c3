#include "support/recording_shell.h"

namespace morva::testing {

void RecordingShell::setWindowMeasure(WindowMeasure measure, double twips) {
    switch (measure) {
        case WindowMeasure::Height:
            geometry.height = twips;
            break;
        case WindowMeasure::Width:
            geometry.width = twips;
            break;
        case WindowMeasure::Left:
            geometry.left = twips;
            break;
        case WindowMeasure::Top:
            geometry.top = twips;
            break;
    }
}

void RecordingShell::trayMinimize() {
    inTray = true;
}

void RecordingShell::trayRestore() {
    inTray = false;
}

void RecordingShell::traySetTip(const std::string& tip) {
    trayTip = tip;
    if (inTray) captionText = tip;
}

void RecordingShell::whisperWindowOpen(int slot, const std::string& caption) {
    whisperCaptions[slot] = caption;
    activations.push_back(slot);
}

}  // namespace morva::testing
