// solar_ephemeris.h - the analytic ephemeris of the Sun and the Earth that
// NOVAS 3.1's built-in solar-system module carries.  Internal to the astro
// library.
#ifndef KIT_ASTRO_SOLAR_EPHEMERIS_H
#define KIT_ASTRO_SOLAR_EPHEMERIS_H

#include "vector.h"

namespace astro {

// First and last TDB Julian dates the ephemeris serves.
inline constexpr double kEphemerisFirst = 2340000.5;
inline constexpr double kEphemerisLast = 2560000.5;

// The geocentric Sun on the mean equator and equinox of date, AU, at a TDB
// Julian date.
Vec3 sun_mean_of_date(double jd_tdb);

// The Earth's heliocentric position (AU) and velocity (AU/day).
struct EarthState {
  Vec3 position;
  Vec3 velocity;
};

// The Earth's heliocentric state at a TDB Julian date, on mean J2000 axes
// (used as they are on GCRS axes).
EarthState earth_heliocentric(double jd_tdb);

} // namespace astro

#endif
