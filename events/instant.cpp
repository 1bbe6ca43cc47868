// instant.cpp - reading, writing and converting UTC instants.
#include "instant.h"

#include <cctype>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "novas_kit.h"

namespace events {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
// Instants read from a command line stay within this many seconds of 1970
// (about 31,700 years).
constexpr double kLargestInstant = 1e12;

std::int64_t floor_div(std::int64_t a, std::int64_t b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

bool leap_year(std::int64_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int days_in_month(std::int64_t year, int month) {
  static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && leap_year(year) ? 29 : days[month - 1];
}

// n decimal digits at s, as a number; false unless all n are digits.
bool digits(const char *s, int n, int &value) {
  value = 0;
  for (int i = 0; i < n; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(s[i])))
      return false;
    value = value * 10 + (s[i] - '0');
  }
  return true;
}

// A decimal number: optional sign, digits, optional point and digits.
bool parse_unix(const char *text, double &t) {
  const char *p = text;
  if (*p == '+' || *p == '-')
    ++p;
  const char *first_digit = p;
  while (std::isdigit(static_cast<unsigned char>(*p)))
    ++p;
  if (p == first_digit)
    return false;
  if (*p == '.') {
    ++p;
    while (std::isdigit(static_cast<unsigned char>(*p)))
      ++p;
  }
  if (*p != '\0')
    return false;
  const double v = std::strtod(text, nullptr);
  if (!(std::fabs(v) <= kLargestInstant))
    return false;
  t = v;
  return true;
}

// YYYY-MM-DDTHH:MM:SS[.fff][Z]
bool parse_iso(const char *text, double &t) {
  int year, month, day, hour, minute, second;
  if (std::strlen(text) < 19 || !digits(text, 4, year) || text[4] != '-' ||
      !digits(text + 5, 2, month) || text[7] != '-' || !digits(text + 8, 2, day) ||
      text[10] != 'T' || !digits(text + 11, 2, hour) || text[13] != ':' ||
      !digits(text + 14, 2, minute) || text[16] != ':' ||
      !digits(text + 17, 2, second))
    return false;
  if (month < 1 || month > 12 || day < 1 || day > days_in_month(year, month) ||
      hour > 23 || minute > 59 || second > 59)
    return false;
  const char *p = text + 19;
  double fraction = 0.0;
  if (*p == '.') {
    const char *start = p;
    ++p;
    if (!std::isdigit(static_cast<unsigned char>(*p)))
      return false;
    while (std::isdigit(static_cast<unsigned char>(*p)))
      ++p;
    fraction = std::strtod(std::string(start, p).c_str(), nullptr);
  }
  if (*p == 'Z')
    ++p;
  if (*p != '\0')
    return false;
  const std::int64_t whole = days_from_civil(year, month, day) * kSecondsPerDay +
                             hour * 3600 + minute * 60 + second;
  t = static_cast<double>(whole) + fraction;
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

bool parse_instant(const char *text, double &t) {
  if (text == nullptr)
    return false;
  return std::strchr(text, 'T') != nullptr ? parse_iso(text, t) : parse_unix(text, t);
}

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
  if (!(std::fabs(t) < 1e15))
    return std::nan("");
  const CivilTime c = civil_from_unix(t);
  const double hour = (c.hour + c.minute / 60.0) + c.second / 3600.0;
  return julian_date(static_cast<short>(c.year), static_cast<short>(c.month),
                     static_cast<short>(c.day), hour);
}

} // namespace events
