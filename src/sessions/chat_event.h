#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace morva {

// The event numbers of the text protocol's event lines, which name the chat events of both protocols.
enum class EventId : long {
    ShowUser = 1001,
    Join = 1002,
    Leave = 1003,
    Whisper = 1004,
    Talk = 1005,
    Broadcast = 1006,
    Channel = 1007,
    UserFlags = 1009,
    WhisperSent = 1010,
    ChannelFull = 1013,
    ChannelDoesNotExist = 1014,
    ChannelRestricted = 1015,
    Info = 1018,
    Error = 1019,
    Emote = 1023,
    LoggedOn = 2010,
};

// One chat event, from a SID_CHATEVENT packet or a text-protocol event line. A field the event did
// not carry is empty (nothing); the views point into the session that made the event and stay valid
// until that session is next fed, asked for an event or reset.
struct ChatEvent {
    EventId id{};
    std::optional<std::string_view> name;
    // The flags as the text protocol writes them ("0010"); a text line carries the server's own text.
    std::optional<std::string_view> flags;
    // The product tag with its brackets ("[STAR]").
    std::optional<std::string_view> product;
    std::int32_t ping = 0;
    std::string_view text;
};

}  // namespace morva
