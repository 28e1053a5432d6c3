#pragma once

#include <cstdint>
#include <string>

#include "chat_event.h"

namespace testserver {

// The talk events of a flood, shared by the test server's --flood and the benchmarks that measure
// a flood against a floor of their own, so both see the very same bytes.
struct FloodEvents {
    static constexpr int Members = 4;
    // The text of the flood's last event: a reader knows the flood is over when it sees it.
    static constexpr const char* LastText = "end of flood";

    // The name of one of the flooding members (0 .. Members - 1).
    static std::string memberName(int member);
    // Event `index` of a flood of `count`: talk from the members in turn, each text carrying its
    // index so that a reader can tell how far the flood has come.
    static ChatEvent event(std::int64_t index, std::int64_t count);
    // The index in a talk text of the flood, or -1 when the text is not one of the flood's.
    static std::int64_t indexOf(const std::string& text);
    // The whole flood of `count` events, in the binary or the text protocol.
    static std::string bytes(std::int64_t count, bool binary);
};

}  // namespace testserver
