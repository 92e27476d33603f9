#pragma once

// The process's memory as the system counts it, for benchmarks that report
// what a load costs.
#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

// Resident memory now, in MB.
inline double ResidentMb()
{
    long pages = 0, resident = 0;
    if (FILE* statm = fopen("/proc/self/statm", "r")) {
        if (fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        fclose(statm);
    }
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1 << 20);
}

// The most resident memory the process has had, in MB.
inline double PeakResidentMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024;
}
