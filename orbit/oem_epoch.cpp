// oem_epoch.cpp - exact epochs of an orbit ephemeris message and their
// time systems.
#include "oem_epoch.h"

#include <charconv>
#include <cmath>

#include "calendar.h"
#include "decimal_text.h"
#include "novas.h"
#include "time_scale_settings.h"

namespace oem {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::int64_t kPicosecondsPerMicrosecond = 1000000;
// TAI - GPS: the GPS time scale's fixed offset, seconds.
constexpr std::int64_t kTaiMinusGps = 19;


// e moved by a signed number of picoseconds (|shift| well within the
// 64-bit range).
Epoch shifted(const Epoch &e, std::int64_t shift) {
  const std::int64_t total = e.picoseconds + shift;
  const std::int64_t carry = utc::floor_div(total, kPicosecondsPerSecond);
  return {e.seconds + carry, total - carry * kPicosecondsPerSecond};
}

// Seconds of a time-scale setting as whole picoseconds: the settings hold
// decimal values (32.184) in doubles, whose nearest picosecond is the
// decimal value itself.
std::int64_t picoseconds_of(double seconds) {
  return std::llround(seconds * static_cast<double>(kPicosecondsPerSecond));
}

bool same_letters(std::string_view a, std::string_view upper) {
  if (a.size() != upper.size())
    return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const char c = a[i] >= 'a' && a[i] <= 'z' ? static_cast<char>(a[i] - 32) : a[i];
    if (c != upper[i])
      return false;
  }
  return true;
}

} // namespace

// Reads YYYY-MM-DDThh:mm:ss[.d...][Z] or YYYY-DDDThh:mm:ss[.d...][Z]; see
// oem_epoch.h.  The date's form is told by where its second '-' stands.
const char *parse_epoch(std::string_view text, Epoch &e) {
  const char *p = text.data();
  const std::size_t n = text.size();
  static const char *const kForm =
      "is not of the form YYYY-MM-DDThh:mm:ss or YYYY-DDDThh:mm:ss";
  int year = 0, month = 0, day = 0, day_of_year = 0;
  std::size_t at = 0;
  if (n < 17 || !kit::fixed_digits(p, 4, year) || p[4] != '-')
    return kForm;
  const bool month_and_day = p[7] == '-';
  if (month_and_day) {
    if (n < 19 || !kit::fixed_digits(p + 5, 2, month) || !kit::fixed_digits(p + 8, 2, day))
      return kForm;
    at = 10;
  } else {
    if (!kit::fixed_digits(p + 5, 3, day_of_year))
      return kForm;
    at = 8;
  }
  int hour = 0, minute = 0, second = 0;
  if (n < at + 9 || p[at] != 'T' || !kit::fixed_digits(p + at + 1, 2, hour) ||
      p[at + 3] != ':' || !kit::fixed_digits(p + at + 4, 2, minute) || p[at + 6] != ':' ||
      !kit::fixed_digits(p + at + 7, 2, second))
    return kForm;
  at += 9;
  std::int64_t picoseconds = 0;
  if (at < n && p[at] == '.') {
    ++at;
    int decimals = 0;
    std::int64_t scale = kPicosecondsPerSecond;
    while (at < n && p[at] >= '0' && p[at] <= '9') {
      if (++decimals > 12)
        return "has more than 12 decimals of the second";
      scale /= 10;
      picoseconds += (p[at] - '0') * scale;
      ++at;
    }
    if (decimals == 0)
      return "has a decimal point without decimals";
  }
  if (at < n && p[at] == 'Z')
    ++at;
  if (at != n)
    return kForm;

  std::int64_t days = 0;
  if (month_and_day) {
    if (month < 1 || month > 12 || day < 1 || day > utc::days_in_month(year, month))
      return "has no such day";
    days = utc::days_from_civil(year, month, day);
  } else {
    if (day_of_year < 1 || day_of_year > (utc::leap_year(year) ? 366 : 365))
      return "has no such day";
    days = utc::days_from_civil(year, 1, 1) + (day_of_year - 1);
  }
  if (hour > 23 || minute > 59 || second > 59)
    return "has an hour, minute or second out of range";
  e.seconds = days * kSecondsPerDay + hour * 3600 + minute * 60 + second;
  e.picoseconds = picoseconds;
  return nullptr;
}

