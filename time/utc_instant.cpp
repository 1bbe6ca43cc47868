// utc_instant.cpp - UTC instants: their calendar, Unix seconds, Julian
// date and text.
#include "utc_instant.h"

#include <cerrno>
#include <cinttypes>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "calendar.h"
#include "decimal_text.h"
#include "novas_kit.h"

// Record times come from timegm: it must hold any Unix time of the kit's
// range (the build refuses other targets).
static_assert(sizeof(std::time_t) >= 8, "the kit needs a 64-bit time_t");

namespace utc {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

// The first and the last instant whose calendar year fits the 16 bits of
// the Julian date's year: -32768-01-01T00:00:00Z and the start of 32768.
constexpr double kFirstInstant = -1096225401600.0;
constexpr double kEndOfInstants = 971890963200.0;

bool is_digit(char c) { return c >= '0' && c <= '9'; }


void set_reason(std::string *why, std::string text) {
  if (why != nullptr)
    *why = std::move(text);
}

// The instant of Unix seconds v, or false with the reason when its year
// leaves 16 bits.
bool accept(double v, Instant &instant, std::string *why) {
  if (!year_fits(v)) {
    set_reason(why, "outside the years -32768 to 32767");
    return false;
  }
  instant = Instant::from_unix(v);
  return true;
}

// Unix seconds: text kit::decimal_text accepts.
bool parse_unix(const char *text, Instant &instant, std::string *why) {
  return accept(std::strtod(text, nullptr), instant, why);
}

// A time zone designator at p: Z, or +HH:MM, -HH:MM, +HHMM, +HH (the
// instant's offset from UTC, seconds, in offset).  Returns the characters
// taken, 0 for none; -1 for a malformed one.
int zone(const char *p, int &offset) {
  offset = 0;
  if (*p == 'Z' || *p == 'z')
    return 1;
  if (*p != '+' && *p != '-')
    return 0;
  const int sign = *p == '-' ? -1 : 1;
  int hours, minutes = 0, n = 3;
  if (!kit::fixed_digits(p + 1, 2, hours))
    return -1;
  if (p[3] == ':') {
    if (!kit::fixed_digits(p + 4, 2, minutes))
      return -1;
    n = 6;
  } else if (is_digit(p[3])) {
    if (!kit::fixed_digits(p + 3, 2, minutes))
      return -1;
    n = 5;
  }
  if (hours > 23 || minutes > 59)
    return -1;
  offset = sign * (hours * 3600 + minutes * 60);
  return n;
}

// The year of an ISO 8601 date: four digits, or a sign and four or five
// (the expanded form of the years before 0 and after 9999); the length of
// its text, 0 when there is none.
int iso_year(const char *text, int &year) {
  const bool sign = *text == '+' || *text == '-';
  int n = 0;
  while (n < 6 && is_digit(text[sign + n]))
    ++n;
  if (sign ? n < 4 || n > 5 : n != 4)
    return 0;
  kit::fixed_digits(text + sign, n, year);
  if (*text == '-')
    year = -year;
  return sign + n;
}

// YYYY-MM-DD (the year as iso_year reads it), optionally followed by T (or
// t, or a blank) and HH:MM, HH:MM:SS or HH:MM:SS.fff, then optionally a
// zone designator.
bool parse_iso(const char *text, Instant &instant, std::string *why) {
  int year, month, day, hour = 0, minute = 0, second = 0;
  const int y = iso_year(text, year);
  const char *date = text + y; // at "-MM-DD"
  if (y == 0 || date[0] != '-' || !kit::fixed_digits(date + 1, 2, month) || date[3] != '-' ||
      !kit::fixed_digits(date + 4, 2, day) || is_digit(date[6]))
    return false;
  const char *p = date + 6;
  double fraction = 0.0;
  if (*p == 'T' || *p == 't' || *p == ' ') {
    if (!kit::fixed_digits(p + 1, 2, hour) || p[3] != ':' || !kit::fixed_digits(p + 4, 2, minute))
      return false;
    p += 6;
    if (*p == ':') {
      if (!kit::fixed_digits(p + 1, 2, second))
        return false;
      p += 3;
      if (*p == '.') {
        const char *start = p++;
        if (!is_digit(*p))
          return false;
        while (is_digit(*p))
          ++p;
        fraction = std::strtod(std::string(start, p).c_str(), nullptr);
      }
    }
  }
  int offset = 0;
  const int z = zone(p, offset);
  if (z < 0 || p[z] != '\0')
    return false;
  if (month < 1 || month > 12) {
    set_reason(why, "there is no month " + std::to_string(month));
    return false;
  }
  if (day < 1 || day > days_in_month(year, month)) {
    set_reason(why, "there is no such day: " + std::string(text, date + 6) + " (" +
                        std::to_string(days_in_month(year, month)) + " days in that month)");
    return false;
  }
  if (hour > 23 || minute > 59 || second > 59) {
    set_reason(why, "the time of day is out of range");
    return false;
  }
  const Instant local = Instant::from_fields(year, month, day, hour, minute, second);
  return accept(static_cast<double>(local.record_time() - offset) + fraction, instant, why);
}

} // namespace

