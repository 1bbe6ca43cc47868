// orbit_record.cpp - the reader of orbit-file records.
#include "orbit_record.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <ctime>

// Record times come from timegm: it must hold any Unix time of the kit's
// range (the build refuses other targets).
static_assert(sizeof(std::time_t) >= 8, "the orbit reader needs a 64-bit time_t");

namespace {

// Record time: the record's timestamp as whole Unix seconds through timegm,
// the second truncated towards zero; out-of-range fields are normalised by
// timegm.  Returns false, leaving t unchanged, when the timestamp has no
// Unix time: a second that is not a number or lies beyond the range of int.
// The year and month the reader passes fit 16 bits, so shifting them into
// struct tm cannot overflow, and no 16-bit year leaves time_t's range.
bool record_time(const OrbitRecord &r, std::int64_t &t) {
  if (!(r.second > INT_MIN - 1.0 && r.second < INT_MAX + 1.0))
    return false;
  std::tm tm{};
  tm.tm_sec = static_cast<int>(r.second);
  tm.tm_min = r.minute;
  tm.tm_hour = r.hour;
  tm.tm_mday = r.day;
  tm.tm_mon = r.month - 1;
  tm.tm_year = r.year - 1900;
  errno = 0;
  const std::time_t s = timegm(&tm);
  if (s == static_cast<std::time_t>(-1) && errno != 0)
    return false;
  t = s;
  return true;
}

} // namespace

// Reads one record; see orbit_record.h.
// The timestamp's integers are read as long long and must fit int: a %d
// conversion of a number beyond int is undefined, and glibc's wraps it into
// another, plausible year (4294969312 read as 2016).  glibc converts %lld
// as strtoll does, holding a longer number at the ends of the range.
bool read_orbit_record(std::FILE *f, OrbitRecord &r, long *consumed) {
  long long stamp[5];
  int characters = 0;
  if (std::fscanf(f, "%lld-%lld-%lldT%lld:%lld:%lf %lf %lf %lf %lf %lf %lf%n",
                  &stamp[0], &stamp[1], &stamp[2], &stamp[3], &stamp[4],
                  &r.second, &r.x, &r.y, &r.z, &r.vx, &r.vy, &r.vz,
                  &characters) != 12)
    return false;
  if (consumed != nullptr)
    *consumed = characters;
  return set_timestamp(stamp, r);
}

bool set_timestamp(const long long (&stamp)[5], OrbitRecord &r) {
  for (const long long v : stamp)
    if (v < INT_MIN || v > INT_MAX)
      return false;
  // The Julian date takes the year, month and day as 16-bit integers: a
  // wider one would wrap into another date, so it ends the scan too.
  for (int i = 0; i < 3; ++i)
    if (stamp[i] < INT16_MIN || stamp[i] > INT16_MAX)
      return false;
  r.year = static_cast<int>(stamp[0]);
  r.month = static_cast<int>(stamp[1]);
  r.day = static_cast<int>(stamp[2]);
  r.hour = static_cast<int>(stamp[3]);
  r.minute = static_cast<int>(stamp[4]);
  return record_time(r, r.unixsec);
}

double record_instant(const OrbitRecord &r) {
  return static_cast<double>(r.unixsec) + (r.second - std::trunc(r.second));
}
