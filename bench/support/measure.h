#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>

namespace morva::bench {

// Now on the monotonic clock, in ns (the clock of the test server's flood stamp).
std::int64_t MonotonicNs();
// The resident size of a process (VmRSS), in KiB; 0 when it cannot be read.
long ResidentKb(pid_t pid);
// One figure on standard output, "name=value", for scripts/bench.sh.
void PrintFigure(const std::string& name, double value);

}  // namespace morva::bench
