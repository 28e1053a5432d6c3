#include "output/chat_log.h"

#include "output/add_chat.h"
#include "output/palette.h"
#include "platform/files.h"
#include "platform/folder_names.h"

namespace morva {

ChatLog::ChatLog(TimerFactory& timers, Output& output) : output_(output), tmrFlush_(timers.makeTimer()) {
    tmrFlush_->setInterval(FlushMs);
    tmrFlush_->setOnTick([this] { flush(); });
}

ChatLog::~ChatLog() {
    flush();
}

void ChatLog::configure(bool enabled, std::filesystem::path folder) {
    flush();
    enabled_ = enabled;
    folder_ = std::move(folder);
    day_ = -1;
}

void ChatLog::setChannel(const std::string& channel) {
    channel_ = channel;
    day_ = -1;
}

const std::string& ChatLog::fileOf(Pane pane, const LocalTime& when) {
    const int day = (when.year * 100 + when.month) * 100 + when.day;
    if (day != day_) {
        day_ = day;
        const std::string name = DateText(when) + ".log";
        files_[0] = (folder_ / SafeFolderName(channel_) / name).string();
        files_[1] = (folder_ / "Whispers" / name).string();
    }
    return files_[pane == Pane::Whispers ? 1 : 0];
}

void ChatLog::add(Pane pane, const LocalTime& when, const std::string& stamp, const Runs& runs) {
    if (!enabled_) return;
    const std::string& file = fileOf(pane, when);
    if (failed_.contains(file)) return;
    std::string& lines = waiting_[file];
    const std::size_t before = lines.size();
    lines += stamp;
    for (const Run& run : runs) lines += run.text;
    lines += '\n';
    waitingBytes_ += lines.size() - before;
    if (waitingBytes_ >= FlushBytes) {
        flush();
    } else if (!tmrFlush_->isRunning()) {
        tmrFlush_->start();
    }
}

void ChatLog::flush() {
    tmrFlush_->stop();
    // Taken first: the line that reports a failure comes back here as a line of its own.
    auto waiting = std::move(waiting_);
    waiting_.clear();
    waitingBytes_ = 0;
    for (const auto& [file, lines] : waiting) {
        const auto failure = AppendToFile(std::filesystem::path(file), lines);
        if (!failure) continue;
        failed_.insert(file);
        AddChat(output_,
                {{ColorError, "Bot: The chat log could not be written: " + file + ": " + *failure + "."}});
    }
}

}  // namespace morva
