// observer.cpp - the geocentric state of a site on the Earth's surface.
#include "observer.h"

#include <cmath>

#include "constants.h"

namespace astro {

/*
**  observer_state: geocentric position and velocity of a surface site.
**
**  Given:
**     site   on_surface   geodetic latitude and longitude (degrees, east
**                         positive) and height (metres)
**     gast   double       Greenwich apparent sidereal time, hours
**     m      DateModels   nutation and precession at the instant
**
**  Returned (function value):
**            ObserverState  position (AU) and velocity (AU/day), GCRS
**
**  Notes:
**  1) The site lies on the reference ellipsoid a = 6378.1366 km,
**     f = 1/298.25642; its velocity is the Earth's rotation alone (7.292115e-5
**     rad/s).  Temperature and pressure play no part.
**  2) Both vectors are formed on the true equator and equinox of date at
**     the local apparent sidereal angle, then turned to the GCRS.
**
**  Reference:
**     Kaplan, G. et al. 2011, User's Guide to NOVAS Version C3.1, USNO
**     (terra).
*/
ObserverState observer_state(const on_surface &site, double gast,
                             const DateModels &m) {
  const double df2 = (1.0 - kEarthFlattening) * (1.0 - kEarthFlattening);
  const double phi = site.latitude * kDegToRad;
  const double sinphi = std::sin(phi);
  const double cosphi = std::cos(phi);
  const double c = 1.0 / std::sqrt(cosphi * cosphi + df2 * sinphi * sinphi);
  const double s = df2 * c;
  const double ht_km = site.height / 1000.0;
  const double ach = kEarthRadiusKm * c + ht_km;
  const double ash = kEarthRadiusKm * s + ht_km;

  // Local apparent sidereal angle.
  const double stlocl = (15.0 * gast + site.longitude) * kDegToRad;
  const double sinst = std::sin(stlocl);
  const double cosst = std::cos(stlocl);

  Vec3 p{ach * cosphi * cosst, ach * cosphi * sinst, ash * sinphi};
  Vec3 v{-kEarthRotationRate * ach * cosphi * sinst,
         kEarthRotationRate * ach * cosphi * cosst, 0.0};
  p = {p.x / kAuKm, p.y / kAuKm, p.z / kAuKm};
  v = {v.x / kAuKm * kSecondsPerDay, v.y / kAuKm * kSecondsPerDay,
       v.z / kAuKm * kSecondsPerDay};
  return {gcrs_from_true(m, p), gcrs_from_true(m, v)};
}

} // namespace astro
