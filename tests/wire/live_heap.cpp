#include "live_heap.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MORVA_LIVE_HEAP_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define MORVA_LIVE_HEAP_ASAN 1
#endif

#ifdef MORVA_LIVE_HEAP_ASAN
// The sanitizer runtime's own figure; GCC ships no header that declares it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

#include <algorithm>

#include "wire_fixture.h"

namespace morva::testing {

std::size_t LiveHeapBytes() {
#ifdef MORVA_LIVE_HEAP_ASAN
    return __sanitizer_get_current_allocated_bytes();
#else
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
#endif
}

PeakGrowth RunUntilNotingPeak(const std::function<bool()>& condition, int timeoutMs) {
    const std::size_t before = LiveHeapBytes();
    std::size_t peak = before;
    const bool held = RunUntil(
        [&] {
            peak = std::max(peak, LiveHeapBytes());
            return condition();
        },
        timeoutMs);
    return {held, peak - before};
}

}  // namespace morva::testing
