// time_axis.cpp - ticks of a time axis from the kit's calendar.
#include "time_axis.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

#include "calendar.h"
#include "utc_instant.h"

namespace chart {

namespace {

constexpr double kDay = 86400.0;
constexpr const char *kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

enum class Unit { seconds, days, months, years };

struct Step {
  Unit unit;
  long long size;      // seconds, days, months or years
  double nominal;      // its length in seconds, for the count's estimate
};

constexpr Step kSteps[] = {
    {Unit::seconds, 60, 60},           {Unit::seconds, 120, 120},
    {Unit::seconds, 300, 300},         {Unit::seconds, 600, 600},
    {Unit::seconds, 900, 900},         {Unit::seconds, 1800, 1800},
    {Unit::seconds, 3600, 3600},       {Unit::seconds, 7200, 7200},
    {Unit::seconds, 10800, 10800},     {Unit::seconds, 21600, 21600},
    {Unit::seconds, 43200, 43200},     {Unit::days, 1, kDay},
    {Unit::days, 2, 2 * kDay},         {Unit::days, 5, 5 * kDay},
    {Unit::days, 10, 10 * kDay},       {Unit::months, 1, 30.44 * kDay},
    {Unit::months, 2, 60.88 * kDay},   {Unit::months, 3, 91.31 * kDay},
    {Unit::months, 6, 182.6 * kDay},   {Unit::years, 1, 365.2425 * kDay},
    {Unit::years, 2, 730.5 * kDay},    {Unit::years, 5, 1826.2 * kDay},
    {Unit::years, 10, 3652.4 * kDay},  {Unit::years, 20, 7304.8 * kDay},
    {Unit::years, 50, 18262 * kDay},   {Unit::years, 100, 36524 * kDay},
    {Unit::years, 200, 73048 * kDay},  {Unit::years, 500, 182621 * kDay},
    {Unit::years, 1000, 365242 * kDay}, {Unit::years, 2000, 730485 * kDay},
    {Unit::years, 5000, 1826212 * kDay}, {Unit::years, 10000, 3652425 * kDay}};

std::int64_t floor_mod(std::int64_t a, std::int64_t b) { return a - utc::floor_div(a, b) * b; }

// "05 Nov"
std::string day_month(int day, int month) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d %s", day, kMonths[month - 1]);
  return text;
}

std::string label(Unit unit, double t) {
  const std::int64_t days = utc::floor_div(static_cast<std::int64_t>(std::floor(t)), 86400);
  int year, month, day;
  utc::civil_from_days(days, year, month, day);
  switch (unit) {
  case Unit::seconds: {
    const long long s = static_cast<long long>(std::floor(t)) - days * 86400;
    char text[64];
    if (s % 60 == 0 && t == std::floor(t))
      std::snprintf(text, sizeof text, "%02lld:%02lld", s / 3600, s / 60 % 60);
    else
      std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
    return std::string(text) + "\n" + day_month(day, month);
  }
  case Unit::days:
    return day_month(day, month) + "\n" + year_text(year);
  case Unit::months:
    return std::string(kMonths[month - 1]) + "\n" + year_text(year);
  case Unit::years:
    return year_text(year);
  }
  return {};
}

// The ticks of one step in [from, to], stopping once there are more than
// `most`.
std::vector<Tick> ticks_of(const Step &s, double from, double to, int most) {
  std::vector<Tick> out;
  const auto add = [&](double t) {
    if (t >= from && t <= to)
      out.push_back({t, label(s.unit, t)});
    return static_cast<int>(out.size()) <= most;
  };
  const std::int64_t first_day = utc::floor_div(static_cast<std::int64_t>(std::floor(from)), 86400);
  int year, month, day;
  utc::civil_from_days(first_day, year, month, day);
  switch (s.unit) {
  case Unit::seconds:
    for (double t = std::ceil(from / static_cast<double>(s.size)) * static_cast<double>(s.size);
         t <= to && add(t); t += static_cast<double>(s.size)) {
    }
    break;
  case Unit::days:
    for (std::int64_t d = first_day; static_cast<double>(d) * kDay <= to; ++d) {
      utc::civil_from_days(d, year, month, day);
      if ((day - 1) % s.size == 0 &&
          (s.size == 1 || day + s.size / 2 <= utc::days_in_month(year, month) + 1) &&
          !add(static_cast<double>(d) * kDay))
        break;
    }
    break;
  case Unit::months:
    for (;; ++month) {
      if (month > 12) {
        month = 1;
        ++year;
      }
      const double t = static_cast<double>(utc::days_from_civil(year, month, 1)) * kDay;
      if (t > to)
        break;
      if ((month - 1) % s.size == 0 && !add(t))
        break;
    }
    break;
  case Unit::years:
    for (std::int64_t y = year - floor_mod(year, s.size);; y += s.size) {
      const double t = static_cast<double>(utc::days_from_civil(y, 1, 1)) * kDay;
      if (t > to || !add(t))
        break;
    }
    break;
  }
  return out;
}

} // namespace

std::string year_text(int year) {
  char text[16];
  if (year >= 0 && year <= 9999)
    std::snprintf(text, sizeof text, "%04d", year);
  else
    std::snprintf(text, sizeof text, "%c%04d", year < 0 ? '-' : '+', year < 0 ? -year : year);
  return text;
}

std::vector<Tick> time_ticks(double from, double to, int most) {
  for (const Step &s : kSteps) {
    if ((to - from) / s.nominal > most + 2)
      continue;
    std::vector<Tick> ticks = ticks_of(s, from, to, most);
    if (static_cast<int>(ticks.size()) > most)
      continue;
    if (ticks.empty() && &s == &kSteps[0])
      return {{from, label(Unit::seconds, from)}, {to, label(Unit::seconds, to)}};
    return ticks;
  }
  return ticks_of(kSteps[std::size(kSteps) - 1], from, to, 1 << 20);
}

} // namespace chart
