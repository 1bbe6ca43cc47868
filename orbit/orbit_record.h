// orbit_record.h - one record of an orbit file and its reader, shared by
// passrange and passwindows (the tracking library).
#ifndef KIT_ORBIT_ORBIT_RECORD_H
#define KIT_ORBIT_ORBIT_RECORD_H

#include <cstdint>
#include <cstdio>

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
// five integers (year, month, day, hour, minute, each as long long) and the
// record's second already in r: true, with r's fields and record time set,
// when the timestamp has a record time; false otherwise (r unspecified).
bool set_timestamp(const long long (&stamp)[5], OrbitRecord &r);

// record_instant: the record's timestamp in Unix seconds with the fraction
// of its second: the record time plus what truncation dropped from the
// second (59.25 adds 0.25; 60 has already carried into the record time).
double record_instant(const OrbitRecord &r);

#endif
