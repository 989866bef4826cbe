#pragma once

// The resident size of this process, for tests and benchmarks that watch
// memory.

#include <cstdio>
#include <cstring>

namespace testing {

// One "<field>: <n> kB" line of /proc/self/status, in KiB; -1 if it cannot be read.
inline long statusKiB(const char *field)
{
    FILE *status = std::fopen("/proc/self/status", "r");
    long kib = -1;
    char line[256];
    const std::size_t length = std::strlen(field);
    while (status && std::fgets(line, sizeof line, status)) {
        if (std::strncmp(line, field, length) == 0 && line[length] == ':') {
            std::sscanf(line + length + 1, "%ld", &kib);
            break;
        }
    }
    if (status)
        std::fclose(status);
    return kib;
}

// The whole resident size (VmRSS).
inline long residentKiB()
{
    return statusKiB("VmRSS");
}

// The resident private memory (RssAnon): heap, stacks and anonymous maps,
// where a leak of the process shows. It leaves out the window images the
// process shares with the X server, which Qt keeps for some hidden windows
// and not others, and which come and go with them.
inline long anonymousResidentKiB()
{
    return statusKiB("RssAnon");
}

} // namespace testing
