#pragma once

#include <string>
#include <vector>

namespace talveron::bench {

// What one child process took: wall time and memory. Peaks are sampled from
// /proc every few milliseconds while the child runs.
struct ProbeResult {
    double seconds = 0;
    double cpuSeconds = 0;    // user and system time of all its threads
    long peakRssAnonKiB = 0;  // resident anonymous memory: heap, stacks, caches
    long peakRssKiB = 0;      // VmHWM: also counts mapped and cached file pages
    int exitCode = -1;
};

// Runs a program with its arguments.
ProbeResult probeCommand(const std::vector<std::string>& argv);

}  // namespace talveron::bench
