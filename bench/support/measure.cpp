#include "support/measure.h"

#include <chrono>
#include <cstdio>
#include <fstream>

namespace morva::bench {

std::int64_t MonotonicNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

long ResidentKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return 0;
}

void PrintFigure(const std::string& name, double value) {
    std::printf("%s=%.6g\n", name.c_str(), value);
    std::fflush(stdout);
}

}  // namespace morva::bench
