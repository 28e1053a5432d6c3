#include "sessions/text_session.h"

#include "sessions/event_line.h"
#include "sessions/friend_notice.h"

namespace morva {

namespace {
constexpr std::string_view LineEnd = "\r\n";
}

void TextSession::feed(std::string_view chunk) {
    ChunkMark mark{0, ParseFriendAdded(chunk), false};
    dropConsumed();
    buffer_.append(chunk);
    if (skipping_) skipDroppedRest();
    if (!skipping_) {
        findLastLineEnd();
        mark.overlong = buffer_.size() - complete_ > MaxPendingLine;
        if (mark.overlong) {
            keepOnlyTrailingCr();
            skipping_ = true;
        }
    }
    mark.linesEnd = complete_;
    marks_.push_back(std::move(mark));
}

std::optional<TextEvent> TextSession::next() {
    for (; firstMark_ < marks_.size(); ++firstMark_) {
        ChunkMark& mark = marks_[firstMark_];
        if (mark.notice) {
            TextEvent notice = std::move(*mark.notice);
            mark.notice.reset();
            return notice;
        }
        if (auto event = nextLine(mark.linesEnd)) return *event;
        if (mark.overlong) {
            mark.overlong = false;
            return OverlongLine{};
        }
    }
    return std::nullopt;
}

void TextSession::reset() {
    buffer_.clear();
    offset_ = scanFrom_ = complete_ = 0;
    skipping_ = false;
    marks_.clear();
    firstMark_ = 0;
}

std::string TextSession::logonLine(std::string_view username, std::string_view password,
                                   std::string_view channel) {
    std::string line = "\x03\x04";
    line.append(username).append(LineEnd).append(password).append(LineEnd);
    line.append("/join ").append(channel).append(LineEnd);
    return line;
}

std::optional<ChatEvent> TextSession::nextLine(std::size_t linesEnd) {
    while (offset_ < linesEnd) {
        const std::size_t end = buffer_.find(LineEnd, offset_);
        const std::string_view line(buffer_.data() + offset_, end - offset_);
        offset_ = end + LineEnd.size();
        if (auto event = ParseEventLine(line)) return event;
    }
    return std::nullopt;
}

void TextSession::dropConsumed() {
    if (firstMark_ == marks_.size()) {
        marks_.clear();
        firstMark_ = 0;
    }
    if (offset_ == 0) return;
    buffer_.erase(0, offset_);
    complete_ -= offset_;
    scanFrom_ -= offset_;
    for (std::size_t i = firstMark_; i < marks_.size(); ++i) marks_[i].linesEnd -= offset_;
    offset_ = 0;
}

void TextSession::findLastLineEnd() {
    const std::size_t last = std::string_view(buffer_).substr(scanFrom_).rfind(LineEnd);
    if (last != std::string_view::npos) complete_ = scanFrom_ + last + LineEnd.size();
    // The next search starts at the last byte: a CR there may be the first half of a line end.
    scanFrom_ = buffer_.size() > complete_ ? buffer_.size() - 1 : complete_;
}

void TextSession::skipDroppedRest() {
    const std::size_t end = buffer_.find(LineEnd, scanFrom_);
    if (end == std::string::npos) {
        keepOnlyTrailingCr();
        return;
    }
    buffer_.erase(complete_, end + LineEnd.size() - complete_);
    scanFrom_ = complete_;
    skipping_ = false;
}

// Drops the unfinished end but for a CR at the very end, which may be the first half of a line end.
void TextSession::keepOnlyTrailingCr() {
    const bool endsWithCr = buffer_.size() > complete_ && buffer_.back() == '\r';
    buffer_.resize(complete_);
    if (endsWithCr) buffer_.push_back('\r');
    scanFrom_ = complete_;
}

}  // namespace morva
