#pragma once

#include <string>

#include "platform/clock.h"
#include "platform/pane.h"

namespace morva {

// The program's panes and the clock their stamps come from: what every layer writes its lines to.
class Output {
public:
    Output(Pane& chat, Pane& whispers, const Clock& clock)
        : rtbChat(chat), rtbWhispers(whispers), clock(clock) {}

    Pane& rtbChat;
    Pane& rtbWhispers;
    const Clock& clock;
};

// "[HH:nn:ss.hh] " for the given time.
std::string TimeStamp(const LocalTime& time);

// Appends one line to a pane: the time stamp, then the runs. A pane past 50000 characters first
// loses whole lines from its front, at least 25000 characters.
void AddChat(Pane& pane, const LocalTime& now, const Runs& runs);
void AddChat(const Output& output, Pane& pane, const Runs& runs);
// The chat pane, the usual target.
void AddChat(const Output& output, const Runs& runs);

}  // namespace morva
