// cpu_clock.h - the process's CPU time, for the benchmarks that time a
// call in a loop.
#ifndef KIT_BENCH_CPU_CLOCK_H
#define KIT_BENCH_CPU_CLOCK_H

#include <ctime>

// The CPU time this process has used, in seconds.
inline double cpu_seconds() {
  timespec ts;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + 1e-9 * static_cast<double>(ts.tv_nsec);
}

#endif
