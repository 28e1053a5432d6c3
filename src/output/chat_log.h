#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "platform/clock.h"
#include "platform/pane.h"
#include "platform/timer.h"

namespace morva {

class Output;

// The conversation kept on disk: each line of the chat pane, as shown (stamp and text, no colours),
// appended to <folder>/<channel>/<YYYY-MM-DD>.log, and each line of the whispers pane to
// <folder>/Whispers/<YYYY-MM-DD>.log, with LF line ends. Lines wait in memory and are written once a
// second, when much has gathered and when the log goes away, so logging never slows a pane. A file
// that cannot be written is reported once and not tried again; the next channel or day starts a
// file of its own.
class ChatLog {
public:
    ChatLog(TimerFactory& timers, Output& output);
    ~ChatLog();
    ChatLog(const ChatLog&) = delete;
    ChatLog& operator=(const ChatLog&) = delete;

    // Logging on or off, and the folder of the log; lines before the first call are not logged.
    void configure(bool enabled, std::filesystem::path folder);
    bool enabled() const { return enabled_; }
    void setChannel(const std::string& channel);
    enum class Pane { Chat, Whispers };
    // A line as shown: its stamp and the text of its runs.
    void add(Pane pane, const LocalTime& when, const std::string& stamp, const Runs& runs);
    void flush();

    static constexpr int FlushMs = 1000;
    static constexpr std::size_t FlushBytes = 64 * 1024;

private:
    // The file of a pane's lines on a day, kept while the channel and the day stay the same.
    const std::string& fileOf(Pane pane, const LocalTime& when);

    Output& output_;
    std::unique_ptr<Timer> tmrFlush_;
    bool enabled_ = false;
    std::filesystem::path folder_;
    std::string channel_;
    int day_ = -1;  // year, month and day of the files below, as one number
    std::string files_[2];
    std::map<std::string, std::string> waiting_;
    std::size_t waitingBytes_ = 0;
    std::set<std::string> failed_;
};

}  // namespace morva
