// instant.h - instants of UTC as the kit's windows tools read and write
// them: Unix seconds or ISO 8601, the civil calendar, and the Julian date
// the astronomy takes (the events library).
//
// UTC here is the kit's: a fixed TAI - UTC, no leap second, so a day is
// always 86,400 seconds and Unix seconds count them exactly.
#ifndef KIT_EVENTS_INSTANT_H
#define KIT_EVENTS_INSTANT_H

#include <cstdint>
#include <string>

namespace events {

// A UTC instant on the proleptic Gregorian calendar.
struct CivilTime {
  std::int64_t year;
  int month, day, hour, minute;
  double second; // with its fraction, 0 <= second < 60
};

// The days from 1970-01-01 to a calendar date (negative before it); month
// and day in their ranges.
std::int64_t days_from_civil(std::int64_t year, int month, int day);

// The calendar instant of Unix seconds t (finite, |t| < 1e15).
CivilTime civil_from_unix(double t);

// ---------------------------------------------------------------------------
// parse_instant: an instant given on a command line.
//
// Given:   text  Unix seconds in decimal, with an optional sign and fraction
//                ("1478324950", "1478324950.25", "-86400"), or an ISO 8601
//                UTC time "YYYY-MM-DDTHH:MM:SS", the seconds with an
//                optional fraction and the whole optionally followed by "Z"
//                ("2016-11-05T06:00:00Z", "2016-11-05T06:00:00.5")
// Returned:
//   t               the instant in Unix seconds
//   function value  false for any other text (then t is unchanged): a
//                   missing or extra character, a date that does not exist,
//                   an hour, minute or second out of range, a year outside
//                   0000-9999, a number beyond 1e12 seconds
// ---------------------------------------------------------------------------
bool parse_instant(const char *text, double &t);

// Unix seconds rounded to the millisecond, as an integer count of
// milliseconds; both formats below write this one rounding.
std::int64_t milliseconds(double t);

// "2016-11-05T06:12:34.567Z": t to the millisecond in ISO 8601 UTC.
std::string iso_utc(double t);

// "1478326354.567": t to the millisecond in Unix seconds.
std::string unix_seconds(double t);

// "57362.001": the seconds from one instant to another as the two are
// written, each rounded to the millisecond first, so that the duration
// equals the difference of the printed times.
std::string seconds_between(double from, double to);

// The UTC Julian date of t (not a number for a t that is not finite or
// lies beyond 1e15 seconds), formed as the kit's astronomical tools form a
// timestamp's: julian_date(year, month, day, (hour + minute / 60.0) +
// second / 3600.0), the second with its fraction.  A whole minute gives
// sunguard's Julian date of that minute, a record's instant passrange's of
// that record (for a second the double t holds exactly).
double utc_julian_date(double t);

} // namespace events

#endif
