// apparent_place.h - the apparent place of the Sun seen from the geocentre
// or from a site, behind app_planet and topo_planet.  Internal to the astro
// library.
#ifndef KIT_ASTRO_APPARENT_PLACE_H
#define KIT_ASTRO_APPARENT_PLACE_H

#include "novas.h"
#include "precession_nutation.h"
#include "vector.h"

namespace astro {

// The status of a place request before anything is computed (see
// app_planet and topo_planet): 0, or the code of the first failing test.
short int place_status(const object &body, short int accuracy, double jd_tdb,
                       bool topocentric);

// The Sun's topocentric apparent place at a site, true equator and equinox
// of date, as topo_planet computes it once its status is 0: jd_tt the TT
// Julian date, delta_t = TT - UT1 (s), m the models at jd_tt's TDB date.
// ra hours [0, 24), dec degrees, dis AU.
void topocentric_sun(double jd_tt, double delta_t, const on_surface &site,
                     const DateModels &m, double *ra, double *dec, double *dis);

// Right ascension (hours [0, 24)) and declination (degrees) of a vector
// w, as NOVAS 3.1 forms them; on the pole ra 0 and dec +-90, for a null
// vector 0 and 0.
void to_ra_dec(const Vec3 &w, double *ra, double *dec);

// Whether light from direction p (unit vector, observer to body) passes
// close enough to the Earth to be deflected for an observer at obs (AU,
// geocentric, not zero): the body is not far below the Earth's limb.
// limb is earth_limb(obs), which the first form computes.
bool deflected_by_earth(const Vec3 &p, const Vec3 &obs);
bool deflected_by_earth(const Vec3 &p, const Vec3 &obs, double limb);

// The Earth's angular radius (radians) seen from obs (AU, geocentric):
// 90 degrees at or below the surface.
double earth_limb(const Vec3 &obs);

// The direction p (unit vector, observer to body) deflected by the Earth's
// gravity, for a body in direction q (unit vector) from the geocentre and
// an observer at obs (AU, geocentric).
Vec3 earth_deflection(const Vec3 &p, const Vec3 &q, const Vec3 &obs);

// The direction p (unit vector, observer to body, the body at distance
// d AU) as seen by an observer moving with velocity v (AU/day): aberration.
Vec3 aberration(const Vec3 &p, const Vec3 &v, double d);

} // namespace astro

#endif
