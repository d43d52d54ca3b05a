#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Judges whether resident memory grows from one battle to the next in a long run, or only
// wanders with the allocator's noise. Each battle's start adds a sample. The first
// kWarmUpBattles are left out: caches fill then (each screen's images, models and music are
// loaded once and kept for the run). Of the rest, the median of the last quarter is compared
// with the median of the first quarter; growth beyond the tolerance (kNoiseKb, or
// kNoiseShare of the early median when that is more) is a leak, anything below is noise.
// Medians keep a single busy battle from deciding either way.
class MemoryTrend {
public:
    static constexpr std::size_t kWarmUpBattles = 3;
    static constexpr std::size_t kMinJudged = 8;  // battles after the warm-up
    static constexpr long kNoiseKb = 8 * 1024;
    static constexpr double kNoiseShare = 0.03;

    void Add(long residentKb) { samples.push_back(residentKb); }

    // Enough battles after the warm-up to judge.
    bool CanJudge() const { return samples.size() >= kWarmUpBattles + kMinJudged; }
    // Early and late medians (kB) of the judged battles; 0 when they cannot be judged.
    long EarlyKb() const;
    long LateKb() const;
    long GrowthKb() const { return LateKb() - EarlyKb(); }
    long ToleranceKb() const;
    bool IsGrowing() const { return CanJudge() && GrowthKb() > ToleranceKb(); }
    // One line for the run's summary.
    std::string Describe() const;

private:
    long MedianOf(std::size_t first, std::size_t count) const;

    std::vector<long> samples;
};
