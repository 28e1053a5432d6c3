// Chat event translation of both protocols as pure functions: a SID_CHATEVENT packet and a text event
// line. Every field handed out points into the input (or the texts the caller keeps), only lines numbered
// as events are events, and the flags always read as at least four digits.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "sessions/binary_events.h"
#include "sessions/event_line.h"

namespace {

using namespace morva;
using testing::Inside;

bool FieldInside(const std::optional<std::string_view>& field, std::string_view a, std::string_view b = {}) {
    return !field || Inside(*field, a) || Inside(*field, b);
}

void Packet(std::string_view packet) {
    const ChatEventFields fields = ParseChatEvent(packet);
    if (!Inside(fields.name, packet) || !Inside(fields.text, packet)) __builtin_trap();
    if (FlagsText(fields.flags).size() < 4) __builtin_trap();
    std::string flags, product;
    const auto event = ChatEventOf(packet, flags, product);
    if (!event) return;
    if (!FieldInside(event->name, packet) || !Inside(event->text, packet)) __builtin_trap();
    if (!FieldInside(event->flags, flags, packet) || !FieldInside(event->product, product, packet))
        __builtin_trap();
}

void Line(std::string_view line) {
    LeadingNumber(line);
    const auto event = ParseEventLine(line);
    if (!event) return;
    // Only the first four characters decide whether a line is an event (its number may run on).
    const std::string_view head = line.substr(line.starts_with('\n') ? 1 : 0, 4);
    if (LeadingNumber(head) < 1001 || LeadingNumber(head) > 3000) __builtin_trap();
    for (const auto& field : {event->name, event->flags, event->product})
        if (!FieldInside(field, line)) __builtin_trap();
    if (!Inside(event->text, line)) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = testing::Bytes(data, size);
    Packet(bytes);
    Line(bytes);
    return 0;
}
