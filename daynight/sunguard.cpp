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
#include "time_scale_settings.h"

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

// The observing site.
constexpr double kLatitude = 38.43313;   // degrees north
constexpr double kLongitude = -79.83984; // degrees east
constexpr double kHeight = 824.0;        // metres
constexpr double kTemperature = 10.0;    // degrees Celsius
constexpr double kPressure = 1010.0;     // millibars

// Reduced accuracy (the built-in solar ephemeris serves no other) and the
// standard-atmosphere refraction.
constexpr short int kAccuracy = 1;
constexpr short int kRefraction = 1;

// How far back the second sample lies: one hour, in days.
constexpr double kHourBefore = 1.0 / 24.0;

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

double sun_altitude(double jd_utc, on_surface *site, object *sun) {
  const kit::TimeScaleSettings &ts = kit::kTimeScales;
  const double jd_tt = ts.jd_tt(jd_utc);
  const double jd_ut1 = ts.jd_ut1(jd_utc);
  const double delta_t = ts.delta_t();

  double ra = 0.0, dec = 0.0, dis = 0.0;
  short int status = app_planet(jd_tt, sun, kAccuracy, &ra, &dec, &dis);
  if (status != 0)
    std::fprintf(stderr, "ERROR %d in app_planet()\n", status);

  ra = dec = dis = 0.0;
  status = topo_planet(jd_tt, sun, delta_t, site, kAccuracy, &ra, &dec, &dis);
  if (status != 0)
    std::fprintf(stderr, "ERROR %d in topo_planet()\n", status);

  double zd = 0.0, az = 0.0, rar = 0.0, decr = 0.0;
  equ2hor(jd_ut1, delta_t, kAccuracy, ts.polar_x, ts.polar_y, site, ra, dec,
          kRefraction, &zd, &az, &rar, &decr);
  return 90.0 - zd;
}

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
  const double hour_of_day = when.hour + when.minute / 60.0;
  return julian_date(when.year, when.month, when.day, hour_of_day);
}

SunSetup make_sun_setup() {
  SunSetup setup{};
  make_on_surface(kLatitude, kLongitude, kHeight, kTemperature, kPressure,
                  &setup.site);

  // The Sun needs no catalog data, but make_object takes an entry.
  char star_name[SIZE_OF_OBJ_NAME] = "DUMMY";
  char catalog[SIZE_OF_CAT_NAME] = "xxx";
  char sun_name[SIZE_OF_OBJ_NAME] = "Sun";
  cat_entry dummy{};
  make_cat_entry(star_name, catalog, 0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, &dummy);
  const short int status = make_object(0, 10, sun_name, &dummy, &setup.sun);
  if (status != 0)
    std::fprintf(stderr, "ERROR %d in make_object()\n", status);
  return setup;
}

bool above_horizon(double altitude) { return altitude > 0.0; }

double hour_before(double jd_utc) { return jd_utc - kHourBefore; }

Verdict day_or_night(double jd_utc, SunSetup &setup) {
  Verdict v{false, sun_altitude(jd_utc, &setup.site, &setup.sun), std::nan("")};
  if (above_horizon(v.altitude_now)) {
    v.day = true;
    return v;
  }
  v.altitude_before = sun_altitude(hour_before(jd_utc), &setup.site, &setup.sun);
  v.day = above_horizon(v.altitude_before);
  return v;
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
