#include "output/add_chat.h"

#include <cstdio>
#include <utility>

#include "output/chat_log.h"
#include "output/palette.h"

namespace morva {

namespace {

constexpr int TrimThreshold = 50000;
constexpr int TrimAmount = 25000;

void appendTrimmed(Pane& pane, const std::string& stamp, Runs runs) {
    if (pane.length() > TrimThreshold) pane.dropFront(TrimAmount);
    pane.appendLine(PaneLine{{ColorTimeStamp, stamp}, std::move(runs)});
}

}  // namespace

std::string TimeStamp(const LocalTime& time) {
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "[%02d:%02d:%02d.%02d] ", time.hour % 100, time.minute % 100,
                  time.second % 100, time.hundredths % 100);
    return stamp;
}

const std::string& Output::stampNow() const {
    const LocalTime now = clock.now();
    if (!(now == stampedAt_)) {
        stampedAt_ = now;
        stamp_ = TimeStamp(now);
    }
    return stamp_;
}

void AddChat(Pane& pane, const LocalTime& now, Runs runs) {
    appendTrimmed(pane, TimeStamp(now), std::move(runs));
}

void AddChat(const Output& output, Pane& pane, Runs runs) {
    const std::string& stamp = output.stampNow();
    const bool chat = &pane == &output.rtbChat, whispers = &pane == &output.rtbWhispers;
    if (output.log && (chat || whispers))
        output.log->add(chat ? ChatLog::Pane::Chat : ChatLog::Pane::Whispers, output.stampedAt(), stamp,
                        runs);
    appendTrimmed(pane, stamp, std::move(runs));
}

void AddChat(const Output& output, Runs runs) {
    AddChat(output, output.rtbChat, std::move(runs));
}

}  // namespace morva
