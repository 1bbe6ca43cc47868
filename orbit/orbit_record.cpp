// orbit_record.cpp - the reader of orbit-file records.
#include "orbit_record.h"

#include <climits>

// Reads one record; see orbit_record.h.
// The timestamp's integers are read as long long and must fit int: a %d
// conversion of a number beyond int is undefined, and glibc's wraps it into
// another, plausible year (4294969312 read as 2016).  glibc converts %lld
// as strtoll does, holding a longer number at the ends of the range.
bool read_orbit_record(std::FILE *f, OrbitRecord &r, long *consumed) {
  long long stamp[5];
  double second;
  int characters = 0;
  if (std::fscanf(f, "%lld-%lld-%lldT%lld:%lld:%lf %lf %lf %lf %lf %lf %lf%n",
                  &stamp[0], &stamp[1], &stamp[2], &stamp[3], &stamp[4],
                  &second, &r.x, &r.y, &r.z, &r.vx, &r.vy, &r.vz,
                  &characters) != 12)
    return false;
  if (consumed != nullptr)
    *consumed = characters;
  return set_timestamp(stamp, second, r);
}

bool set_timestamp(const long long (&stamp)[5], double second, OrbitRecord &r) {
  for (const long long v : stamp)
    if (v < INT_MIN || v > INT_MAX)
      return false;
  // The Julian date takes the year, month and day as 16-bit integers: a
  // wider one would wrap into another date, so it ends the scan too.  Such
  // a year, once shifted into struct tm, cannot overflow, and no 16-bit
  // year leaves time_t's range.
  for (int i = 0; i < 3; ++i)
    if (stamp[i] < INT16_MIN || stamp[i] > INT16_MAX)
      return false;
  r.stamp = utc::Instant::from_fields(static_cast<int>(stamp[0]), static_cast<int>(stamp[1]),
                                      static_cast<int>(stamp[2]), static_cast<int>(stamp[3]),
                                      static_cast<int>(stamp[4]), second);
  return r.stamp.has_record_time();
}
