// catalog_star.h - a star's barycentric position and velocity from its
// catalog entry, and its space motion.  Internal to the astro library.
#ifndef KIT_ASTRO_CATALOG_STAR_H
#define KIT_ASTRO_CATALOG_STAR_H

#include "novas.h"
#include "vector.h"

namespace astro {

// The parallax (mas) taken for a catalog entry whose parallax is zero or
// negative: a distance of a gigaparsec.
inline constexpr double kUnknownParallax = 1.0e-6;

// A star's barycentric position (AU) and velocity (AU/day), ICRS axes, at
// the catalog epoch.
struct StarVectors {
  Vec3 position;
  Vec3 velocity;
};

// The entry's vectors (NOVAS 3.1's starvectors).  False, with *v
// untouched, for an entry that does not describe a place: a field that is
// not finite, a distance that is not positive and finite, or a radial
// velocity of the speed of light or more.
bool star_vectors(const cat_entry &star, StarVectors *v);

// The star's position at TDB Julian date jd_tdb, moved from the catalog
// epoch J2000 along its velocity (NOVAS 3.1's proper_motion).
Vec3 star_position_at(const StarVectors &star, double jd_tdb);

} // namespace astro

#endif
