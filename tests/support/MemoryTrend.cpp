#include "support/MemoryTrend.h"

#include <algorithm>
#include <cstdio>

long MemoryTrend::MedianOf(std::size_t first, std::size_t count) const {
    std::vector<long> part(samples.begin() + static_cast<std::ptrdiff_t>(first),
                           samples.begin() + static_cast<std::ptrdiff_t>(first + count));
    std::nth_element(part.begin(), part.begin() + static_cast<std::ptrdiff_t>(count / 2),
                     part.end());
    return part[count / 2];
}

long MemoryTrend::EarlyKb() const {
    if (!CanJudge()) return 0;
    const std::size_t judged = samples.size() - kWarmUpBattles;
    return MedianOf(kWarmUpBattles, judged / 4);
}

long MemoryTrend::LateKb() const {
    if (!CanJudge()) return 0;
    const std::size_t judged = samples.size() - kWarmUpBattles;
    return MedianOf(samples.size() - judged / 4, judged / 4);
}

long MemoryTrend::ToleranceKb() const {
    return std::max(kNoiseKb, static_cast<long>(static_cast<double>(EarlyKb()) * kNoiseShare));
}

std::string MemoryTrend::Describe() const {
    char line[256];
    if (!CanJudge()) {
        std::snprintf(line, sizeof line, "memory: %zu battle starts, too few to judge (needs %zu)",
                      samples.size(), kWarmUpBattles + kMinJudged);
        return line;
    }
    std::snprintf(line, sizeof line,
                  "memory: median resident at battle start %ld kB early, %ld kB late (%+ld kB, "
                  "tolerance %ld kB): %s",
                  EarlyKb(), LateKb(), GrowthKb(), ToleranceKb(), IsGrowing() ? "GROWING" : "flat");
    return line;
}
