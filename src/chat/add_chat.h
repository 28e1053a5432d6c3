#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/color.h"
#include "platform/pane.h"

namespace morva {

class Bot;

// One coloured piece of a line.
struct Run {
    Rgb color;
    std::string text;
};
using Runs = std::vector<Run>;

// "[HH:nn:ss.hh] " for the given time.
std::string TimeStamp(const LocalTime& time);

// Appends one line to a pane: the time stamp, the runs, one CR LF. A pane whose caret is past
// 50000 characters first loses its first 25000.
void AddChat(Pane& pane, const LocalTime& now, const Runs& runs);
void AddChat(Bot& bot, Pane& pane, const Runs& runs);
// The chat pane, the usual target.
void AddChat(Bot& bot, const Runs& runs);

}  // namespace morva
