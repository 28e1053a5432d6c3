// The event processor as the sessions drive it, without a session: sequences of well-formed chat
// events of every kind with arbitrary names, flags, products and texts. The member list always mirrors
// the channel model.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "chat/event_processor.h"
#include "fuzz_bot.h"
#include "fuzz_input.h"

namespace {

using namespace morva;

constexpr std::array Ids = {EventId::ShowUser,
                            EventId::Join,
                            EventId::Leave,
                            EventId::Whisper,
                            EventId::Talk,
                            EventId::Broadcast,
                            EventId::Channel,
                            EventId::UserFlags,
                            EventId::WhisperSent,
                            EventId::ChannelFull,
                            EventId::ChannelDoesNotExist,
                            EventId::ChannelRestricted,
                            EventId::Info,
                            EventId::Error,
                            EventId::Emote,
                            EventId::LoggedOn};

// The next field of a record, up to a tab.
std::string_view Field(std::string_view& record) {
    const std::size_t tab = record.find('\t');
    const std::string_view field = record.substr(0, tab);
    record.remove_prefix(tab == std::string_view::npos ? record.size() : tab + 1);
    return field;
}

// One record: a byte for the kind and which fields it carries, then name, flags, product and text
// separated by tabs.
ChatEvent EventOf(std::string_view record) {
    const unsigned head = record.empty() ? 0 : static_cast<unsigned char>(record.front());
    if (!record.empty()) record.remove_prefix(1);
    ChatEvent event;
    event.id = Ids[head % Ids.size()];
    if (head & 0x10) event.name = Field(record);
    if (head & 0x20) event.flags = Field(record);
    if (head & 0x40) event.product = Field(record);
    event.ping = static_cast<std::int32_t>(head) - 128;
    event.text = record;
    return event;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    morva::testing::FuzzBot fuzz(true);
    std::string_view bytes = morva::testing::Bytes(data, size);
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        ProcessEventLine(fuzz.bot.chat, EventOf(bytes.substr(0, end)));
        fuzz.checkMembers();
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        fuzz.clock.advance(500);
    }
    fuzz.clock.advance(20000);
    fuzz.checkMembers();
    return 0;
}
