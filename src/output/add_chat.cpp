#include "output/add_chat.h"

#include <cstdio>

#include "output/palette.h"

namespace morva {

namespace {
constexpr int TrimThreshold = 50000;
constexpr int TrimAmount = 25000;
}  // namespace

std::string TimeStamp(const LocalTime& time) {
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "[%02d:%02d:%02d.%02d] ", time.hour % 100, time.minute % 100,
                  time.second % 100, time.hundredths % 100);
    return stamp;
}

void AddChat(Pane& pane, const LocalTime& now, const Runs& runs) {
    if (pane.length() > TrimThreshold) pane.dropFront(TrimAmount);
    pane.appendLine(PaneLine{{ColorTimeStamp, TimeStamp(now)}, runs});
}

void AddChat(const Output& output, Pane& pane, const Runs& runs) {
    AddChat(pane, output.clock.now(), runs);
}

void AddChat(const Output& output, const Runs& runs) {
    AddChat(output, output.rtbChat, runs);
}

}  // namespace morva
