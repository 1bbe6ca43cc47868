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

// The Sun's barycentric position, AU, at a TDB Julian date.
Vec3 sun_barycentric(double jd_tdb);

// The Earth's barycentric state at a TDB Julian date: its heliocentric
// state less the barycentre's.
EarthState earth_barycentric(double jd_tdb);

} // namespace astro

#endif
