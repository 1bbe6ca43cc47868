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

// Whether the calendar year of Unix seconds t fits the 16 bits the Julian
// date takes (-32768 to 32767); false for not a number.
bool year_fits(double t);

// ---------------------------------------------------------------------------
// parse_instant: an instant given on a command line.
//
// Given:   text  Unix seconds: a decimal number with an optional sign,
//                fraction and exponent ("1478324950", "-86400.25",
//                "-1e12"); or an ISO 8601 date and time as users type
//                them: "YYYY-MM-DD" (midnight), then optionally "T", "t"
//                or a blank and "HH:MM", "HH:MM:SS" or "HH:MM:SS.fff",
//                then optionally "Z", "z" or an offset from UTC "+HH:MM",
//                "-HH:MM", "+HHMM" or "+HH" (no designator: UTC)
// Returned:
//   t               the instant in Unix seconds
//   why             when given and the text has the form of a time that
//                   does not exist: why ("there is no such day: ..."), else
//                   empty
//   function value  false for any other text (then t is unchanged): a
//                   missing or extra character, a date that does not exist,
//                   an hour, minute or second out of range, an instant
//                   whose calendar year leaves -32768..32767
// ---------------------------------------------------------------------------
bool parse_instant(const char *text, double &t, std::string *why = nullptr);

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

// The UTC Julian date of t (not a number for a t whose year does not fit
// 16 bits, see year_fits), formed as the kit's astronomical tools form a
// timestamp's: julian_date(year, month, day, (hour + minute / 60.0) +
// second / 3600.0), the second with its fraction.  A whole minute gives
// sunguard's Julian date of that minute, a record's instant passrange's of
// that record (for a second the double t holds exactly).
double utc_julian_date(double t);

} // namespace events

#endif
