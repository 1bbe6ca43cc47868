// instant.cpp - reading, writing and converting UTC instants.
#include "instant.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "novas_kit.h"

namespace events {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
std::int64_t floor_div(std::int64_t a, std::int64_t b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

bool leap_year(std::int64_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int days_in_month(std::int64_t year, int month) {
  static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && leap_year(year) ? 29 : days[month - 1];
}

// The first and the last instant whose calendar year fits the 16 bits of
// the Julian date's year: -32768-01-01T00:00:00Z and the start of 32768.
constexpr double kFirstInstant = -1096225488000.0;
constexpr double kEndOfInstants = 971890963200.0;

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// n decimal digits at s, as a number; false unless all n are digits.
bool digits(const char *s, int n, int &value) {
  value = 0;
  for (int i = 0; i < n; ++i) {
    if (!is_digit(s[i]))
      return false;
    value = value * 10 + (s[i] - '0');
  }
  return true;
}

void set_reason(std::string *why, std::string text) {
  if (why != nullptr)
    *why = std::move(text);
}

// A decimal number: an optional sign, digits with an optional point and
// fraction (at least one digit in all), an optional exponent.
bool parse_unix(const char *text, double &t, std::string *why) {
  const char *p = text;
  if (*p == '+' || *p == '-')
    ++p;
  int mantissa_digits = 0;
  while (is_digit(*p))
    ++p, ++mantissa_digits;
  if (*p == '.') {
    ++p;
    while (is_digit(*p))
      ++p, ++mantissa_digits;
  }
  if (mantissa_digits == 0)
    return false;
  if (*p == 'e' || *p == 'E') {
    ++p;
    if (*p == '+' || *p == '-')
      ++p;
    if (!is_digit(*p))
      return false;
    while (is_digit(*p))
      ++p;
  }
  if (*p != '\0')
    return false;
  const double v = std::strtod(text, nullptr);
  if (!(v >= kFirstInstant && v < kEndOfInstants)) {
    set_reason(why, "outside the years -32768 to 32767");
    return false;
  }
  t = v;
  return true;
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
  if (!digits(p + 1, 2, hours))
    return -1;
  if (p[3] == ':') {
    if (!digits(p + 4, 2, minutes))
      return -1;
    n = 6;
  } else if (is_digit(p[3])) {
    if (!digits(p + 3, 2, minutes))
      return -1;
    n = 5;
  }
  if (hours > 23 || minutes > 59)
    return -1;
  offset = sign * (hours * 3600 + minutes * 60);
  return n;
}

// YYYY-MM-DD, optionally followed by T (or t, or a blank) and HH:MM,
// HH:MM:SS or HH:MM:SS.fff, then optionally a zone designator.
bool parse_iso(const char *text, double &t, std::string *why) {
  int year, month, day, hour = 0, minute = 0, second = 0;
  if (!digits(text, 4, year) || text[4] != '-' || !digits(text + 5, 2, month) ||
      text[7] != '-' || !digits(text + 8, 2, day) || is_digit(text[10]))
    return false;
  const char *p = text + 10;
  double fraction = 0.0;
  if (*p == 'T' || *p == 't' || *p == ' ') {
    if (!digits(p + 1, 2, hour) || p[3] != ':' || !digits(p + 4, 2, minute))
      return false;
    p += 6;
    if (*p == ':') {
      if (!digits(p + 1, 2, second))
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
    set_reason(why, "there is no such day: " + std::string(text, 10) + " (" +
                        std::to_string(days_in_month(year, month)) + " days in that month)");
    return false;
  }
  if (hour > 23 || minute > 59 || second > 59) {
    set_reason(why, "the time of day is out of range");
    return false;
  }
  const std::int64_t whole = days_from_civil(year, month, day) * kSecondsPerDay +
                             hour * 3600 + minute * 60 + second - offset;
  const double v = static_cast<double>(whole) + fraction;
  if (!(v >= kFirstInstant && v < kEndOfInstants)) {
    set_reason(why, "outside the years -32768 to 32767");
    return false;
  }
  t = v;
  return true;
}

} // namespace

std::int64_t days_from_civil(std::int64_t year, int month, int day) {
  // Days from 0000-03-01 by eras of 400 years (H. Hinnant's algorithm).
  const std::int64_t y = year - (month <= 2);
  const std::int64_t era = floor_div(y, 400);
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

CivilTime civil_from_unix(double t) {
  // Whole seconds in integers, so that the calendar fields are exact; the
  // fraction goes to the second.
  const double whole = std::floor(t);
  const std::int64_t w = static_cast<std::int64_t>(whole);
  const std::int64_t days = floor_div(w, kSecondsPerDay);
  const std::int64_t of_day = w - days * kSecondsPerDay;
  const std::int64_t z = days + 719468;
  const std::int64_t era = floor_div(z, 146097);
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  CivilTime c;
  c.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  c.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  c.year = yoe + era * 400 + (c.month <= 2);
  c.hour = static_cast<int>(of_day / 3600);
  c.minute = static_cast<int>(of_day % 3600 / 60);
  c.second = static_cast<double>(of_day % 60) + (t - whole);
  return c;
}

bool parse_instant(const char *text, double &t, std::string *why) {
  set_reason(why, "");
  if (text == nullptr)
    return false;
  // A calendar date has its dash after four digits; Unix seconds have none
  // but in an exponent or as a sign.
  const bool calendar = std::strlen(text) >= 10 && is_digit(text[0]) && text[4] == '-';
  return calendar ? parse_iso(text, t, why) : parse_unix(text, t, why);
}

bool year_fits(double t) { return t >= kFirstInstant && t < kEndOfInstants; }

std::int64_t milliseconds(double t) { return std::llround(t * 1000.0); }

std::string iso_utc(double t) {
  const std::int64_t ms = milliseconds(t);
  const std::int64_t whole = floor_div(ms, 1000);
  const CivilTime c = civil_from_unix(static_cast<double>(whole));
  char text[64];
  std::snprintf(text, sizeof text, "%04" PRId64 "-%02d-%02dT%02d:%02d:%02d.%03dZ",
                c.year, c.month, c.day, c.hour, c.minute,
                static_cast<int>(c.second), static_cast<int>(ms - whole * 1000));
  return text;
}

std::string seconds_between(double from, double to) {
  return unix_seconds(static_cast<double>(milliseconds(to) - milliseconds(from)) / 1000.0);
}

std::string unix_seconds(double t) {
  const std::int64_t ms = milliseconds(t);
  const std::uint64_t magnitude = ms < 0 ? 0 - static_cast<std::uint64_t>(ms)
                                         : static_cast<std::uint64_t>(ms);
  char text[64];
  std::snprintf(text, sizeof text, "%s%" PRIu64 ".%03" PRIu64, ms < 0 ? "-" : "",
                magnitude / 1000, magnitude % 1000);
  return text;
}

double utc_julian_date(double t) {
  if (!year_fits(t))
    return std::nan("");
  const CivilTime c = civil_from_unix(t);
  const double hour = (c.hour + c.minute / 60.0) + c.second / 3600.0;
  return julian_date(static_cast<short>(c.year), static_cast<short>(c.month),
                     static_cast<short>(c.day), hour);
}

} // namespace events
