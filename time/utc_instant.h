// utc_instant.h - an instant of UTC as the kit holds it: its calendar
// fields, its Unix seconds and its Julian date, and its text in ISO 8601
// and in Unix seconds (the utc_time library).
//
// UTC here is the kit's: a fixed TAI - UTC, no leap second, so a day is
// always 86,400 seconds and Unix seconds count them exactly.
#ifndef KIT_TIME_UTC_INSTANT_H
#define KIT_TIME_UTC_INSTANT_H

#include <cstdint>
#include <string>

namespace utc {

// ---------------------------------------------------------------------------
// Instant: one UTC instant.
//
// An instant made from calendar fields keeps them as written, whatever
// their ranges: a record stamped 23:59:60 or 31.02.2018 keeps its second 60
// or its day 31 for its Julian date, which julian_date's arithmetic runs on
// into the next minute or month, while its Unix seconds come from timegm,
// which normalises the fields.  An instant made from Unix seconds has the
// calendar of the proleptic Gregorian calendar, its second in [0, 60).
// ---------------------------------------------------------------------------
class Instant {
public:
  Instant() = default;

  // from_fields: the instant of a timestamp.
  //
  // Given:   year, month, day, hour, minute, and the second with its
  //          fraction, as written
  // Returned (function value):
  //   the instant; its record time is timegm of the fields with the second
  //   truncated towards zero (has_record_time() false when there is none:
  //   a second that is not a number or beyond the range of int, a date
  //   beyond time_t), its Unix seconds the record time plus the fraction
  //   the truncation dropped
  static Instant from_fields(int year, int month, int day, int hour, int minute,
                             double second);

  // of_calendar: the same fields without their Unix seconds
  // (has_record_time() false), for a Julian date alone.
  static Instant of_calendar(int year, int month, int day, int hour, int minute,
                             double second);

  // from_unix: the instant of Unix seconds t (finite, |t| < 1e15): its
  // calendar, and t itself as its Unix seconds.
  static Instant from_unix(double t);

  // -------------------------------------------------------------------------
  // parse: an instant given as text.
  //
  // Given:   text  Unix seconds: a decimal number with an optional sign,
  //                fraction and exponent ("1478324950", "-86400.25",
  //                "-1e12"); or an ISO 8601 date and time as users type
  //                them: "YYYY-MM-DD" (midnight; a year before 0 or after
  //                9999 with a sign, "-0001", "+12345"), then optionally "T", "t"
  //                or a blank and "HH:MM", "HH:MM:SS" or "HH:MM:SS.fff",
  //                then optionally "Z", "z" or an offset from UTC "+HH:MM",
  //                "-HH:MM", "+HHMM" or "+HH" (no designator: UTC)
  // Returned:
  //   instant         the instant (from_unix of its Unix seconds)
  //   why             when given and the text has the form of a time that
  //                   does not exist: why ("there is no such day: ..."),
  //                   else empty
  //   function value  false for any other text (instant unchanged): a
  //                   missing or extra character, a date that does not
  //                   exist, an hour, minute or second out of range, an
  //                   instant whose calendar year leaves -32768..32767
  // -------------------------------------------------------------------------
  static bool parse(const char *text, Instant &instant, std::string *why = nullptr);

  int year() const { return year_; }
  int month() const { return month_; }
  int day() const { return day_; }
  int hour() const { return hour_; }
  int minute() const { return minute_; }
  double second() const { return second_; }

  // The hour of the day with its fractions: (hour + minute / 60.0) +
  // second / 3600.0, in that order, the form in which the kit's tools hand
  // a time of day to julian_date (at a whole minute it is the day/night
  // tool's hour + minute / 60.0, to the last bit).
  double decimal_hour() const { return (hour_ + minute_ / 60.0) + second_ / 3600.0; }

  // The Julian date julian_date(year, month, day, decimal_hour()), year,
  // month and day as 16-bit integers; not a number when one of them does
  // not fit 16 bits.
  double julian_date() const;

  // The record time (see from_fields); for an instant from Unix seconds,
  // their floor.
  bool has_record_time() const { return has_record_time_; }
  std::int64_t record_time() const { return record_time_; }

  // Unix seconds with the fraction of the second.
  double unix_seconds() const { return unix_; }

  // Whether the calendar year fits the 16 bits the Julian date takes.
  bool year_fits() const { return year_ >= -32768 && year_ <= 32767; }

private:
  int year_ = 1970, month_ = 1, day_ = 1, hour_ = 0, minute_ = 0;
  double second_ = 0.0;
  double unix_ = 0.0;
  std::int64_t record_time_ = 0;
  bool has_record_time_ = true;
};

// Whether the calendar year of Unix seconds t fits 16 bits (-32768 to
// 32767); false for not a number.
bool year_fits(double t);

// The UTC Julian date of Unix seconds t: Instant::from_unix(t)'s, not a
// number for a t whose year does not fit 16 bits.  A whole minute gives
// sunguard's Julian date of that minute.
double julian_date_of(double t);

// Unix seconds rounded to the millisecond, as an integer count of
// milliseconds; the texts below write this one rounding.
std::int64_t milliseconds(double t);

// "2016-11-05T06:12:34.567Z": t to the millisecond in ISO 8601 UTC; a year
// before 0 or after 9999 expanded, "-0001-11-05T...", "+12345-01-01T...".
std::string iso_text(double t);

// "1478326354.567": t to the millisecond in Unix seconds.
std::string unix_text(double t);

// "57362.001": the seconds from one instant to another as the two are
// written, each rounded to the millisecond first, so that the duration
// equals the difference of the printed times.
std::string seconds_between(double from, double to);

} // namespace utc

#endif
