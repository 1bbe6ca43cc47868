// passrange.h - the orbit record, its reader and the report line of
// passrange.  Defined in passrange.cpp; tests, fuzz targets and benchmarks
// reach them through the passrange_functions target (the source built
// without its main).
#ifndef KIT_ORBIT_PASSRANGE_H
#define KIT_ORBIT_PASSRANGE_H

#include <cstdint>
#include <cstdio>

#include "novas_kit.h"

// One record of an orbit file: UTC timestamp, geocentric position (km) and
// velocity (km/s) on GCRS axes, and its record time.
struct OrbitRecord {
  int year, month, day, hour, minute;
  double second;       // seconds of the minute, fraction kept
  double x, y, z;      // km
  double vx, vy, vz;   // km/s
  std::int64_t unixsec; // record time: timestamp in whole Unix seconds
};

// ---------------------------------------------------------------------------
// read_orbit_record: read the next orbit record from a stream.
//
// Given:  f  stream open for reading, positioned at the next record.
// Returned:
//   r       the twelve fields read with the pattern
//           "%d-%d-%dT%d:%d:%lf %lf %lf %lf %lf %lf %lf" (white space of any
//           kind allowed before every number, the timestamp separators
//           directly after the preceding number), and the record time:
//           timegm of the timestamp with the second truncated towards zero,
//           fields out of their ranges normalised (second 60 is the next
//           minute).  Unspecified after false.
//   result  true for a complete record with a record time; false at the end
//           of the stream, on a read error (ferror(f) tells), at the first
//           record that cannot be read completely (a header line, text where
//           a number or separator is expected), and at a record whose
//           timestamp has no Unix time (a year, month, day, hour or
//           minute beyond the range of int, a second that is not a number
//           or lies beyond the range of int, a year or month that does not
//           fit struct tm, a time beyond time_t).  What follows a false is not
//           meant to be read as records.
// Never ends the process; reads at most one record's worth of fields.
bool read_orbit_record(std::FILE *f, OrbitRecord &r);

// ---------------------------------------------------------------------------
// compute_and_print_distace_to_the_two_tracking_stations_geocenter_and_
// elevations_for_a_given_date_unixsec: print the report line of one record.
//
// Given:
//   requested_instant  Unix seconds at which the position is wanted
//   record_unixsec     the record time (whole Unix seconds)
//   year .. second     the record's UTC timestamp
//   x, y, z            geocentric position, km, GCRS axes
//   vx, vy, vz         velocity, km/s
//   stream             nullptr for a record reported on its own; the
//                      stream of an every-record scan otherwise, along which
//                      the Earth rotation fits its nutation series (a line
//                      is the same either way: a field that the fit could
//                      move across a rounding boundary is computed again
//                      without it)
// Writes to the standard output the line
//   "%.5lf %13lf %13lf %13lf   %+5.1lf %+5.1lf \n": the Julian date (UTC) of
//   the record's timestamp; the distances (km) from the spacecraft to TS1,
//   TS2 and the geocentre; the geometric elevations (degrees) of the
//   spacecraft at TS1 and TS2.  When the requested instant differs from the
//   record time the position is first carried along the velocity over the
//   difference; the Earth's orientation and the printed date stay those of
//   the record's timestamp.  On the vertical of a station the elevation is
//   +90.0 or -90.0; at a station itself it is not a number.
// Status: if ter2cel fails for a station position, writes
//   "Error %d from ter2cel." (no newline) to the standard output and ends
//   the process with that code.
// References: NOVAS 3.1 julian_date and ter2cel (equinox-based method, full
//   accuracy, GCRS output; here through ter2cel_batch, the four station
//   vectors at once), delta T = 32.184 + 37 - (UT1 - UTC) s.
void compute_and_print_distace_to_the_two_tracking_stations_geocenter_and_elevations_for_a_given_date_unixsec(
    std::int64_t requested_instant, std::int64_t record_unixsec, int year,
    int month, int day, int hour, int minute, double second, double x,
    double y, double z, double vx, double vy, double vz,
    ter2cel_stream *stream = nullptr);

#endif
