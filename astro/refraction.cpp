// refraction.cpp - atmospheric refraction.
#include "refraction.h"

#include <cmath>

#include "constants.h"
#include "novas.h"

namespace astro {

namespace {

// Scale height of the standard atmosphere, metres.
constexpr double kScaleHeight = 9100.0;
// The refraction is applied at observed zenith distances from kLowest to
// kHighest degrees, both included.
constexpr double kLowest = 0.1;
constexpr double kHighest = 91.0;

} // namespace

/*
**  atmosphere: the atmosphere of a refraction option.
**
**  Given:
**     site        on_surface  height (m); temperature (C) and pressure
**                             (mbar) for ref_option 2
**     ref_option  short       2 the site's temperature and pressure; any
**                             other value the standard atmosphere: 1010
**                             mbar scaled to the site's height with a 9100 m
**                             scale height, and 10 C
**
**  Returned (function value):
**                 Atmosphere  pressure (mbar) and temperature (C)
*/
Atmosphere atmosphere(const on_surface &site, short int ref_option) {
  double p, t;
  if (ref_option == 2) {
    p = site.pressure;
    t = site.temperature;
  } else {
    p = 1010.0 * std::exp(-site.height / kScaleHeight);
    t = 10.0;
  }
  return {p, t};
}

/*
**  refraction: atmospheric refraction for an observed zenith distance.
**
**  Given:
**     air         Atmosphere  pressure (mbar) and temperature (C)
**     zd_obs      double      observed zenith distance, degrees
**
**  Returned (function value):
**                 double      refraction, degrees; 0 when zd_obs < 0.1 or
**                             zd_obs > 91.0 (strict comparisons), so that
**                             the refracted altitude jumps at an observed
**                             altitude of -1 degree
**
**  Notes:
**  1) R = 0.016667 / tan((h + 7.31 / (h + 4.4)) degrees) times
**     0.28 p / (t + 273), with h = 90 - zd_obs.
**  2) The form with a site and a refraction option takes the option's
**     atmosphere at the site (atmosphere).
**
**  Reference:
**     Explanatory Supplement to the Astronomical Almanac (1992), p. 144;
**     Bennett, G. 1982, Journal of Navigation 35, 255.
*/
double refraction(const Atmosphere &air, double zd_obs) {
  if (zd_obs < kLowest || zd_obs > kHighest)
    return 0.0;
  const double p = air.pressure, t = air.temperature;
  const double h = 90.0 - zd_obs;
  const double r = 0.016667 / std::tan((h + 7.31 / (h + 4.4)) * kDegToRad);
  return r * (0.28 * p / (t + 273.0));
}

double refraction(const on_surface &site, short int ref_option, double zd_obs) {
  return refraction(atmosphere(site, ref_option), zd_obs);
}

} // namespace astro

extern "C" {

/*
**  refract: atmospheric refraction at a site.
**
**  Given:
**     location    on_surface*  the site (height; temperature and pressure
**                              for ref_option 2)
**     ref_option  short        2 the site's weather; any other value the
**                              standard atmosphere at the site's height
**     zd_obs      double       observed zenith distance, degrees
**
**  Returned (function value):
**                 double       refraction, degrees (0 outside 0.1 to 91)
*/
double refract(on_surface *location, short int ref_option, double zd_obs) {
  return astro::refraction(*location, ref_option, zd_obs);
}

} // extern "C"
