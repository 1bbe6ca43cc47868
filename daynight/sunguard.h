// sunguard.h - the argument scan of sunguard; its day/night decision is in
// sun_altitude.h.
// Defined in sunguard.cpp; tests, fuzz targets and benchmarks reach them
// through the sunguard_functions target (the source built without its
// main).
#ifndef KIT_DAYNIGHT_SUNGUARD_H
#define KIT_DAYNIGHT_SUNGUARD_H

#include <cstdint>

#include "sun_altitude.h"

// A validated UTC instant to the minute.
struct CivilDateTime {
  std::int16_t day;
  std::int16_t month;
  std::int16_t year;
  std::int16_t hour;
  std::int16_t minute;
};

// Outcome of the argument scan: the instant is valid, the arguments are too
// few, or the first field that failed.
enum class ArgumentScan { valid, usage, bad_day, bad_month, bad_year, bad_hour, bad_minute };

// ---------------------------------------------------------------------------
// scan_arguments: cut the date (argv[1]) and the time (argv[2]) into day,
// month, year, hour and minute and validate them one after another.
//
// Given:   argc, argv as passed to main (argc may be 0, argv[0] null)
// Returned:
//   when            the five fields, written up to the first that failed
//   function value  valid; usage for fewer than two arguments; otherwise
//                   the first field out of range (bad_day ... bad_minute)
// Notes:
//   1) A field is at most 8 characters, read as atoi reads it.  The day and
//      the hour run from the start of their argument to the first separator
//      ('.' and ':'); the month, year and minute follow the first separator
//      found at or after positions 0, 4 and 0.  A following field whose
//      separator is missing fails as out of range.
//   2) Arguments after the second are ignored.  Writes nothing and never
//      ends the process.
// ---------------------------------------------------------------------------
ArgumentScan scan_arguments(int argc, const char *const argv[], CivilDateTime *when);

// The message for a failed field ("ERROR in day\n" ...); nullptr for valid
// and usage.
const char *scan_message(ArgumentScan scan);

// The UTC Julian date of a validated instant: the Julian date of its
// calendar fields as given (utc::Instant), julian_date(year, month, day,
// hour + minute / 60.0).  Days past a month's end run on into the next.
double civil_julian_date(const CivilDateTime &when);

#endif
