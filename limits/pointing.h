// pointing.h - the command contract shared by the antenna pointing-limit
// checkers azellimits, elevlimits and polarlimits: two positional arguments
// (altitude, azimuth, degrees), read with strtod, range-checked in that
// order, answered by exit status alone, with the same usage and problem texts
// in all three programs.
#ifndef KIT_LIMITS_POINTING_H
#define KIT_LIMITS_POINTING_H

#include <cstdio>

namespace limits {

// A pointing on the sky, in degrees: altitude above the horizon, azimuth from
// north through east.
struct Pointing {
  double altitude_deg;
  double azimuth_deg;
};

// What is wrong with a request, if anything.
enum class RequestFault {
  none,     // both values read and inside the range check
  usage,    // fewer than two arguments after the program name
  altitude, // altitude above 90, below -90, or not a number
  azimuth,  // azimuth below 0, above 360, or not a number
};

// A command line read by read_pointing_request.
struct PointingRequest {
  RequestFault fault;
  Pointing pointing; // altitude valid unless fault is usage; azimuth valid
                     // when fault is none or azimuth (else 0)
};

// A limit rule: true when the antenna can point there.
using LimitRule = bool (*)(const Pointing &);

// ---------------------------------------------------------------------------
// read_pointing_request: read and range-check a checker's command line.
//
// Given:
//   argc   int                  argument count as passed to main (may be 0)
//   argv   const char *const[]  arguments; argv[1] altitude, argv[2] azimuth,
//                               anything after argv[2] is ignored
//
// Returned (function value):
//   PointingRequest  fault and values:
//     usage     argc < 3; nothing is read
//     altitude  the altitude read from argv[1] is > 90, < -90 or NaN; the
//               azimuth is not read
//     azimuth   the azimuth read from argv[2] is < 0, > 360 or NaN
//     none      both values passed; the limit rule decides
//
// Notes:
//   1) Each value is read with strtod in the C locale as the program runs
//      (the kit never changes the locale): leading blanks skipped, anything
//      after the number ignored, no number reads as 0, a magnitude too large
//      reads as +-inf.  No reading error is ever reported.
//   2) The bounds themselves (+-90, 0, 360, and -0 for the azimuth) pass.
//   3) A NaN compares false with every bound, so it is refused explicitly:
//      "cannot compare" must never turn into "the antenna can point there".
//   4) Does not write anything and does not end the process.
// ---------------------------------------------------------------------------
PointingRequest read_pointing_request(int argc, const char *const argv[]);

// ---------------------------------------------------------------------------
// write_request_problem: write the text for a faulty request.
//
// Given:
//   err       FILE *                   stream to write to (stderr in the
//                                      programs)
//   request   const PointingRequest &  a request whose fault is not none
//   name      const char *             invocation name for the usage line
//
// Notes:
//   1) usage:    "Usage: %s altitide_deg azimuth_deg\n"
//      altitude: "Problem with altitude: %lf\n" then the usage line
//      azimuth:  "Problem with azimuth: %lf\n" then the usage line
//      The value is printed as parsed, so NaN shows as nan or -nan and an
//      infinity as inf or -inf.
//   2) Writes nothing when the fault is none.
// ---------------------------------------------------------------------------
void write_request_problem(std::FILE *err, const PointingRequest &request,
                           const char *name);

// ---------------------------------------------------------------------------
// run_limit_check: the whole of a checker's run, short of exiting.
//
// Given:
//   argc, argv   as passed to main
//   own_name     the program's fixed name (used when argument zero is absent)
//   accepts      the program's limit rule
//   err          stream for the usage and problem texts
//
// Returned (function value):
//   int   exit status: 0 the antenna can point there; 1 it cannot, or the
//         request was malformed (text written to err in that case only)
//
// Notes:
//   1) Nothing is ever written to standard output.
// ---------------------------------------------------------------------------
int run_limit_check(int argc, const char *const argv[], const char *own_name,
                    LimitRule accepts, std::FILE *err);

} // namespace limits

#endif
