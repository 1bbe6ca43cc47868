// passrange.h - the report line of passrange and its scan of an orbit
// file; the record and its reader are in orbit_record.h.  Defined in
// passrange.cpp; tests, fuzz targets and benchmarks reach them through the
// passrange_functions target (the source built without its main).
#ifndef KIT_ORBIT_PASSRANGE_H
#define KIT_ORBIT_PASSRANGE_H

#include <cstdint>
#include <cstdio>

#include "novas_kit.h"
#include "orbit_record.h"

// ---------------------------------------------------------------------------
// The fields of one report line, in the order printed, and whether the
// guard of the fitted Earth rotation recomputed the station fields.
struct ReportLine {
  double julian_date;            // UTC Julian date of the record's timestamp
  double distance1, distance2;   // km, spacecraft to TS1 and TS2
  double geocentric;             // km, spacecraft to the geocentre
  double elevation1, elevation2; // degrees, at TS1 and TS2
  bool recomputed;               // the station fields were computed again
                                 // on the exact Earth rotation
  short status;                  // ter2cel's: 0, or its failure (the other
                                 // fields then unset)
};

// report_line: the fields of the report line of one record.
//
// Given:  the arguments of compute_and_print_... below, in the same order.
// Returned (function value):
//   ReportLine  the fields that function prints.  With a stream the station
//               vectors are first rotated with the stream's fitted nutation
//               series; where a distance lies within 1e-10 km plus 2e-15 of
//               itself of a rounding boundary of its sixth decimal, an
//               elevation within 1e-6 degree of one of its first decimal, or
//               the spacecraft within 10 km of a station, the station fields
//               are computed again on the exact rotation (recomputed true).
//               Every field therefore equals the one computed without a
//               stream, bit for bit or but for rounding that no printed
//               digit shows.
// Status: ReportLine::status, ter2cel's (nothing is printed, the process
//   goes on).
ReportLine report_line(std::int64_t requested_instant,
                       std::int64_t record_unixsec, int year, int month,
                       int day, int hour, int minute, double second, double x,
                       double y, double z, double vx, double vy, double vz,
                       ter2cel_stream *stream = nullptr);

// report_line: the same for a record as the orbit readers read it, at its
// own record time.
ReportLine report_line(const OrbitRecord &r, ter2cel_stream *stream = nullptr);

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

// ---------------------------------------------------------------------------
// What the command line asks for, in Unix seconds: the requested instant
// (0 none), and the selection window (a start of 0: every record).
struct ReportRequest {
  std::int64_t requested_instant;
  std::int64_t window_start;
  std::int64_t window_end;
};

// request_from_arguments: the request of a command line of 2, 3 or 4
// arguments (argv[2], argv[3] read with atol).  One instant I gives the
// window I - 1800 .. I + 1800, held at the ends of the 64-bit range; a start
// and an end give that window and no instant; the orbit file alone gives
// zeros.
ReportRequest request_from_arguments(int argc, const char *const argv[]);

// ---------------------------------------------------------------------------
// run_report: the orbit report of a file, after the argument count check.
//
// Given:   path of the orbit file, and the request
// Writes:  the report lines on the standard output; messages on the
//          standard error ("Error opening orbit file %s \n", "Error reading
//          orbit file %s\n", "No orbit record in the requested time
//          window.\n", "Error writing the report to standard output\n")
// Returned (function value):
//   int    the exit status: 0 after a completed scan whose lines were
//          written, 1 after any of the messages above
// Notes:
//   1) One pass in file order.  With a window start of 0 every record is
//      reported as it is read; otherwise records before the window are
//      passed over and the first one after it ends the scan.  Without a
//      requested instant the first record of smallest geocentric distance
//      below 1e10 km is reported at its own time; with one, the record of
//      smallest offset from it (the earlier on a tie), and the scan ends
//      after the first record later than the instant.
// ---------------------------------------------------------------------------
int run_report(const char *path, ReportRequest request);

#endif
