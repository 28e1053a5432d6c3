#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/shell.h"
#include "terminal/terminal_pane.h"

namespace morva {

// The shell of the terminal face: no window, no menus and no tray, so those requests only keep
// their state; whisper windows become prefixed panes on standard output.
class TerminalShell : public Shell {
public:
    TerminalShell(const LinePrinter& printer, std::function<void()> endProgram)
        : printer_(printer), endProgram_(std::move(endProgram)) {}

    void setCaption(const std::string& caption) override { caption_ = caption; }
    std::string caption() const override { return caption_; }
    WindowGeometry windowGeometry() const override { return geometry_; }
    void setWindowMeasure(WindowMeasure, double) override {}
    void setChannelLabel(const std::string&) override {}

    void trayMinimize() override {}
    void trayRestore() override {}
    void traySetTip(const std::string&) override {}

    void whisperWindowOpen(int slot, const std::string& caption) override;
    void whisperWindowActivate(int) override {}
    Pane& whisperWindowPane(int slot) override;

    void setFavoriteCaption(int, const std::string&) override {}
    void enableFavorite(int) override {}
    void setWhisperWindowEntryEnabled(bool) override {}
    void relayout(bool) override {}

    void openExternal(const std::string&) override {}
    void endProgram() override { endProgram_(); }

private:
    const LinePrinter& printer_;
    std::function<void()> endProgram_;
    std::string caption_;
    // There is no window; what a window would save is a fixed design size.
    WindowGeometry geometry_{12495, 8340, 0, 0};
    std::map<int, std::unique_ptr<TerminalPane>> whisperPanes_;
};

}  // namespace morva
