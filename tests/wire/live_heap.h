#pragma once

#include <cstddef>
#include <functional>

namespace morva::testing {

// The bytes the process holds allocated right now. Unlike the resident size it does not count what
// the allocator keeps for reuse, nor AddressSanitizer's quarantine of freed blocks, so a flat figure
// means flat use.
std::size_t LiveHeapBytes();

// What a flood may cost the bot: the unread backlog its connection allows (1 MiB), the socket's
// buffer, the panes, the chat log's lines waiting to be written and the fault server's own buffer,
// with room to spare. A bot that took every read without flow control grew by some 30 MiB over a
// million chat events.
constexpr std::size_t FloodMemoryBound = 8u << 20;

// Runs the event loop until the condition holds (see RunUntil); the growth of the live heap over what
// it was at the start, at its largest along the way.
struct PeakGrowth {
    bool held = false;
    std::size_t bytes = 0;
};
PeakGrowth RunUntilNotingPeak(const std::function<bool()>& condition, int timeoutMs);

}  // namespace morva::testing
