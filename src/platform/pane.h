#pragma once

#include <string>

#include "platform/color.h"

namespace morva {

// A rich-text pane: text in which every character carries a colour, with a caret and a selection.
// Positions and lengths count the pane's own characters.
class Pane {
public:
    virtual ~Pane() = default;
    virtual int textLength() const = 0;
    virtual int caret() const = 0;
    virtual void setCaret(int position) = 0;
    virtual int selectionLength() const = 0;
    virtual void setSelectionLength(int length) = 0;
    virtual void setInsertColor(Rgb color) = 0;
    // Replaces the selection by text (bytes as received); an empty text deletes the selection.
    virtual void replaceSelection(const std::string& text) = 0;
    virtual void clear() = 0;
};

}  // namespace morva
