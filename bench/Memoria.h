// The resident memory of this process, for the benchmarks that watch it grow.
#pragma once

#include <cstdio>

#include <unistd.h>

namespace mevario::bench {

inline double MegabyteResidenti()
{
    long pagine = 0, residenti = 0;
    if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pagine, &residenti) != 2)
            residenti = 0;
        std::fclose(f);
    }
    return static_cast<double>(residenti) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

} // namespace mevario::bench
