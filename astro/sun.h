// sun.h - the Sun's analytic ephemeris and atmospheric refraction, internal
// to the astro library (the tools use novas.h).  Declared here so that the
// pieces can be checked on their own.
#ifndef KIT_ASTRO_SUN_H
#define KIT_ASTRO_SUN_H

#include "frames.h"
#include "novas.h"

namespace astro {

// First and last TDB Julian dates the analytic solar ephemeris serves.
inline constexpr double kSunSeriesFirst = 2340000.5;
inline constexpr double kSunSeriesLast = 2560000.5;

// Geocentric Sun on the mean equator and equinox of date, AU, at a TDB
// Julian date: the 50-term series of Bretagnon & Simon (1986) with the
// linear longitude fit, latitude zero.
Vec3 sun_mean_of_date(double jd_tdb);

// The Earth's heliocentric position (AU) and velocity (AU/day) at a TDB
// Julian date, on J2000 mean axes (used as they are on GCRS axes).
struct EarthState {
  Vec3 position;
  Vec3 velocity;
};
EarthState earth_heliocentric(double jd_tdb);

// Refraction in degrees for an observed zenith distance zd_obs (degrees) at
// a site, for ref_option 2 (the site's temperature and pressure) or any other
// option (standard atmosphere from the site's height).
double refraction(const on_surface &site, short int ref_option, double zd_obs);

} // namespace astro

#endif
