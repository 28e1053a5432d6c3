#pragma once

#include <optional>

namespace morva {

// A control's place in twips.
struct TwipsRect {
    double left = 0, top = 0, width = 0, height = 0;
    friend bool operator==(const TwipsRect&, const TwipsRect&) = default;
};

// A control's new place; a measure left empty keeps the control's current one.
struct Placement {
    std::optional<double> left, top, width, height;
    friend bool operator==(const Placement&, const Placement&) = default;
};

struct MainLayoutInput {
    double clientWidth = 0;   // W, twips
    double clientHeight = 0;  // H, twips
    double inputHeight = 0;   // h: the input line's current height
    bool whispersShown = false;
    bool maximized = false;
    double labelWidth = 0;  // the channel label's current width
};

// The main window's controls as Form_Resize places them.
struct MainLayout {
    Placement rtbChat, lblChannel, lvChannel, txtSend;
    std::optional<Placement> rtbWhispers;  // only while the whispers pane is shown
};

// The layout formulas of the main window, from its client size.
MainLayout FormLayout(const MainLayoutInput& in);

// The current place with the placement's measures; a placement that would give a negative width or
// height leaves the control where it is.
TwipsRect Place(const TwipsRect& current, const Placement& placement);

}  // namespace morva
