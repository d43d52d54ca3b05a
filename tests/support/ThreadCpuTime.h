#pragma once

#include <time.h>

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
