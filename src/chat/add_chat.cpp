#include "chat/add_chat.h"

#include <cstdio>

#include "bot/bot.h"
#include "chat/palette.h"

namespace morva {

namespace {
constexpr int TrimThreshold = 50000;
constexpr int TrimAmount = 25000;

void insertAtEnd(Pane& pane, Rgb color, const std::string& text) {
    pane.setCaret(pane.textLength());
    pane.setSelectionLength(0);
    pane.setInsertColor(color);
    pane.replaceSelection(text);
    pane.setCaret(pane.textLength());
}
}  // namespace

std::string TimeStamp(const LocalTime& time) {
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "[%02d:%02d:%02d.%02d] ", time.hour % 100, time.minute % 100,
                  time.second % 100, time.hundredths % 100);
    return stamp;
}

void AddChat(Pane& pane, const LocalTime& now, const Runs& runs) {
    if (pane.caret() > TrimThreshold) {
        pane.setCaret(0);
        pane.setSelectionLength(TrimAmount);
        pane.replaceSelection("");
    }
    insertAtEnd(pane, ColorTimeStamp, TimeStamp(now));
    for (std::size_t i = 0; i < runs.size(); ++i)
        insertAtEnd(pane, runs[i].color, i + 1 == runs.size() ? runs[i].text + "\r\n" : runs[i].text);
}

void AddChat(Bot& bot, Pane& pane, const Runs& runs) {
    AddChat(pane, bot.ports.clock.now(), runs);
}

void AddChat(Bot& bot, const Runs& runs) {
    AddChat(bot, bot.ports.rtbChat, runs);
}

}  // namespace morva
