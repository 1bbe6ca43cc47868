// star_place.h - the topocentric apparent place of a star, behind
// topo_star.  Internal to the astro library.
#ifndef KIT_ASTRO_STAR_PLACE_H
#define KIT_ASTRO_STAR_PLACE_H

#include "novas.h"
#include "precession_nutation.h"
#include "vector.h"

namespace astro {

// topo_star's status for a catalog entry it cannot place (a field that is
// not finite, a distance or a motion out of range, or a place that comes
// out not finite): a code NOVAS 3.1 does not use.
inline constexpr short int kStarNotPlaced = 2;

// What the place of every star seen from one site at one date shares: the
// observer's barycentric state and the bodies that deflect the light.
struct StarObserver {
  double jd_tdb;
  Vec3 position;     // observer, barycentric, AU, GCRS axes
  Vec3 velocity;     // observer, barycentric, AU/day
  Vec3 geocentric;   // observer, geocentric, AU
  double earth_limb; // the Earth's angular radius seen by the observer, rad
  Vec3 earth;        // the Earth, barycentric, AU
  Vec3 sun;          // the Sun, barycentric, AU
  Vec3 sun_velocity; // the Sun's barycentric velocity, AU/day
};

// topo_star's status before anything is computed: 1 accuracy not 0 or 1;
// 33 full accuracy (the analytic ephemeris serves reduced accuracy only);
// 31 TDB date jd_tdb outside the ephemeris; 0 otherwise.
short int star_date_status(short int accuracy, double jd_tdb);

// The observer at a site at TT Julian date jd_tt, delta_t = TT - UT1 (s),
// with the models m at jd_tt's TDB date (which the ephemeris serves).
StarObserver star_observer(double jd_tt, double delta_t, const on_surface &site,
                           const DateModels &m);

// A star's topocentric apparent place on the true equator and equinox of
// date seen by the observer o, with the models m of o's date: ra hours
// [0, 24), dec degrees.  Returns 0, or kStarNotPlaced with ra and dec
// untouched.
short int topocentric_star(const StarObserver &o, const DateModels &m,
                           const cat_entry &star, double *ra, double *dec);

} // namespace astro

#endif
