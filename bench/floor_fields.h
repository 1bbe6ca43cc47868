// floor_fields.h - the trivial arithmetic of the parse-and-print floors
// (floor.cpp, floor-charconv.cpp): the six numbers of a report line from a
// record, with timegm of its timestamp as the kit's reader first did, and
// no astronomy.
#ifndef KIT_BENCH_FLOOR_FIELDS_H
#define KIT_BENCH_FLOOR_FIELDS_H

#include <cmath>
#include <ctime>

// Given:   stamp  year, month, day, hour, minute; second; the state
// Returned: out  the six fields a report line prints, in its order
inline void floor_fields(const long long (&stamp)[5], double second, double x, double y,
                         double z, double vx, double vy, double vz, double (&out)[6]) {
  std::tm tm{};
  tm.tm_sec = static_cast<int>(second);
  tm.tm_min = static_cast<int>(stamp[4]);
  tm.tm_hour = static_cast<int>(stamp[3]);
  tm.tm_mday = static_cast<int>(stamp[2]);
  tm.tm_mon = static_cast<int>(stamp[1]) - 1;
  tm.tm_year = static_cast<int>(stamp[0]) - 1900;
  const double t = static_cast<double>(timegm(&tm));
  const double hour = (stamp[3] + stamp[4] / 60.0) + second / 3600.0;
  const double d = std::sqrt((x * x + y * y) + z * z);
  out[0] = static_cast<double>(stamp[0]) * 365.25 + static_cast<double>(stamp[2]) + hour / 24.0;
  out[1] = x - vx;
  out[2] = y - vy;
  out[3] = d;
  out[4] = z / d;
  out[5] = vz + t * 0.0;
}

#endif
