#pragma once

#include <string>
#include <vector>

#include "platform/color.h"

namespace morva {

// One coloured piece of a line.
struct Run {
    Rgb color;
    std::string text;
    friend bool operator==(const Run&, const Run&) = default;
};
using Runs = std::vector<Run>;

// One whole line of a pane: its time stamp and its coloured runs (bytes as received), without a
// line end.
struct PaneLine {
    Run stamp;
    Runs runs;
};

// A pane of lines: the chat pane, the whispers pane, a whisper window's conversation. Lines are only
// ever appended at the end and dropped whole from the front.
class Pane {
public:
    virtual ~Pane() = default;
    virtual void appendLine(const PaneLine& line) = 0;
    // The characters the pane holds, as the pane counts them, line ends included.
    virtual int length() const = 0;
    // Drops whole lines from the front until at least that many characters are gone (or the pane is
    // empty).
    virtual void dropFront(int atLeast) = 0;
    virtual void clear() = 0;
};

}  // namespace morva
