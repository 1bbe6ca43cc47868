// light_deflection.h - the bending of light by the gravity of the Sun and
// the Earth on its way to the observer.  Internal to the astro library.
#ifndef KIT_ASTRO_LIGHT_DEFLECTION_H
#define KIT_ASTRO_LIGHT_DEFLECTION_H

#include "vector.h"

namespace astro {

// Light time (days) by which a point at pos_obs is ahead of the origin
// along the direction of pos: (pos / |pos|) . pos_obs / c.
double light_time_offset(const Vec3 &pos, const Vec3 &pos_obs);

// The vector pos (observer to object, AU) deflected by one body at
// pos_body for an observer at pos_obs (both barycentric, AU), the body's
// mass being the Sun's over mass_ratio; its length is kept.
Vec3 deflected_by_body(const Vec3 &pos, const Vec3 &pos_obs, const Vec3 &pos_body,
                       double mass_ratio);

// The deflection of reduced accuracy for an object far outside the solar
// system (a star): by the Sun, where it stood when the light passed
// closest to it, then by the Earth when earth is not null (its barycentric
// position at the date).  pos observer to object (AU); pos_obs, sun and
// sun_velocity the observer's and the Sun's barycentric positions (AU) and
// the Sun's velocity (AU/day) at the date of observation.
Vec3 star_light_deflection(const Vec3 &pos, const Vec3 &pos_obs, const Vec3 &sun,
                           const Vec3 &sun_velocity, const Vec3 *earth);

} // namespace astro

#endif
