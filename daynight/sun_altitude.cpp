// sun_altitude.cpp - the observing site, the Sun's refracted altitude there
// and the day/night rule.
#include "sun_altitude.h"

#include <cmath>
#include <cstdio>

#include "time_scale_settings.h"

namespace {

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

double sun_altitude_along(double jd_utc, on_surface *site, ter2cel_stream *stream,
                          short int *status) {
  const kit::TimeScaleSettings &ts = kit::kTimeScales;
  double zd = 0.0;
  *status = sun_zenith_distance(ts.jd_tt(jd_utc), ts.jd_ut1(jd_utc), ts.delta_t(),
                                site, kRefraction, stream, &zd);
  return 90.0 - zd;
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
