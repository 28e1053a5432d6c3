#pragma once

#include <string>

#include "platform/clock.h"
#include "platform/pane.h"

namespace morva {

class ChatLog;

// "[HH:nn:ss.hh] " for the given time.
std::string TimeStamp(const LocalTime& time);

// The program's panes and the clock their stamps come from: what every layer writes its lines to.
class Output {
public:
    Output(Pane& chat, Pane& whispers, const Clock& clock)
        : rtbChat(chat), rtbWhispers(whispers), clock(clock), stamp_(TimeStamp(stampedAt_)) {}

    Pane& rtbChat;
    Pane& rtbWhispers;
    const Clock& clock;
    // Where the chat and whispers panes' lines are kept on disk, when a log is attached.
    ChatLog* log = nullptr;

    // The stamp for a line shown now. A flood shows many lines within one hundredth of a second,
    // so the last stamp is kept and formatted anew only when the time has moved on.
    const std::string& stampNow() const;
    // The time of the last stamp.
    const LocalTime& stampedAt() const { return stampedAt_; }

private:
    mutable LocalTime stampedAt_;
    mutable std::string stamp_;
};

// Appends one line to a pane: the time stamp, then the runs. A pane past 50000 characters first
// loses whole lines from its front, at least 25000 characters.
void AddChat(Pane& pane, const LocalTime& now, Runs runs);
void AddChat(const Output& output, Pane& pane, Runs runs);
// The chat pane, the usual target.
void AddChat(const Output& output, Runs runs);

}  // namespace morva
