#pragma once

// The resident size of this process, for tests and benchmarks that watch
// memory.

#include <cstdio>

namespace testing {

// VmRSS from /proc/self/status in KiB; -1 if it cannot be read.
inline long residentKiB()
{
    FILE *status = std::fopen("/proc/self/status", "r");
    long kib = -1;
    char line[256];
    while (status && std::fgets(line, sizeof line, status)) {
        if (std::sscanf(line, "VmRSS: %ld", &kib) == 1)
            break;
    }
    if (status)
        std::fclose(status);
    return kib;
}

} // namespace testing
