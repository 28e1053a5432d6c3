#pragma once

#include <string>

namespace morva {

class Pane;

// The main window's outer size and position, in twips (15 to a pixel at 96 dots per inch).
struct WindowGeometry {
    double width = 0, height = 0, top = 0, left = 0;
};
enum class WindowMeasure { Height, Width, Left, Top };

// What the core asks of the window around it: captions, the tray, whisper windows, menu entries,
// opening files and links, and ending the program.
class Shell {
public:
    virtual ~Shell() = default;

    virtual void setCaption(const std::string& caption) = 0;
    virtual std::string caption() const = 0;
    virtual WindowGeometry windowGeometry() const = 0;
    virtual void setWindowMeasure(WindowMeasure measure, double twips) = 0;
    // The label above the member list.
    virtual void setChannelLabel(const std::string& text) = 0;

    // Put the icon in the tray and hide the window.
    virtual void trayMinimize() = 0;
    // Bring the window back in its normal state and take the icon out of the tray.
    virtual void trayRestore() = 0;
    // Set the tray tip; while the window is minimised its caption becomes the tip as well.
    virtual void traySetTip(const std::string& tip) = 0;

    // Show the whisper window of a slot with its caption, focus its input line and activate it.
    virtual void whisperWindowOpen(int slot, const std::string& caption) = 0;
    virtual void whisperWindowActivate(int slot) = 0;
    virtual Pane& whisperWindowPane(int slot) = 0;

    // Favourite channel entries 0 to 4 of the favourites menu.
    virtual void setFavoriteCaption(int entry, const std::string& caption) = 0;
    virtual void enableFavorite(int entry) = 0;
    // The member list popup's "Whisper Window" entry.
    virtual void setWhisperWindowEntryEnabled(bool enabled) = 0;
    // Show or hide the whispers pane (and enable "Clear Whispers" with it), then lay the window out.
    virtual void relayout(bool whispersPaneShown) = 0;

    // Open a file or a link with the desktop's default handler; failures are not reported.
    virtual void openExternal(const std::string& target) = 0;
    // End the program at once.
    virtual void endProgram() = 0;
};

}  // namespace morva
