// orbit_record.h - one record of an orbit file and its reader, shared by
// passrange and passwindows (the tracking library).
#ifndef KIT_ORBIT_ORBIT_RECORD_H
#define KIT_ORBIT_ORBIT_RECORD_H

#include <cstdint>
#include <cstdio>

#include "utc_instant.h"

// One record of an orbit file: its UTC timestamp as written (with its
// record time: the whole Unix seconds of the timestamp, the second
// truncated), geocentric position (km) and velocity (km/s) on GCRS axes.
struct OrbitRecord {
  utc::Instant stamp;
  double x, y, z;    // km
  double vx, vy, vz; // km/s
};

// ---------------------------------------------------------------------------
// read_orbit_record: read the next orbit record from a stream.
//
// Given:  f  stream open for reading, positioned at the next record.
// Returned:
//   r       the twelve fields read with the pattern
//           "%d-%d-%dT%d:%d:%lf %lf %lf %lf %lf %lf %lf" (white space of any
//           kind allowed before every number, the timestamp separators
//           directly after the preceding number), the timestamp as an
//           instant of its fields with its record time: timegm of the
//           timestamp with the second truncated towards zero, fields out of
//           their ranges normalised (second 60 is the next minute).
//           Unspecified after false.
//   consumed  when given and the result is true, the number of characters
//           the record took from the stream, white space before it
//           included (so that a reader can tell where in the file it is)
//   result  true for a complete record with a record time; false at the end
//           of the stream, on a read error (ferror(f) tells), at the first
//           record that cannot be read completely (a header line, text where
//           a number or separator is expected), and at a record whose
//           timestamp has no Unix time: an hour or minute beyond the range
//           of int; a year, month or day beyond the range of a 16-bit
//           integer, which the Julian date takes; a second that is not a
//           number or lies beyond the range of int.  What follows a false
//           is not meant to be read as records.
// Never ends the process; reads at most one record's worth of fields.
bool read_orbit_record(std::FILE *f, OrbitRecord &r, long *consumed = nullptr);

// set_timestamp: the checks read_orbit_record makes of a timestamp read as
// five integers (year, month, day, hour, minute, each as long long) and
// its second: true, with r.stamp set, when the timestamp has a record
// time; false otherwise (r.stamp unspecified).
bool set_timestamp(const long long (&stamp)[5], double second, OrbitRecord &r);

#endif
