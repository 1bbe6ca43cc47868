// sunguard - day/night scheduling constraint for the ZNT observing site.
//
//   sunguard DD.MM.YYYY HH:MM
//
// Prints "[day]" when the Sun, refraction included, is above the site's
// horizon at the given UTC instant or was one hour before it, "[night]"
// otherwise: the night begins one hour after sunset and ends at sunrise.
// Malformed arguments are answered on the error stream with exit status 1.
#include "sunguard.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "program_name.h"
#include "utc_instant.h"

namespace {

const char kUsage[] =
    "This code will compute ZNT day-night scheduling constraints.\n"
    "Usage: %s 01.02.2018 00:00\n";

// A field is at most 8 characters; the rest of a longer one is ignored.
constexpr std::size_t kFieldLength = 8;

// Where the search for a following field's separator starts: the month's
// and the minute's at the first character, the year's at the fifth, so that
// a one-digit day or month still leaves the year after the second dot.
constexpr std::size_t kMonthSearchStart = 0;
constexpr std::size_t kYearSearchStart = 4;
constexpr std::size_t kMinuteSearchStart = 0;

// Copies a field's text, which ends at the separator, at the end of the
// argument or after kFieldLength characters, whichever comes first.
void copy_field(const char *from, char separator, char text[kFieldLength + 1]) {
  std::size_t n = 0;
  while (n < kFieldLength && from[n] != '\0' && from[n] != separator) {
    text[n] = from[n];
    ++n;
  }
  text[n] = '\0';
}

// Copies the text after the first separator found at or after position
// `start` of the argument.  Returns false when there is none, the field then
// being absent.
bool copy_following_field(const char *arg, std::size_t start, char separator,
                          char text[kFieldLength + 1]) {
  const std::size_t length = std::strlen(arg);
  for (std::size_t i = start; i < length; ++i) {
    if (arg[i] == separator) {
      copy_field(arg + i + 1, separator, text);
      return true;
    }
  }
  return false;
}

// Reads a field's text as atoi does and checks it against [low, high];
// stores the accepted value.
bool accept_field(const char *text, int low, int high, std::int16_t *value) {
  const int v = std::atoi(text);
  if (v < low || v > high)
    return false;
  *value = static_cast<std::int16_t>(v);
  return true;
}

} // namespace

ArgumentScan scan_arguments(int argc, const char *const argv[], CivilDateTime *when) {
  if (argc < 3 || argv == nullptr || argv[1] == nullptr || argv[2] == nullptr)
    return ArgumentScan::usage;
  const char *date = argv[1];
  const char *time = argv[2];
  char text[kFieldLength + 1];

  copy_field(date, '.', text);
  if (!accept_field(text, 1, 31, &when->day))
    return ArgumentScan::bad_day;

  if (!copy_following_field(date, kMonthSearchStart, '.', text) ||
      !accept_field(text, 1, 12, &when->month))
    return ArgumentScan::bad_month;

  if (!copy_following_field(date, kYearSearchStart, '.', text) ||
      !accept_field(text, 2000, 2100, &when->year))
    return ArgumentScan::bad_year;

  copy_field(time, ':', text);
  if (!accept_field(text, 0, 23, &when->hour))
    return ArgumentScan::bad_hour;

  if (!copy_following_field(time, kMinuteSearchStart, ':', text) ||
      !accept_field(text, 0, 59, &when->minute))
    return ArgumentScan::bad_minute;

  return ArgumentScan::valid;
}

const char *scan_message(ArgumentScan scan) {
  switch (scan) {
  case ArgumentScan::bad_day:
    return "ERROR in day\n";
  case ArgumentScan::bad_month:
    return "ERROR in month\n";
  case ArgumentScan::bad_year:
    return "ERROR in year\n";
  case ArgumentScan::bad_hour:
    return "ERROR in hour\n";
  case ArgumentScan::bad_minute:
    return "ERROR in min\n";
  case ArgumentScan::valid:
  case ArgumentScan::usage:
    break;
  }
  return nullptr;
}

double civil_julian_date(const CivilDateTime &when) {
  // The instant's decimal hour with no second: hour + minute / 60.0.
  return utc::Instant::of_calendar(when.year, when.month, when.day, when.hour, when.minute, 0.0)
      .julian_date();
}

#ifndef KIT_NO_MAIN
int main(int argc, char *argv[]) {
  CivilDateTime when{};
  const ArgumentScan scan = scan_arguments(argc, argv, &when);
  if (scan == ArgumentScan::usage) {
    std::fprintf(stderr, kUsage, kit::program_name(argc, argv, "sunguard"));
    return 1;
  }
  if (scan != ArgumentScan::valid) {
    std::fputs(scan_message(scan), stderr);
    return 1;
  }

  const double jd_utc = civil_julian_date(when);
  SunSetup setup = make_sun_setup();
  const Verdict verdict = day_or_night(jd_utc, setup);

  std::fputs(verdict.day ? "[day]\n" : "[night]\n", stdout);
  // A verdict that did not reach its reader must not pass for one.
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::fputs("ERROR writing the verdict\n", stderr);
    return 1;
  }
  return 0;
}
#endif
