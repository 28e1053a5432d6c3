#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "sessions/chat_event.h"

namespace morva {

// What a friend-added message (0xFF 0x67) carried inside text-protocol data says.
struct FriendAdded {
    std::string account, product, location;
};
// A line ran past 64 KiB without a line end; it is dropped up to its line end.
struct OverlongLine {};
using TextEvent = std::variant<FriendAdded, ChatEvent, OverlongLine>;

// The text chat protocol of one connection, without I/O. Each fed chunk gives, in order: the
// friend-added notice it holds (if any), then an event for each complete line whose number is from
// 1001 to 3000, then OverlongLine when its unfinished end has grown past 64 KiB. The unfinished end
// waits for the next chunk. A chunk fed before the events of earlier ones are all taken queues
// behind them.
class TextSession {
public:
    void feed(std::string_view chunk);
    std::optional<TextEvent> next();
    void reset();
    // The bytes fed that are not yet taken out as events.
    std::size_t unhandled() const { return buffer_.size() - offset_; }

    static constexpr std::size_t MaxPendingLine = 64 * 1024;

    // The logon: the bytes 0x03 0x04, then the account, the password and the join line.
    static std::string logonLine(std::string_view username, std::string_view password,
                                 std::string_view channel);

private:
    // One fed chunk: the notice it held, where the lines it completed end, and whether it ended in
    // an overlong line.
    struct ChunkMark {
        std::size_t linesEnd = 0;
        std::optional<FriendAdded> notice;
        bool overlong = false;
    };

    std::optional<ChatEvent> nextLine(std::size_t linesEnd);
    void dropConsumed();
    void findLastLineEnd();
    void skipDroppedRest();
    void keepOnlyTrailingCr();

    std::string buffer_;
    // The start of the next line to read.
    std::size_t offset_ = 0;
    // Where the search for line ends goes on; bytes before it hold none that is not yet found.
    std::size_t scanFrom_ = 0;
    // Just past the last line end found: what follows is the unfinished end.
    std::size_t complete_ = 0;
    // The rest of a dropped overlong line is being dropped up to its line end.
    bool skipping_ = false;
    // The chunks from firstMark_ on still have events to give.
    std::vector<ChunkMark> marks_;
    std::size_t firstMark_ = 0;
};

}  // namespace morva
