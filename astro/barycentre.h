// barycentre.h - the solar-system barycentre of NOVAS 3.1's built-in
// analytic solar-system module, and the barycentric Sun and Earth it gives.
// Internal to the astro library.
#ifndef KIT_ASTRO_BARYCENTRE_H
#define KIT_ASTRO_BARYCENTRE_H

#include "solar_ephemeris.h"
#include "vector.h"

namespace astro {

// The barycentre's heliocentric position (AU) and velocity (AU/day) at a
// TDB Julian date, on the axes of the solar series (used as GCRS).
struct BarycentreOffset {
  Vec3 position;
  Vec3 velocity;
};
BarycentreOffset barycentre_offset(double jd_tdb);

// The Earth's and the Sun's barycentric states at a TDB Julian date.
struct BarycentricState {
  EarthState earth;  // position (AU) and velocity (AU/day)
  Vec3 sun;          // AU
  Vec3 sun_velocity; // AU/day
};
BarycentricState barycentric_state(double jd_tdb);

} // namespace astro

#endif
