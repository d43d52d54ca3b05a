#pragma once

#include <time.h>

#include <algorithm>
#include <type_traits>

namespace thread_cpu_detail {
// The type of the value clock_gettime fills in, taken from its own signature.
template <typename R, typename Clock, typename Out>
Out* FilledBy(R (*)(Clock, Out*) noexcept);
template <typename R, typename Clock, typename Out>
Out* FilledBy(R (*)(Clock, Out*));
using TimeValue = std::remove_pointer_t<decltype(FilledBy(&clock_gettime))>;
}  // namespace thread_cpu_detail

// CPU time of the calling thread in milliseconds. Benchmarks use it rather than wall
// time: the machines they run on are shared, and the software renderer's own threads
// would otherwise be counted as the game's work.
inline double ThreadCpuMs() {
    thread_cpu_detail::TimeValue t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) * 1e-6;
}

// Thread CPU time of repeated calls: how many, the total and the worst, in milliseconds.
struct CpuTally {
    int count = 0;
    double totalMs = 0.0;
    double worstMs = 0.0;

    template <typename Call>
    void Time(Call&& call) {
        const double start = ThreadCpuMs();
        call();
        const double spent = ThreadCpuMs() - start;
        ++count;
        totalMs += spent;
        worstMs = std::max(worstMs, spent);
    }
    double MeanMs() const { return count > 0 ? totalMs / count : 0.0; }
};