CalendarFields calendar_fields(const Epoch &e) {
  CalendarFields c{};
  const std::int64_t days = utc::floor_div(e.seconds, kSecondsPerDay);
  const std::int64_t in_day = e.seconds - days * kSecondsPerDay;
  utc::civil_from_days(days, c.year, c.month, c.day);
  c.hour = static_cast<int>(in_day / 3600);
  c.minute = static_cast<int>(in_day / 60 % 60);
  c.second = static_cast<int>(in_day % 60);
  c.picoseconds = e.picoseconds;
  return c;
}

// Writes "ss.pppppppppppp" and converts it: std::from_chars rounds
// correctly, as glibc's strtod does, so both give the same double.  A whole
// second is its own double.
double second_of_minute(const CalendarFields &c) {
  if (c.picoseconds == 0)
    return c.second;
  char text[15];
  text[0] = static_cast<char>('0' + c.second / 10);
  text[1] = static_cast<char>('0' + c.second % 10);
  text[2] = '.';
  std::int64_t ps = c.picoseconds;
  for (int i = 14; i >= 3; --i) {
    text[i] = static_cast<char>('0' + ps % 10);
    ps /= 10;
  }
  double s = 0.0;
  std::from_chars(text, text + sizeof text, s);
  return s;
}

bool time_system_named(std::string_view name, TimeSystem &system) {
  static const struct {
    const char *name;
    TimeSystem system;
  } kNames[] = {{"UTC", TimeSystem::kUtc}, {"TAI", TimeSystem::kTai},
                {"TT", TimeSystem::kTt},   {"GPS", TimeSystem::kGps},
                {"TDB", TimeSystem::kTdb}, {"UT1", TimeSystem::kUt1}};
  for (const auto &n : kNames)
    if (same_letters(name, n.name)) {
      system = n.system;
      return true;
    }
  return false;
}

// Shifts by the fixed offsets in picoseconds.  A TDB epoch goes to TT by
// tdb2tt's TDB - TT at its own TDB Julian date (formed from its calendar
// fields as the kit forms a record's), rounded to the picosecond, then on
// to UTC, and the result to the microsecond (half a microsecond up).
Epoch utc_epoch(TimeSystem system, const Epoch &e) {
  const kit::TimeScaleSettings &ts = kit::kTimeScales;
  const std::int64_t tai_minus_utc =
      static_cast<std::int64_t>(ts.leap_seconds) * kPicosecondsPerSecond;
  const std::int64_t tt_minus_utc = tai_minus_utc + picoseconds_of(ts.tt_minus_tai);
  switch (system) {
  case TimeSystem::kUtc:
    return e;
  case TimeSystem::kTai:
    return shifted(e, -tai_minus_utc);
  case TimeSystem::kTt:
    return shifted(e, -tt_minus_utc);
  case TimeSystem::kGps:
    return shifted(e, kTaiMinusGps * kPicosecondsPerSecond - tai_minus_utc);
  case TimeSystem::kUt1:
    return shifted(e, -picoseconds_of(ts.ut1_minus_utc));
  case TimeSystem::kTdb:
    break;
  }
  const CalendarFields c = calendar_fields(e);
  const double hour = (c.hour + c.minute / 60.0) + second_of_minute(c) / 3600.0;
  const double jd_tdb =
      julian_date(static_cast<short>(c.year), static_cast<short>(c.month),
                  static_cast<short>(c.day), hour);
  double jd_tt = 0.0, tdb_minus_tt = 0.0;
  tdb2tt(jd_tdb, &jd_tt, &tdb_minus_tt);
  Epoch utc = shifted(e, -picoseconds_of(tdb_minus_tt) - tt_minus_utc);
  const std::int64_t rounded =
      (utc.picoseconds + kPicosecondsPerMicrosecond / 2) /
      kPicosecondsPerMicrosecond * kPicosecondsPerMicrosecond;
  return shifted({utc.seconds, 0}, rounded);
}

} // namespace oem