Instant Instant::of_calendar(int year, int month, int day, int hour, int minute,
                             double second) {
  Instant i;
  i.year_ = year;
  i.month_ = month;
  i.day_ = day;
  i.hour_ = hour;
  i.minute_ = minute;
  i.second_ = second;
  i.has_record_time_ = false;
  return i;
}

Instant Instant::from_fields(int year, int month, int day, int hour, int minute,
                             double second) {
  Instant i = of_calendar(year, month, day, hour, minute, second);
  // The record time: timegm of the fields, the second truncated towards
  // zero, fields out of their ranges normalised (second 60 is the next
  // minute).  A year that fits int cannot overflow struct tm's year here
  // once shifted, and timegm reports a date beyond time_t.
  if (!(second > INT_MIN - 1.0 && second < INT_MAX + 1.0) || year < INT_MIN + 1900 + 1)
    return i;
  // Fields within their ranges need no normalising: timegm's count is then
  // the calendar's days and the seconds of the day, computed here in
  // integers (an orbit file's every record takes this way).
  if (year >= -32768 && year <= 32767 && month >= 1 && month <= 12 && day >= 1 &&
      day <= days_in_month(year, month) && hour >= 0 && hour <= 23 && minute >= 0 &&
      minute <= 59 && second >= 0.0 && second < 60.0) {
    const int whole = static_cast<int>(second);
    i.record_time_ =
        days_from_civil(year, month, day) * kSecondsPerDay + hour * 3600 + minute * 60 + whole;
    i.has_record_time_ = true;
    i.unix_ = static_cast<double>(i.record_time_) + (second - std::trunc(second));
    return i;
  }
  std::tm tm{};
  tm.tm_sec = static_cast<int>(second);
  tm.tm_min = minute;
  tm.tm_hour = hour;
  tm.tm_mday = day;
  tm.tm_mon = month - 1;
  tm.tm_year = year - 1900;
  errno = 0;
  const std::time_t s = timegm(&tm);
  if (s == static_cast<std::time_t>(-1) && errno != 0)
    return i;
  i.record_time_ = s;
  i.has_record_time_ = true;
  i.unix_ = static_cast<double>(s) + (second - std::trunc(second));
  return i;
}

Instant Instant::from_unix(double t) {
  // Whole seconds in integers, so that the calendar fields are exact; the
  // fraction goes to the second.
  const double whole = std::floor(t);
  const std::int64_t w = static_cast<std::int64_t>(whole);
  const std::int64_t days = floor_div(w, kSecondsPerDay);
  const std::int64_t of_day = w - days * kSecondsPerDay;
  Instant i;
  civil_from_days(days, i.year_, i.month_, i.day_);
  i.hour_ = static_cast<int>(of_day / 3600);
  i.minute_ = static_cast<int>(of_day % 3600 / 60);
  i.second_ = static_cast<double>(of_day % 60) + (t - whole);
  i.unix_ = t;
  i.record_time_ = w;
  i.has_record_time_ = true;
  return i;
}

bool Instant::parse(const char *text, Instant &instant, std::string *why) {
  set_reason(why, "");
  if (text == nullptr)
    return false;
  // Unix seconds are a decimal number; anything else may be a date.
  return kit::decimal_text(text) ? parse_unix(text, instant, why) : parse_iso(text, instant, why);
}

double Instant::julian_date() const {
  const auto fits = [](int v) { return v >= -32768 && v <= 32767; };
  if (!fits(year_) || !fits(month_) || !fits(day_))
    return std::nan("");
  return ::julian_date(static_cast<short>(year_), static_cast<short>(month_),
                       static_cast<short>(day_), decimal_hour());
}

bool year_fits(double t) { return t >= kFirstInstant && t < kEndOfInstants; }

double julian_date_of(double t) {
  if (!year_fits(t))
    return std::nan("");
  return Instant::from_unix(t).julian_date();
}

std::int64_t milliseconds(double t) { return std::llround(t * 1000.0); }

std::string iso_text(double t) {
  const std::int64_t ms = milliseconds(t);
  const std::int64_t whole = floor_div(ms, 1000);
  const Instant c = Instant::from_unix(static_cast<double>(whole));
  char text[64];
  // Years before 0 and after 9999 in ISO 8601's expanded form: a sign and
  // at least four digits.
  const bool expanded = c.year() < 0 || c.year() > 9999;
  std::snprintf(text, sizeof text, expanded ? "%+05d-%02d-%02dT%02d:%02d:%02d.%03dZ"
                                            : "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ",
                c.year(), c.month(),
                c.day(), c.hour(), c.minute(), static_cast<int>(c.second()),
                static_cast<int>(ms - whole * 1000));
  return text;
}

std::string unix_text(double t) {
  const std::int64_t ms = milliseconds(t);
  const std::uint64_t magnitude = ms < 0 ? 0 - static_cast<std::uint64_t>(ms)
                                         : static_cast<std::uint64_t>(ms);
  char text[64];
  std::snprintf(text, sizeof text, "%s%" PRIu64 ".%03" PRIu64, ms < 0 ? "-" : "",
                magnitude / 1000, magnitude % 1000);
  return text;
}

std::string seconds_between(double from, double to) {
  return unix_text(static_cast<double>(milliseconds(to) - milliseconds(from)) / 1000.0);
}

} // namespace utc
