#pragma once

#include <cstddef>

namespace morva::testing {

// The bytes the process holds allocated right now. Unlike the resident size it does not count what
// the allocator keeps for reuse, nor AddressSanitizer's quarantine of freed blocks, so a flat figure
// means flat use.
std::size_t LiveHeapBytes();

}  // namespace morva::testing
