#pragma once

#include <fstream>
#include <string>

// Resident and peak resident memory of this process, in kB, from /proc (both 0 where
// there is no /proc). Benchmarks and the soak run print them per battle.
inline void ReadProcessMemory(long& residentKb, long& peakKb) {
    residentKb = peakKb = 0;
    std::ifstream status("/proc/self/status");
    std::string key;
    long value = 0;
    std::string unit;
    while (status >> key) {
        if (key == "VmRSS:" && status >> value >> unit)
            residentKb = value;
        else if (key == "VmHWM:" && status >> value >> unit)
            peakKb = value;
    }
}
