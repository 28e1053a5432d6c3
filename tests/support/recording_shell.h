#pragma once

#include <array>
#include <map>
#include <string>
#include <vector>

#include "platform/memory_pane.h"
#include "platform/shell.h"

namespace morva::testing {

// A shell that remembers what the core asked of it.
class RecordingShell : public Shell {
public:
    void setCaption(const std::string& text) override { captionText = text; }
    std::string caption() const override { return captionText; }
    WindowGeometry windowGeometry() const override { return geometry; }
    void setWindowMeasure(WindowMeasure measure, double twips) override;
    void setChannelLabel(const std::string& text) override { channelLabel = text; }

    void trayMinimize() override;
    void trayRestore() override;
    void traySetTip(const std::string& tip) override;

    void whisperWindowOpen(int slot, const std::string& caption) override;
    void whisperWindowActivate(int slot) override { activations.push_back(slot); }
    Pane& whisperWindowPane(int slot) override { return whisperPanes[slot]; }

    void setFavoriteCaption(int entry, const std::string& caption) override {
        favoriteCaptions.at(entry) = caption;
    }
    void enableFavorite(int entry) override { favoriteEnabled.at(entry) = true; }
    void setWhisperWindowEntryEnabled(bool enabled) override { whisperEntryEnabled = enabled; }
    void relayout(bool whispersPaneShown) override { relayouts.push_back(whispersPaneShown); }

    void openExternal(const std::string& target) override { opened.push_back(target); }
    void endProgram() override { ++ends; }

    WindowGeometry geometry{12495, 8340, 1200, 2400};
    std::string captionText;
    std::string channelLabel = "Channel [0]";
    bool inTray = false;
    std::string trayTip;
    std::map<int, std::string> whisperCaptions;
    std::vector<int> activations;
    std::map<int, MemoryPane> whisperPanes;
    std::array<std::string, 5> favoriteCaptions;
    std::array<bool, 5> favoriteEnabled{};
    bool whisperEntryEnabled = false;
    std::vector<bool> relayouts;
    std::vector<std::string> opened;
    int ends = 0;
};

}  // namespace morva::testing
