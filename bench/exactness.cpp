// exactness [VALUES] - the differential checks of the unit tests
// (tests/unit/text_exactness) on many values: passrange's report line by
// report_text against snprintf, and orbit records by OrbitReader against
// read_orbit_record's fscanf.  Prints the values compared and the
// mismatches of each (the first described); exit status 1 on any.
// VALUES defaults to 10,000,000 for each check.
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "text_exactness.h"

int main(int argc, char **argv) {
  const std::uint64_t values = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 10000000;
  int status = 0;
  const auto report = [&status](const char *what, const exactness::Outcome &o, double seconds) {
    std::printf("%s: %llu values, %llu mismatches (%.1f s)\n", what,
                static_cast<unsigned long long>(o.values),
                static_cast<unsigned long long>(o.mismatches), seconds);
    if (o.mismatches != 0) {
      std::printf("first: %s\n", o.first.c_str());
      status = 1;
    }
  };
  using Clock = std::chrono::steady_clock;
  auto t0 = Clock::now();
  const exactness::Outcome writer = exactness::check_report_text(1, values);
  auto t1 = Clock::now();
  report("report line, report_text against snprintf", writer,
         std::chrono::duration<double>(t1 - t0).count());
  const exactness::Outcome reader = exactness::check_orbit_reading(1, values);
  auto t2 = Clock::now();
  report("orbit records, OrbitReader against fscanf", reader,
         std::chrono::duration<double>(t2 - t1).count());
  return status;
}
